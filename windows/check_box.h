// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "launch_settings.h"
#include "wrapping_button.h"

// A check box that shows all three CheckStates but that a user's click only
// toggles between unchecked and checked: a grayed box turns checked.
// (QCheckBox makes itself tri-state for good once it is set partially checked,
// and would then cycle through the grayed state on every third click.)
class TwoStateCheckBox : public WrappingCheckBox {
 public:
  using WrappingCheckBox::WrappingCheckBox;

  norvan::CheckState State() const;
  void SetState(norvan::CheckState state);

 protected:
  void nextCheckState() override;
};
