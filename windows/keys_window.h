#pragma once

#include <QDialog>

class QPushButton;

// The Keys window: a help card with the emulator's keys. Modeless; "OK"
// closes (unloads) it.
class frmKeys : public QDialog {
  Q_OBJECT

 public:
  explicit frmKeys(QWidget* owner);

 private:
  void cmdOK_Click();

  QPushButton* cmdOK;
};
