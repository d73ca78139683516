#pragma once
// What the status bar says: the selected slot's title, or, after a start that
// did not happen, why it did not, until the user does something else.

#include "launch/slot_launch_win.h"

void ShowSlotTitle(int slot);
// Sounds the warning beep and puts the reason in the status bar; the titles that
// the rest of this input would show give way to it.
void ReportUnstartedLaunch(const LaunchOutcome& outcome);
// A new key, click or selection: titles show again.
void DismissLaunchReport();
