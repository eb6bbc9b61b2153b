// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

class QApplication;

// Ends the program when the last of its windows has closed. Qt's own rule,
// quitOnLastWindowClosed, passes over windows that have an owner, so it would
// end the program with the main window under an open Keys or message window.
void QuitWhenLastWindowCloses(QApplication& app);

// Shows the window behind `instance`, loading it first if it is not loaded,
// so there is never a second one: an open window only comes to the front.
template <typename Window>
Window* ShowSingleInstance(QPointer<Window>& instance, QWidget* owner) {
  if (!instance) instance = new Window(owner);
  instance->show();
  instance->raise();
  instance->activateWindow();
  return instance;
}
