#include "settings/settings_file_lock_win.h"

#include "settings/settings_path.h"

namespace {
constexpr DWORD LOCK_WAIT_MS = 5000;
}

SettingsFileLock::SettingsFileLock(const wchar_t* settingsPath) {
  if (settingsPath[0] == 0) return;  // nothing will be written
  wchar_t name[SETTINGS_LOCK_NAME_UNITS];
  SettingsLockNameOf(settingsPath, name);
  mutex_ = CreateMutexW(nullptr, FALSE, name);
  if (mutex_ == nullptr) return;
  // An abandoned lock (its owner died mid-save) is ours now, and the file is
  // whatever that owner left: still the best base to write onto.
  DWORD waited = WaitForSingleObject(mutex_, LOCK_WAIT_MS);
  owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

SettingsFileLock::~SettingsFileLock() {
  if (owned_) ReleaseMutex(mutex_);
  if (mutex_ != nullptr) CloseHandle(mutex_);
}
