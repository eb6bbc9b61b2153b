#include "check_box.h"

// Qt numbers the states 0 unchecked, 1 partially checked, 2 checked;
// CheckState has 1 checked and 2 grayed.
CheckState TwoStateCheckBox::State() const {
  switch (checkState()) {
    case Qt::Checked:
      return kChecked;
    case Qt::PartiallyChecked:
      return kGrayed;
    default:
      return kUnchecked;
  }
}

void TwoStateCheckBox::SetState(CheckState state) {
  setCheckState(state == kChecked  ? Qt::Checked
                : state == kGrayed ? Qt::PartiallyChecked
                                   : Qt::Unchecked);
}

void TwoStateCheckBox::nextCheckState() {
  setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}
