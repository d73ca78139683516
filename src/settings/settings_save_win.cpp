#include "settings/settings_save_win.h"

namespace {

// A sync client, backup tool or virus scanner holds a file for a moment, often
// right after it changed; such a hold is usually over within a second.
constexpr DWORD HELD_FILE_WAIT_MS = 3000;
constexpr DWORD HELD_FILE_POLL_MS = 50;

bool IsHeldByAnotherProgram(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Runs attempt until it succeeds, fails for another reason than a file held
// elsewhere, or the wait is over. The last failure's code stays in GetLastError.
template <typename Attempt>
bool RetryWhileHeld(Attempt attempt) {
  ULONGLONG deadline = GetTickCount64() + HELD_FILE_WAIT_MS;
  for (;;) {
    if (attempt()) return true;
    DWORD error = GetLastError();
    if (!IsHeldByAnotherProgram(error) || GetTickCount64() >= deadline) {
      SetLastError(error);
      return false;
    }
    Sleep(HELD_FILE_POLL_MS);
  }
}

// Nobody else writes while the settings file or a copy is read: the result is
// the file as one moment saw it.
HANDLE OpenForReading(const wchar_t* path) {
  HANDLE file = INVALID_HANDLE_VALUE;
  RetryWhileHeld([&] {
    file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return file != INVALID_HANDLE_VALUE;
  });
  return file;
}

// Keeps the last error of a failed step across the closing of handles.
void CloseKeepingError(HANDLE handle) {
  DWORD error = GetLastError();
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  SetLastError(error);
}

// One chunk buffer serves every copy: the program has one thread.
BYTE copyChunk[64 * 1024];
BYTE compareChunk[sizeof copyChunk];

// Every byte of from into to, which is cut after them and flushed to the disk.
bool CopyBytes(HANDLE from, HANDLE to) {
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(from, copyChunk, sizeof copyChunk, &read, nullptr)) return false;
    if (read == 0) break;
    DWORD written = 0;
    if (!WriteFile(to, copyChunk, read, &written, nullptr)) return false;
    if (written != read) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
  }
  return SetEndOfFile(to) && FlushFileBuffers(to);
}

bool SameBytes(const wchar_t* pathA, const wchar_t* pathB) {
  HANDLE a = OpenForReading(pathA);
  HANDLE b = OpenForReading(pathB);
  bool same = a != INVALID_HANDLE_VALUE && b != INVALID_HANDLE_VALUE;
  while (same) {
    DWORD readA = 0, readB = 0;
    same = ReadFile(a, copyChunk, sizeof copyChunk, &readA, nullptr) &&
           ReadFile(b, compareChunk, sizeof compareChunk, &readB, nullptr) && readA == readB &&
           memcmp(copyChunk, compareChunk, readA) == 0;
    if (readA == 0) break;
  }
  CloseKeepingError(a);
  CloseKeepingError(b);
  return same;
}

// The copy's bytes into the settings file itself, never a new file under its
// name: a hard link to it, and its identity, stay.
bool PutCopyBack(const wchar_t* settingsPath, const wchar_t* copyPath) {
  HANDLE copy = OpenForReading(copyPath);
  if (copy == INVALID_HANDLE_VALUE) return false;
  HANDLE settings = INVALID_HANDLE_VALUE;
  RetryWhileHeld([&] {
    settings = CreateFileW(settingsPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return settings != INVALID_HANDLE_VALUE;
  });
  bool restored = settings != INVALID_HANDLE_VALUE && CopyBytes(copy, settings);
  CloseKeepingError(settings);
  CloseKeepingError(copy);
  return restored;
}

bool DeleteCopy(const wchar_t* path) {
  return RetryWhileHeld(
      [&] { return DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND; });
}

bool Exists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// The settings file's written bytes onto the disk, through a handle of the file itself.
bool FlushToDisk(const wchar_t* path) {
  HANDLE file = INVALID_HANDLE_VALUE;
  RetryWhileHeld([&] {
    file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file != INVALID_HANDLE_VALUE;
  });
  bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
  CloseKeepingError(file);
  return flushed;
}

StartRecovery Recover(const wchar_t* settingsPath, const wchar_t* wholeCopy,
                      const wchar_t* partialCopy) {
  bool wholeFound = Exists(wholeCopy);
  bool partialFound = Exists(partialCopy);
  if (!wholeFound && !partialFound) return StartRecovery::NothingToDo;  // every normal start
  RecoveryPlan plan =
      PlanRecovery(wholeFound, wholeFound && SameBytes(wholeCopy, settingsPath), partialFound);
  if (plan.deletePartialCopy) DeleteCopy(partialCopy);
  if (plan.restoreWholeCopy && !PutCopyBack(settingsPath, wholeCopy)) return StartRecovery::Failed;
  // A copy left behind now holds what the file holds: the next start only drops it.
  if (plan.deleteWholeCopy) DeleteCopy(wholeCopy);
  return plan.tellUser ? StartRecovery::Restored : StartRecovery::NothingToDo;
}

}  // namespace

