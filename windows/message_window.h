#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The message window: shows the refusal that RunGame left in WarningMessage,
// as it stood when the window loaded. Modeless; "Ok" closes (unloads) it.
class frmWarning : public QDialog {
  Q_OBJECT

 public:
  explicit frmWarning(QWidget* owner);

 private:
  void Form_Load();
  void cmdWarning_Click();

  QPushButton* cmdWarning;
  QLabel* lblWarning;
  QLineEdit* txtWarning;
};
