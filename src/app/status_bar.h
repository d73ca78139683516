#pragma once
// What the status bar says: the selected slot's title, or, after something the
// launcher could not do, why, until the user does something else.

#include "launch/slot_launch_win.h"

void ShowSlotTitle(int slot);
// Puts text in the status bar; the titles that the rest of this input would show
// give way to it.
void ShowReport(const wchar_t* text);
// The same with the warning beep.
void ShowWarning(const wchar_t* text);
// Why a start was refused or failed.
void ReportUnstartedLaunch(const LaunchOutcome& outcome);
// A new key, click or selection: titles show again.
void DismissReport();
