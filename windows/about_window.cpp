#include "about_window.h"

#include "design.h"
#include "twips.h"

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  SetUpFixedWindow(this, "About-Norvan ver 0.65.3", ToPixels(3120, 1695));
}

void frmAbout::mousePressEvent(QMouseEvent*) { Form_Click(); }

void frmAbout::Form_Click() { close(); }
