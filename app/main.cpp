// SPDX-License-Identifier: GPL-3.0-or-later
// Norvan: a launcher for the O2EM emulator, started in the folder that holds
// the emulator, its system ROM and the game images.
#include <QApplication>

#include "main_window.h"
#include "process_start.h"
#include "window_lifetime.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QuitWhenLastWindowCloses(app);

  norvan::SystemProcessStarter emulatorStarter;
  frmNorvan mainWindow(emulatorStarter);
  mainWindow.show();
  return app.exec();
}
