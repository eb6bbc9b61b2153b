// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_box.h"

using norvan::CheckState;

// Qt numbers the states 0 unchecked, 1 partially checked, 2 checked;
// CheckState has 1 checked and 2 grayed.
CheckState TwoStateCheckBox::State() const {
  switch (checkState()) {
    case Qt::Checked:
      return CheckState::Checked;
    case Qt::PartiallyChecked:
      return CheckState::Grayed;
    case Qt::Unchecked:
      return CheckState::Unchecked;
  }
  return CheckState::Unchecked;
}

void TwoStateCheckBox::SetState(CheckState state) {
  switch (state) {
    case CheckState::Checked:
      return setCheckState(Qt::Checked);
    case CheckState::Grayed:
      return setCheckState(Qt::PartiallyChecked);
    case CheckState::Unchecked:
      return setCheckState(Qt::Unchecked);
  }
}

void TwoStateCheckBox::nextCheckState() {
  setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}
