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

namespace {

// digits hexadecimal digits of value, most significant first.
template <size_t Capacity>
void AppendHex(WideChar (&text)[Capacity], uint64_t value, int digits) {
  WideChar hex[17];
  for (int i = digits - 1; i >= 0; --i) {
    hex[i] = static_cast<WideChar>("0123456789abcdef"[value & 0xF]);
    value >>= 4;
  }
  hex[digits] = 0;
  AppendText(text, hex);
}

}  // namespace

void SettingsLockNameOf(const WideChar* canonicalPath,
                        WideChar (&lockName)[SETTINGS_LOCK_NAME_UNITS]) {
  uint64_t hash = 14695981039346656037ull;
  for (const WideChar* p = canonicalPath; *p != 0; ++p) {
    WideChar unit = (*p >= 'A' && *p <= 'Z') ? static_cast<WideChar>(*p + ('a' - 'A')) : *p;
    hash = (hash ^ static_cast<uint64_t>(unit)) * 1099511628211ull;
  }
  CopyText(lockName, WIDE("Local\\Pivora64.settings."));
  AppendHex(lockName, hash, 16);
}

void SettingsFileLockNameOf(uint32_t volumeSerial, uint64_t fileIndex,
                            WideChar (&lockName)[SETTINGS_LOCK_NAME_UNITS]) {
  CopyText(lockName, WIDE("Local\\Pivora64.file."));
  AppendHex(lockName, volumeSerial, 8);
  AppendText(lockName, WIDE("."));
  AppendHex(lockName, fileIndex, 16);
}
