#include "settings/settings_save_win.h"

#include "settings/save_files_win.h"

SettingsSave::SettingsSave(const wchar_t* settingsPath)
    : lock_(settingsPath), store_(settingsPath), path_(settingsPath) {
  if (!SaveCopyPathsOf(path_, copies_)) {
    blocked_ = ERROR_FILENAME_EXCED_RANGE;
    return;
  }
  // A lock not won in its wait belongs to a launcher still at the file, whose copy
  // is not ours to take and whose writes ours would undo.
  if (!lock_.Owned()) {
    blocked_ = ERROR_SHARING_VIOLATION;
    return;
  }
  RecoveryResult recovery = Recover(path_, copies_);
  recovered_ = recovery.outcome;
  blocked_ = recovery.error;  // a leftover that cannot go would be taken for this save's
}

SettingsSave::~SettingsSave() { Finish(); }

void SettingsSave::ReadText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                            wchar_t* buffer, size_t capacity) {
  store_.ReadText(section, key, fallback, buffer, capacity);
}

void SettingsSave::WriteText(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  if (error_ != ERROR_SUCCESS || finished_) return;
  if (!begun_) {
    begun_ = true;
    error_ = blocked_;
    if (error_ != ERROR_SUCCESS) return;
    if (!MakeWholeCopy()) {
      error_ = LastErrorOrWriteFault();
      return;
    }
  }
  written_ = true;  // even a failed write may have cut the file
  if (!RetryWhileHeld([&] { return store_.WriteValue(section, key, value); })) {
    error_ = GetLastError();
  }
}

// Written under a name of its own and flushed, then renamed: whatever exists
// under the final name is whole. Without a copy nothing is written at all, since
// the file could not be put back after a write cut short.
bool SettingsSave::MakeWholeCopy() {
  if (!Exists(path_)) {
    // No file yet: there is nothing to lose, and a failure removes what was begun.
    createdFile_ = GetLastError() == ERROR_FILE_NOT_FOUND;
    return createdFile_;
  }
  bool whole = CopyWholeFile(path_, copies_.partial) &&
               MoveFileExW(copies_.partial, copies_.whole, MOVEFILE_WRITE_THROUGH);
  if (!whole) {
    DWORD error = GetLastError();
    DeleteFileW(copies_.partial);
    SetLastError(error);
    return false;
  }
  copied_ = true;
  return true;
}

void SettingsSave::RollBack() {
  DWORD stays = ERROR_SUCCESS;
  // A copy that cannot be put back stays, for the next start or save to put back.
  if (copied_ && PutCopyBack(path_, copies_.whole)) RetireCopy(copies_, stays);
  if (createdFile_) DeleteFileW(path_);
}

DWORD SettingsSave::Finish() {
  if (finished_) return error_;
  finished_ = true;
  if (!written_) return error_;
  if (error_ == ERROR_SUCCESS && !FlushToDisk(path_)) error_ = GetLastError();
  // On the disk: the copy goes now, or is marked as of no more use; one that can be
  // neither would be taken for a cut save's, so the save is undone instead.
  DWORD stays = ERROR_SUCCESS;
  if (error_ == ERROR_SUCCESS && copied_ && !RetireCopy(copies_, stays)) error_ = stays;
  if (error_ != ERROR_SUCCESS) RollBack();
  return error_;
}
