// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "design.h"
#include "process_start.h"

// Records each command line, as Windows would get it, instead of starting anything.
class RecordingStarter : public norvan::ProcessStarter {
 public:
  std::vector<std::string> started;
  bool Start(const norvan::CommandLine& commandLine) override {
    started.push_back(commandLine.Text());
    return true;
  }
};

// A game folder made for one test, which is the working folder while it lives.
class GameFolder {
 public:
  explicit GameFolder(const QStringList& files) : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
    for (const QString& name : files) Write(name, {});
  }
  ~GameFolder() { QDir::setCurrent(previous_); }
  void Write(const QString& name, const QByteArray& bytes) const {
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
      qFatal("cannot write %s", qPrintable(name));
  }
  QByteArray Read(const QString& name) const {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private:
  QTemporaryDir dir_;
  QString previous_;
};

// The control named `name` under `root`, failing the test when there is none.
template <typename Control = QWidget>
Control* Find(const QWidget* root, const char* name) {
  auto* control = root->findChild<Control*>(name);
  if (!control) qFatal("no control named %s", name);
  return control;
}

// Fails the test unless a screen reader can name each control of `window`:
// its buttons, labels, frames, text boxes and lists.
inline void ExpectEveryControlNamed(const QWidget* window) {
  for (QWidget* control : window->findChildren<QWidget*>()) {
    const bool isControl = control->inherits("QAbstractButton") || control->inherits("QLabel") ||
                           control->inherits("QGroupBox") || control->inherits("QLineEdit") ||
                           control->inherits("QAbstractItemView");
    if (!isControl || control->isHidden()) continue;  // Qt hides some helpers of its own
    QAccessibleInterface* ui = QAccessible::queryAccessibleInterface(control);
    QVERIFY2(ui && !ui->text(QAccessible::Name).trimmed().isEmpty(),
             qPrintable(control->objectName()));
  }
}

// The controls of `window` that its design names and places; Qt's helpers,
// and the About window's click area under everything, have no such name.
inline QList<const QWidget*> DesignControls(const QWidget* window) {
  QList<const QWidget*> controls;
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    const QString name = control->objectName();
    if (!control->isHidden() && !name.isEmpty() && !name.startsWith("qt_")) controls << control;
  }
  return controls;
}

inline QRect InWindow(const QWidget* control) {
  return {control->mapTo(control->window(), QPoint()), control->size()};
}

// What `control` draws in the window: a label's text, and an option's or
// check box's indicator and text, since their boxes may reach past what they
// draw, as the designs' do; anything else fills its box.
inline QRect Drawn(const QWidget* control) {
  const QRect box = InWindow(control);
  const DrawnCaption caption = DrawnCaptionOf(control);
  const bool indicator = control->inherits("QCheckBox") || control->inherits("QRadioButton");
  if (caption.text.isEmpty() || !(indicator || control->inherits("QLabel"))) return box;
  QRect text = control->fontMetrics().boundingRect(caption.box, caption.flags, caption.text);
  if (indicator) text.setLeft(0);
  return text.translated(box.topLeft()) & box;
}

// Controls that the designs lay over one another: a frame and what it holds,
// a label and the control it names, and the two strokes of a design line.
inline bool MayOverlap(const QWidget* a, const QWidget* b) {
  const auto names = [](const QWidget* label, const QWidget* control) {
    auto* asLabel = qobject_cast<const QLabel*>(label);
    return asLabel && asLabel->buddy() == control;
  };
  const auto isLine = [](const QWidget* w) { return dynamic_cast<const DesignLine*>(w); };
  return a->isAncestorOf(b) || b->isAncestorOf(a) || names(a, b) || names(b, a) ||
         (isLine(a) && isLine(b));
}

// Fails the test unless `window`'s layout holds whatever the font: every
// control inside the window, no two overlapping but where the design lays
// them so, and every caption fitting its box in its font, on one line or
// wrapped within the box's height, with nothing cut off.
inline void ExpectSoundLayout(const QWidget* window) {
  const QList<const QWidget*> controls = DesignControls(window);
  for (const QWidget* control : controls) {
    QVERIFY2(window->rect().contains(InWindow(control)), qPrintable(control->objectName()));
    for (const QWidget* other : controls) {
      const bool apart = control == other || MayOverlap(control, other) ||
                         !Drawn(control).intersects(Drawn(other));
      QVERIFY2(apart, qPrintable(control->objectName() + " overlaps " + other->objectName()));
    }
    const DrawnCaption caption = DrawnCaptionOf(control);
    if (caption.text.isEmpty()) continue;
    const QString fault = QString("%1 (%2): \"%3\" in %4x%5 pixels")
                              .arg(control->objectName(), control->font().toString(), caption.text)
                              .arg(caption.box.width())
                              .arg(caption.box.height());
    QVERIFY2(CaptionFits(caption, control->font()), qPrintable(fault));
  }
}
