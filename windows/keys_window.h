// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class DesignLine;
class KeyListLabel;
class QLabel;
class QPushButton;

// The Keys window: a help card with the emulator's keys. Modeless; "OK"
// (Enter) closes (unloads) it.
class frmKeys : public QDialog {
  Q_OBJECT

 public:
  explicit frmKeys(QWidget* owner);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void cmdOK_Click();

  QPushButton* cmdOK;
  QLabel* lblLeftKeys;
  QLabel* lblRightKeys;
  QLabel* lblLeftUp;
  QLabel* lblLeftDown;
  QLabel* lblLeftLeft;
  QLabel* lblLeftRight;
  QLabel* lblLeftFire;
  QLabel* lblRightFire;
  QLabel* lblRightRight;
  QLabel* lblRightLeft;
  QLabel* lblRightDown;
  QLabel* lblRightUP;
  KeyListLabel* lblEmuKeys;
  QLabel* lblDebugKey;
  DesignLine* Line3;
  DesignLine* Line1;
  DesignLine* Line2;
};
