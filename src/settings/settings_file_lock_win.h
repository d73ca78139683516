#pragma once
// One launcher at a time at the settings file. The profile API rewrites the whole
// file on every write from what it read before, so two launchers closing together
// would otherwise put back each other's old keys, and a save's copy and recovery
// belong to the launcher that owns the lock.
//
// The lock names the file, not the spelling of its path: one file reached through
// a short name, a junction, a hard link a package manager keeps, or a letter case
// the file system folds is one lock. Two mutexes stand for it: the path's, made
// from the folder's final path and the folded name, always taken first; and the
// file's identity (volume and file index), when the file exists. The first makes
// a launcher that creates the file and one that arrives just after share a lock.

#include <windows.h>

#include "settings/settings_path.h"

struct SettingsLockNames {
  wchar_t path[SETTINGS_LOCK_NAME_UNITS];
  wchar_t file[SETTINGS_LOCK_NAME_UNITS];  // empty while the file does not exist
};
void SettingsLockNamesOf(const wchar_t* settingsPath, SettingsLockNames& names);

class SettingsFileLock {
 public:
  // Waits for the file's lock. A launcher that hangs while holding it delays the
  // others a few seconds at most; then they go on without it (Owned() is false).
  explicit SettingsFileLock(const wchar_t* settingsPath);
  ~SettingsFileLock();
  // False when the wait ran out: another launcher is still at the file.
  bool Owned() const { return owned_; }
  SettingsFileLock(const SettingsFileLock&) = delete;
  SettingsFileLock& operator=(const SettingsFileLock&) = delete;

 private:
  HANDLE pathMutex_ = nullptr;
  HANDLE fileMutex_ = nullptr;
  bool pathOwned_ = false;
  bool fileOwned_ = false;
  bool owned_ = false;
};
