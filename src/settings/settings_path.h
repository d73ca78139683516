#pragma once
#include "common/wide_text.h"

constexpr size_t SETTINGS_PATH_UNITS = 260;

// The settings file lies beside the executable: its path with the extension
// replaced by ".ini" (appended when it has none). False, with an empty result,
// when that does not fit; a cut path would name some other file.
bool SettingsPathOf(const WideChar* executablePath, WideChar (&settingsPath)[SETTINGS_PATH_UNITS]);

// The name of the mutex that lets one launcher at a time write a settings file:
// "Local\Pivora64.settings." and a 64-bit FNV-1a hash of the path with ASCII
// letters folded (a path itself cannot name a kernel object: it holds "\").
constexpr size_t SETTINGS_LOCK_NAME_UNITS = 48;
void SettingsLockNameOf(const WideChar* settingsPath,
                        WideChar (&lockName)[SETTINGS_LOCK_NAME_UNITS]);
