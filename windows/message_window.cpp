// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "design.h"
#include "launch.h"
#include "twips.h"

frmWarning::frmWarning(QWidget* owner) : QDialog(owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  SetUpOwnedDialog(this, "Warning-Norvan", ToPixels(4695, 2160));

  // In tab order, as the design places them (twips).
  cmdWarning = Placed(new QPushButton("Ok", this), "cmdWarning", {1680, 1560, 1215, 495});
  lblWarning = Placed(new QLabel("Warning!!!", this), "lblWarning", {945, 0, 2805, 675});
  txtWarning = Placed(new QLineEdit(this), "txtWarning", {360, 840, 3975, 495});

  cmdWarning->setDefault(true);
  QFont heavy = HeavyFont(24);
  heavy.setUnderline(true);
  lblWarning->setFont(heavy);
  lblWarning->setAlignment(Qt::AlignCenter);
  txtWarning->setFont(DialogFont(9.75));
  // The box shows the window's copy of the message and nothing reads it back.
  txtWarning->setReadOnly(true);
  QPalette palette = txtWarning->palette();
  palette.setColor(QPalette::Base, palette.color(kScrollBarColour));
  txtWarning->setPalette(palette);

  FitCaptions(this);
  setTabOrder(cmdWarning, txtWarning);
  lblWarning->setBuddy(txtWarning);  // for screen readers: the text box is the warning
  cmdWarning->setFocus();
  connect(cmdWarning, &QPushButton::clicked, this, &frmWarning::cmdWarning_Click);
  Form_Load();
}

void frmWarning::Form_Load() {
  txtWarning->setText(QString::fromStdString(norvan::WarningMessage));
}

void frmWarning::cmdWarning_Click() {
  close();
}

// "Ok" is the cancel button too: QDialog's Esc lands here.
void frmWarning::reject() {
  cmdWarning_Click();
}

// Every way of closing, the title bar's included, unloads the window.
// QDialog's own closeEvent would call reject(), which is "Ok" again.
void frmWarning::closeEvent(QCloseEvent* event) {
  event->accept();
}
