// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "design.h"
#include "twips.h"

namespace {

// The design draws the arrows with codes 0xAC to 0xAF of a symbol font, which
// any other font shows as the Latin signs of those codes; the Unicode arrows
// are arrows in every font that has them.
constexpr char16_t kLeftArrow = u'\u2190';
constexpr char16_t kUpArrow = u'\u2191';
constexpr char16_t kRightArrow = u'\u2192';
constexpr char16_t kDownArrow = u'\u2193';

// Key labels and headers stand centred in their boxes.
QLabel* KeyLabel(const QString& caption, const QFont& font, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

frmKeys::frmKeys(QWidget* owner) : QDialog(owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  SetUpOwnedDialog(this, "Keys- Norvan", ToPixels(6375, 3765));

  const QFont header = DialogFont(9.75, QFont::Bold);
  const QFont letter = DialogFont(24, QFont::Bold);
  const QFont fire = DialogFont(12, QFont::Bold);
  const QFont arrow = ArrowFont(24);

  // In tab order, as the design places them (twips).
  cmdOK = Placed(new QPushButton("OK", this), "cmdOK", {4920, 3120, 1215, 495});
  lblLeftKeys = Placed(KeyLabel("Left Keyboard Controls:", header, this), "lblLeftKeys",
                       {285, 120, 2445, 240});
  lblRightKeys = Placed(KeyLabel("Right Keyboard Controls:", header, this), "lblRightKeys",
                        {3510, 120, 2625, 240});
  lblLeftUp = Placed(KeyLabel("W", letter, this), "lblLeftUp", {1305, 480, 525, 555});
  lblLeftDown = Placed(KeyLabel("X", letter, this), "lblLeftDown", {1345, 2160, 375, 555});
  lblLeftLeft = Placed(KeyLabel("A", letter, this), "lblLeftLeft", {555, 1320, 375, 555});
  lblLeftRight = Placed(KeyLabel("D", letter, this), "lblLeftRight", {2220, 1320, 405, 555});
  lblLeftFire = Placed(KeyLabel("Left Shift", fire, this), "lblLeftFire", {1230, 1320, 675, 585});
  lblRightFire =
      Placed(KeyLabel("Right Shift", fire, this), "lblRightFire", {4395, 1320, 675, 585});
  lblRightRight =
      Placed(KeyLabel(QChar(kRightArrow), arrow, this), "lblRightRight", {5325, 1320, 525, 525});
  lblRightLeft =
      Placed(KeyLabel(QChar(kLeftArrow), arrow, this), "lblRightLeft", {3645, 1320, 525, 525});
  lblRightDown =
      Placed(KeyLabel(QChar(kDownArrow), arrow, this), "lblRightDown", {4560, 2160, 345, 525});
  lblRightUP = Placed(KeyLabel(QChar(kUpArrow), arrow, this), "lblRightUP", {4560, 480, 345, 525});
  lblEmuKeys =
      Placed(new KeyListLabel("ESC - Exit O2EM  F4 - Enter Debugger F5 - Reset Emulator", this),
             "lblEmuKeys", {240, 3000, 1455, 615});
  lblDebugKey = Placed(new QLabel("Pressing H in the debug mode brings up help.", this),
                       "lblDebugKey", {2040, 3000, 1335, 615});
  Line3 = new DesignLine(this, "Line3", {3120, 2760}, {3120, 120}, 1, kWindowTextColour);
  Line1 = new DesignLine(this, "Line1", {120, 2880}, {6240, 2880}, 3, kAppWorkspaceColour);
  Line2 = new DesignLine(this, "Line2", {240, 2880}, {6120, 2880}, 1, kTitleBarTextColour);

  // Screen readers may pass over a lone arrow sign.
  lblRightUP->setAccessibleName("Up arrow");
  lblRightDown->setAccessibleName("Down arrow");
  lblRightLeft->setAccessibleName("Left arrow");
  lblRightRight->setAccessibleName("Right arrow");

  // The fire labels keep their boxes, which puts the two words on two lines.
  lblLeftFire->setWordWrap(true);
  lblRightFire->setWordWrap(true);
  lblDebugKey->setWordWrap(true);
  lblDebugKey->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  FitCaptions(this);
  cmdOK->setDefault(true);
  cmdOK->setFocus();
  connect(cmdOK, &QPushButton::clicked, this, &frmKeys::cmdOK_Click);
}

// The window has no cancel button, so Esc does not close it as it would
// close a QDialog.
void frmKeys::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmKeys::cmdOK_Click() {
  close();
}
