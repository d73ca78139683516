#pragma once
// Starting a slot's command: through the shell for a click or Enter, directly
// for a hotkey. Each returns what became of the launch; the caller closes the
// window only after Ready, whatever the start itself then did.

#include <windows.h>

#include "launch/launch_rules.h"
#include "settings/command_slot.h"

// Verb "runas" or "open", environment variables expanded, no error box from the
// shell; ".cmd" scripts hidden.
LaunchPlanResult LaunchThroughShell(const CommandSlot& slot, const wchar_t* argument,
                                    const wchar_t* settingsPath);

// The whole line to CreateProcessW: no split, no verb, no expansion.
LaunchPlanResult LaunchDirectly(const CommandSlot& slot, const wchar_t* argument,
                                const wchar_t* settingsPath);
