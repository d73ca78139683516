#pragma once
// Starting a slot's command: through the shell for a click or Enter, directly
// for a hotkey. Each returns what became of the launch; the caller closes the
// window only after Ready, that is once the system has started the program.

#include <windows.h>

#include "launch/launch_rules.h"
#include "settings/command_slot.h"

struct LaunchOutcome {
  LaunchPlanResult result;
  DWORD error;  // the system's error code when result is StartFailed
};

// Verb "runas" or "open", environment variables expanded, no error box from the
// shell (a failure is the caller's to report); ".cmd" scripts hidden.
LaunchOutcome LaunchThroughShell(const CommandSlot& slot, const wchar_t* argument,
                                 const wchar_t* settingsPath);

// The whole line to CreateProcessW: no split, no verb, no expansion.
LaunchOutcome LaunchDirectly(const CommandSlot& slot, const wchar_t* argument,
                             const wchar_t* settingsPath);

// Why a launch did not happen, in the interface's language; for a failed start
// the system's own message for its error code.
constexpr size_t LAUNCH_REPORT_UNITS = 256;
void DescribeUnstartedLaunch(const LaunchOutcome& outcome, wchar_t (&text)[LAUNCH_REPORT_UNITS]);
