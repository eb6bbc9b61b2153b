// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_window.h"

#include <QKeyEvent>

#include "app_icon.h"
#include "design.h"
#include "twips.h"

namespace {

// The notice and contact lines are the project's own words.
const char* const kCopyright =
    "Free software by the Norvan team.\n"
    "Please keep emulation free!\n"
    "Ideas welcome on the project page.";

}  // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  SetUpOwnedDialog(this, "About-Norvan ver 0.65.3", ToPixels(3120, 1695));

  // The free area lies under everything, so a click that no control takes,
  // the separator's included, lands there.
  freeArea_ = new ClickLabel(this);
  freeArea_->setGeometry(rect());

  // As the design places them (twips); the labels in tab order, though
  // nothing here takes the focus.
  lblAuthor =
      Placed(new ClickLabel("Created by Tarnwick", this), "lblAuthor", {960, 240, 1815, 255});
  lblCopyright = Placed(new ClickLabel(kCopyright, this), "lblCopyright", {120, 960, 2895, 615});
  Image1 = Placed(new ClickLabel(this), "Image1", {240, 120, 480, 480});
  Line1 = new DesignLine(this, "Line1", {120, 720}, {3000, 720}, 3, kAppWorkspaceColour);
  Line2 = new DesignLine(this, "Line2", {120, 720}, {3000, 720}, 1, kTitleBarTextColour);

  Image1->setPixmap(AppIconPixmap());
  // Screen readers say these; a picture and an empty area have no text.
  Image1->setAccessibleName("Norvan");
  freeArea_->setAccessibleName("Click anywhere to close");
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblAuthor->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblCopyright->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  FitCaptions(this);
  connect(freeArea_, &ClickLabel::Click, this, &frmAbout::Form_Click);
  connect(Image1, &ClickLabel::Click, this, &frmAbout::Image1_Click);
  connect(lblAuthor, &ClickLabel::Click, this, &frmAbout::lblAuthor_Click);
  connect(lblCopyright, &ClickLabel::Click, this, &frmAbout::lblCopyright_Click);
}

// The window has no keys of its own: QDialog would close on Esc, and the
// only way out is a click.
void frmAbout::keyPressEvent(QKeyEvent* event) {
  event->ignore();
}

void frmAbout::Form_Click() {
  close();
}

void frmAbout::Image1_Click() {
  close();
}

void frmAbout::lblAuthor_Click() {
  close();
}

void frmAbout::lblCopyright_Click() {
  close();
}
