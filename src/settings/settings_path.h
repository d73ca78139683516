#pragma once
#include <cstdint>

#include "common/wide_text.h"

constexpr size_t SETTINGS_PATH_UNITS = 260;

// The settings file lies beside the executable: its path with the extension
// replaced by ".ini" (appended when it has none). False, with an empty result,
// when that does not fit; a cut path would name some other file.
bool SettingsPathOf(const WideChar* executablePath, WideChar (&settingsPath)[SETTINGS_PATH_UNITS]);

// The names of the mutexes that let one launcher at a time at a settings file. A
// path cannot name a kernel object (it holds "\"), so a hash stands for it.
constexpr size_t SETTINGS_LOCK_NAME_UNITS = 48;
// "Local\Pivora64.settings." and a 64-bit FNV-1a hash of the file's canonical path:
// its folder's final path and its name, folded as the file system folds names (the
// caller resolves and folds; ASCII letters are folded here too).
void SettingsLockNameOf(const WideChar* canonicalPath,
                        WideChar (&lockName)[SETTINGS_LOCK_NAME_UNITS]);
// "Local\Pivora64.file.<volume>.<index>" in hex: an existing file's identity, the
// same through every name it has (a hard link, a short name, a junction).
void SettingsFileLockNameOf(uint32_t volumeSerial, uint64_t fileIndex,
                            WideChar (&lockName)[SETTINGS_LOCK_NAME_UNITS]);
