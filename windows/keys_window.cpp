#include "keys_window.h"

#include <QPushButton>

#include "design.h"
#include "twips.h"

frmKeys::frmKeys(QWidget* owner) : QDialog(owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  SetUpFixedWindow(this, "Keys- Norvan", ToPixels(6375, 3765));
  cmdOK = new QPushButton("OK", this);
  cmdOK->setGeometry(ToPixels({4920, 3120, 1215, 495}));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &frmKeys::cmdOK_Click);
}

void frmKeys::cmdOK_Click() { close(); }
