#pragma once
// Saves that nothing can cut short. The profile API rewrites the whole settings
// file in place at every write, so a kill, a crash or a power cut during a save
// could leave it cut or empty. A save therefore keeps a whole copy of the file
// beside it from before its first write until the file's new bytes are on the
// disk; a start that finds such a copy puts its bytes back (save_recovery_win.h).
// The settings file is only ever written in place: it may be a hard link a
// package manager keeps.

#include <windows.h>

#include "settings/ini_file_store.h"
#include "settings/profile_store.h"
#include "settings/save_copy_rules.h"
#include "settings/save_recovery_win.h"
#include "settings/settings_file_lock_win.h"

// One save, under the settings lock for its whole life. It first puts back the
// copy of a cut save (a launcher that died with the lock), if any, so that what it
// reads is the file's last whole state; before its first write it makes its own
// whole copy. After a failure nothing more is written.
class SettingsSave final : public ProfileStore {
 public:
  explicit SettingsSave(const wchar_t* settingsPath);
  ~SettingsSave();  // finishes a save its owner did not
  SettingsSave(const SettingsSave&) = delete;
  SettingsSave& operator=(const SettingsSave&) = delete;

  // What putting back a cut save's copy did when this save began.
  StartRecovery Recovered() const { return recovered_; }

  void ReadText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                wchar_t* buffer, size_t capacity) override;
  void WriteText(const wchar_t* section, const wchar_t* key, const wchar_t* value) override;

  // After the last write: the file is flushed to the disk and the copy dropped, or,
  // when something failed, the file gets the copy's bytes back, so it is exactly
  // as before the save. ERROR_SUCCESS, or the system's code for the first failure.
  DWORD Finish();

 private:
  bool MakeWholeCopy();
  void RollBack();

  SettingsFileLock lock_;  // first: taken before, released after, everything below
  IniFileStore store_;
  const wchar_t* path_;
  SaveCopyPaths copies_;
  StartRecovery recovered_ = StartRecovery::Skipped;
  DWORD blocked_ = ERROR_SUCCESS;  // why no write may begin
  bool begun_ = false;             // the first write has been prepared for
  bool copied_ = false;            // the whole copy exists and is this save's
  bool createdFile_ = false;       // there was no settings file before this save
  bool written_ = false;           // the profile API has been asked to write
  bool finished_ = false;
  DWORD error_ = ERROR_SUCCESS;
};
