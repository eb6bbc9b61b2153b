#include "message_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "design.h"
#include "launch.h"
#include "twips.h"

frmWarning::frmWarning(QWidget* owner) : QDialog(owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  SetUpFixedWindow(this, "Warning-Norvan", ToPixels(4695, 2160));
  cmdWarning = new QPushButton("Ok", this);
  cmdWarning->setGeometry(ToPixels({1680, 1560, 1215, 495}));
  cmdWarning->setDefault(true);
  lblWarning = new QLabel("Warning!!!", this);
  lblWarning->setGeometry(ToPixels({945, 0, 2805, 675}));
  txtWarning = new QLineEdit(this);
  txtWarning->setGeometry(ToPixels({360, 840, 3975, 495}));
  connect(cmdWarning, &QPushButton::clicked, this, &frmWarning::cmdWarning_Click);
  Form_Load();
}

void frmWarning::Form_Load() { txtWarning->setText(QString::fromStdString(WarningMessage)); }

void frmWarning::cmdWarning_Click() { close(); }
