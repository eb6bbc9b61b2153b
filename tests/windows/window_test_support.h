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
#include "main_window.h"
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

// The application's visible top-level window of class `T`, if any.
template <typename T>
T* VisibleWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<T*>(w); window && window->isVisible()) return window;
  return nullptr;
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

// Fails the test unless every caption of `window` fits its box in its font:
// on one line, or wrapped within the box's height, with nothing cut off.
inline void ExpectCaptionsFit(const QWidget* window) {
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    const DrawnCaption caption = DrawnCaptionOf(control);
    if (control->isHidden() || caption.text.isEmpty()) continue;
    const QString fault = QString("%1 (%2): \"%3\" in %4x%5 pixels")
                              .arg(control->objectName(), control->font().toString(), caption.text)
                              .arg(caption.box.width())
                              .arg(caption.box.height());
    QVERIFY2(CaptionFits(caption, control->font()), qPrintable(fault));
  }
}
