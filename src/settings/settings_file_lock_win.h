#pragma once
// One launcher at a time writes the settings file. The profile API rewrites the
// whole file on every write from what it read before, so two launchers closing
// together would otherwise put back each other's old keys.

#include <windows.h>

class SettingsFileLock {
 public:
  // Waits for the file's lock. A launcher that hangs while holding it delays the
  // others a few seconds at most; then they write anyway rather than hang too.
  explicit SettingsFileLock(const wchar_t* settingsPath);
  ~SettingsFileLock();
  // False when the wait ran out: another launcher is still at the file.
  bool Owned() const { return owned_; }
  SettingsFileLock(const SettingsFileLock&) = delete;
  SettingsFileLock& operator=(const SettingsFileLock&) = delete;

 private:
  HANDLE mutex_ = nullptr;
  bool owned_ = false;
};
