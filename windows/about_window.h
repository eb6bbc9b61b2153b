#pragma once

#include <QDialog>

// The About window: shown modal; any click in it closes (unloads) it.
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* owner);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Form_Click();
};
