// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The message window: shows the refusal that RunGame left in WarningMessage,
// as it stood when the window loaded. Modeless; "Ok", Enter and Esc close
// (unload) it.
class frmWarning : public QDialog {
  Q_OBJECT

 public:
  explicit frmWarning(QWidget* owner);

 public slots:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Load();
  void cmdWarning_Click();

  QPushButton* cmdWarning;
  QLabel* lblWarning;
  QLineEdit* txtWarning;
};
