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
