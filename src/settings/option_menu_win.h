#pragma once
#include <windows.h>

#include "settings/option_rules.h"

// The check mark of one option item, addressed by command id.
void SetOptionCheck(HMENU menu, UINT commandId, int on);
void SetInitialOptionChecks(HMENU menu, const Options& options);
