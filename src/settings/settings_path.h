#pragma once
#include "common/wide_text.h"

constexpr size_t SETTINGS_PATH_UNITS = 260;

// The settings file lies beside the executable: its path with the extension
// replaced by ".ini" (appended when it has none). False, with an empty result,
// when that does not fit; a cut path would name some other file.
bool SettingsPathOf(const WideChar* executablePath, WideChar (&settingsPath)[SETTINGS_PATH_UNITS]);
