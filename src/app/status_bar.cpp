#include "app/status_bar.h"

#include "app/app_state.h"
#include "settings/settings_state.h"

namespace {
// A failed click is followed by the refresh of the clicked slot, and a failed
// Enter by the key's own refresh; neither may wipe the reason away.
bool reportShown;
}  // namespace

void ShowSlotTitle(int slot) {
  if (reportShown) return;
  SetWindowTextW(statusBar, currentTable.slots[slot].title);
}

void ShowReport(const wchar_t* text) {
  SetWindowTextW(statusBar, text);
  reportShown = true;
}

void ShowWarning(const wchar_t* text) {
  MessageBeep(MB_ICONWARNING);
  ShowReport(text);
}

void ReportUnstartedLaunch(const LaunchOutcome& outcome) {
  wchar_t text[LAUNCH_REPORT_UNITS];
  DescribeUnstartedLaunch(outcome, text);
  ShowWarning(text);
}

void DismissReport() { reportShown = false; }
