#include "settings/settings_path.h"

#include "common/path_rules.h"

bool SettingsPathOf(const WideChar* executablePath,
                    WideChar (&settingsPath)[SETTINGS_PATH_UNITS]) {
  size_t stem = static_cast<size_t>(FindExtension(executablePath) - executablePath);
  static const WideChar INI_EXTENSION[] = WIDE(".ini");
  if (executablePath[0] == 0 || stem + TextLength(INI_EXTENSION) >= SETTINGS_PATH_UNITS) {
    settingsPath[0] = 0;
    return false;
  }
  for (size_t i = 0; i < stem; ++i) settingsPath[i] = executablePath[i];
  settingsPath[stem] = 0;
  return AppendText(settingsPath, INI_EXTENSION);
}

void SettingsLockNameOf(const WideChar* settingsPath,
                        WideChar (&lockName)[SETTINGS_LOCK_NAME_UNITS]) {
  unsigned long long hash = 14695981039346656037ull;
  for (const WideChar* p = settingsPath; *p != 0; ++p) {
    WideChar unit = (*p >= 'A' && *p <= 'Z') ? static_cast<WideChar>(*p + ('a' - 'A')) : *p;
    hash = (hash ^ static_cast<unsigned long long>(unit)) * 1099511628211ull;
  }
  CopyText(lockName, WIDE("Local\\Pivora64.settings."));
  WideChar digits[17];
  for (int i = 15; i >= 0; --i) {
    digits[i] = static_cast<WideChar>("0123456789abcdef"[hash & 0xF]);
    hash >>= 4;
  }
  digits[16] = 0;
  AppendText(lockName, digits);
}