StartRecovery RecoverUnfinishedSave(const wchar_t* settingsPath) {
  wchar_t wholeCopy[SAVE_COPY_PATH_UNITS], partialCopy[SAVE_COPY_PATH_UNITS];
  if (!SaveCopyPathsOf(settingsPath, wholeCopy, partialCopy)) return StartRecovery::NothingToDo;
  return Recover(settingsPath, wholeCopy, partialCopy);
}

SettingsSave::SettingsSave(const wchar_t* settingsPath)
    : lock_(settingsPath), store_(settingsPath), path_(settingsPath) {}

SettingsSave::~SettingsSave() { Finish(); }

void SettingsSave::ReadText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                            wchar_t* buffer, size_t capacity) {
  store_.ReadText(section, key, fallback, buffer, capacity);
}

void SettingsSave::WriteText(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  if (error_ != ERROR_SUCCESS || finished_) return;
  if (!begun_ && !BeginWriting()) return;
  written_ = true;  // even a failed write may have cut the file
  if (!RetryWhileHeld([&] { return store_.WriteValue(section, key, value); })) {
    error_ = GetLastError();
  }
}

bool SettingsSave::BeginWriting() {
  begun_ = true;
  if (!SaveCopyPathsOf(path_, wholeCopy_, partialCopy_)) {
    error_ = ERROR_FILENAME_EXCED_RANGE;
    return false;
  }
  // An unfinished save first: its copy is the last whole state. A lock not won in
  // its wait belongs to a launcher still saving, whose copy is not ours to take;
  // then the rename of our own copy fails, and so does this save, safely.
  bool recovered =
      !lock_.Owned() || Recover(path_, wholeCopy_, partialCopy_) != StartRecovery::Failed;
  if (!recovered || !MakeWholeCopy()) {
    error_ = GetLastError();
    if (error_ == ERROR_SUCCESS) error_ = ERROR_WRITE_FAULT;
    return false;
  }
  return true;
}

// Written under a name of its own and flushed, then renamed: whatever exists
// under the final name is whole. Without a copy nothing is written at all, since
// the file could not be put back after a write cut short.
bool SettingsSave::MakeWholeCopy() {
  HANDLE settings = OpenForReading(path_);
  if (settings == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    // No file yet: there is nothing to lose, and a failure removes what was begun.
    createdFile_ = error == ERROR_FILE_NOT_FOUND;
    return createdFile_;
  }
  HANDLE partial = CreateFileW(partialCopy_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  bool whole = partial != INVALID_HANDLE_VALUE && CopyBytes(settings, partial);
  CloseKeepingError(partial);
  CloseKeepingError(settings);
  whole = whole && MoveFileExW(partialCopy_, wholeCopy_, MOVEFILE_WRITE_THROUGH);
  if (!whole) {
    DWORD error = GetLastError();
    DeleteFileW(partialCopy_);
    SetLastError(error);
    return false;
  }
  copied_ = true;
  return true;
}

DWORD SettingsSave::Finish() {
  if (finished_) return error_;
  finished_ = true;
  if (error_ == ERROR_SUCCESS && written_ && !FlushToDisk(path_)) error_ = GetLastError();
  if (error_ != ERROR_SUCCESS) {
    if (!written_) return error_;
    // A failed write may have cut the file: it gets the copy's bytes back (or,
    // if that fails too, the copy stays for the next start to put back).
    if (copied_) Recover(path_, wholeCopy_, partialCopy_);
    if (createdFile_) DeleteFileW(path_);
    return error_;
  }
  // Left behind, the copy would undo this save at the next start.
  if (copied_ && !DeleteCopy(wholeCopy_)) error_ = GetLastError();
  return error_;
}
