#pragma once
#include "buttons/ExeButton.h"

namespace korvi {

class TForm1;

// What start-up puts right after the settings are read: every entry of another
// kind than launcher gets the pager's click handler (when one is given); entries
// 1..10 become the desktop selectors again whatever the file said (in use and
// shown exactly up to the desktop count, IData their number); desktop 1 is shown.
void ApplyStartupOverrides(TForm1& form, const TExeButton::NotifyEvent& click = {});

}  // namespace korvi
