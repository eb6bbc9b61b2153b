// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QLabel>
#include <QtTest>

#include "design.h"
#include "shared_support.h"

// The control named `name` under `root`, ending the tests when there is none.
template <typename Control = QWidget>
Control* Find(const QWidget* root, const char* name) {
  auto* control = root->findChild<Control*>(name);
  if (!control) qFatal("%s has no control named %s", root->metaObject()->className(), name);
  return control;
}

// What `control` draws in the window: a label's text, and an option's or
// check box's indicator and text, since their boxes may reach past what they
// draw, as the designs' do; anything else fills its box.
inline QRect Drawn(const QWidget* control) {
  const QRect box(control->mapTo(control->window(), QPoint()), control->size());
  const DrawnCaption caption = DrawnCaptionOf(control);
  const bool indicator = control->inherits("QCheckBox") || control->inherits("QRadioButton");
  if (caption.text.isEmpty() || !(indicator || control->inherits("QLabel"))) return box;
  QRect text = control->fontMetrics().boundingRect(caption.box, caption.flags, caption.text);
  if (indicator) text.setLeft(0);
  return text.translated(box.topLeft()) & box;
}

// Whether the designs lay `a` over `b`: a frame over what it holds, a label
// over the control it names, and a design line's stroke over the other.
inline bool LaidOver(const QWidget* a, const QWidget* b) {
  const auto* label = qobject_cast<const QLabel*>(a);
  return a->isAncestorOf(b) || (label && label->buddy() == b) ||
         (dynamic_cast<const DesignLine*>(a) && dynamic_cast<const DesignLine*>(b));
}

// Fails the test unless a screen reader can name each button, label, frame,
// text box and list of `window`, a label's control by the label, and unless
// its layout holds whatever the font: every control that its design names
// and places inside the window, no two overlapping but where the design lays
// them so, and every caption fitting its box in its font, on one line or
// wrapped within the box's height.
inline void ExpectSoundLayout(const QWidget* window) {
  const auto nameOf = [](QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).trimmed();
  };
  const QString in = window->metaObject()->className() + QString(' ');
  QList<const QWidget*> placed;
  for (QWidget* control : window->findChildren<QWidget*>()) {
    // Qt's own helpers, and the controls of the window's own dialogs, are not its.
    if (control->isHidden() || control->objectName().startsWith("qt_") ||
        control->window() != window)
      continue;
    for (const char* type :
         {"QAbstractButton", "QLabel", "QGroupBox", "QLineEdit", "QAbstractItemView"})
      QVERIFY2(!control->inherits(type) || !nameOf(control).isEmpty(),
               qPrintable(in + control->objectName() + " has no name"));
    if (auto* label = qobject_cast<QLabel*>(control); label && label->buddy())
      QCOMPARE(nameOf(label->buddy()), label->text());
    if (!control->objectName().isEmpty()) placed << control;  // not the About window's click area
  }
  for (const QWidget* control : placed) {
    const DrawnCaption caption = DrawnCaptionOf(control);
    const QString where =
        in + control->objectName() + " \"" + caption.text + "\" in " + control->font().toString();
    QVERIFY2(window->rect().contains(QRect(control->mapTo(window, QPoint()), control->size())),
             qPrintable(where + " reaches out"));
    QVERIFY2(caption.text.isEmpty() || CaptionFits(caption, control->font()),
             qPrintable(where + " is cut off"));
    for (const QWidget* other : placed)
      QVERIFY2(control == other || LaidOver(control, other) || LaidOver(other, control) ||
                   !Drawn(control).intersects(Drawn(other)),
               qPrintable(where + " overlaps " + other->objectName()));
  }
}
