// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class ClickLabel;
class DesignLine;

// The About window: shown modal; any click in it closes (unloads) it. It has
// no button and takes no keys.
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* owner);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Form_Click();
  void Image1_Click();
  void lblAuthor_Click();
  void lblCopyright_Click();

  ClickLabel* freeArea_;
  ClickLabel* Image1;
  ClickLabel* lblAuthor;
  DesignLine* Line1;
  DesignLine* Line2;
  ClickLabel* lblCopyright;
};
