#include "settings/settings_file_lock_win.h"

#include "common/path_rules.h"

namespace {

constexpr DWORD LOCK_WAIT_MS = 5000;
// A final path may be longer than MAX_PATH and carries the "\\?\" prefix.
constexpr int CANONICAL_PATH_UNITS = 1024;
constexpr DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opened for no access at all: another program's hold on the file, whatever its
// sharing, does not stand in the way.
HANDLE OpenForIdentity(const wchar_t* path) {
  return CreateFileW(path, 0, SHARE_ALL, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                     nullptr);
}

// The folder's final path (short names and junctions resolved) and the file's
// name, upper-cased as the file system compares names: "É" and "é" are one name
// to NTFS. Where the folder cannot be resolved, the full path as spelled stands in.
void CanonicalPathOf(const wchar_t* settingsPath, wchar_t (&canonical)[CANONICAL_PATH_UNITS]) {
  wchar_t full[CANONICAL_PATH_UNITS];
  DWORD length = GetFullPathNameW(settingsPath, CANONICAL_PATH_UNITS, full, nullptr);
  if (length == 0 || length >= CANONICAL_PATH_UNITS) CopyText(full, settingsPath);
  wchar_t resolved[CANONICAL_PATH_UNITS];
  const wchar_t* name = FindFileName(full);
  resolved[0] = 0;
  if (name != full) {
    wchar_t folder[CANONICAL_PATH_UNITS];
    lstrcpynW(folder, full, static_cast<int>(name - full) + 1);
    HANDLE handle = OpenForIdentity(folder);
    if (handle != INVALID_HANDLE_VALUE) {
      DWORD units = GetFinalPathNameByHandleW(handle, resolved, CANONICAL_PATH_UNITS,
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
      if (units == 0 || units >= CANONICAL_PATH_UNITS - 1) resolved[0] = 0;
      CloseHandle(handle);
    }
  }
  size_t resolvedLength = TextLength(resolved);
  bool joined = resolvedLength > 0 &&
                (resolved[resolvedLength - 1] == L'\\' || AppendText(resolved, L"\\")) &&
                AppendText(resolved, name);
  if (!joined) CopyText(resolved, full);
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, resolved, -1, canonical,
                    CANONICAL_PATH_UNITS, nullptr, nullptr, 0) == 0) {
    CopyText(canonical, resolved);
  }
}

// Waits until deadline; an abandoned mutex (its owner died mid-save) is ours now,
// and the file is whatever that owner left: still the best base to write onto.
bool Acquire(HANDLE mutex, ULONGLONG deadline) {
  if (mutex == nullptr) return false;
  ULONGLONG now = GetTickCount64();
  DWORD waited = WaitForSingleObject(mutex, now < deadline ? static_cast<DWORD>(deadline - now) : 0);
  return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void PathLockNameOf(const wchar_t* settingsPath, wchar_t (&name)[SETTINGS_LOCK_NAME_UNITS]) {
  wchar_t canonical[CANONICAL_PATH_UNITS];
  CanonicalPathOf(settingsPath, canonical);
  SettingsLockNameOf(canonical, name);
}

// The identity lock of the file; false (and no name) while it does not exist.
bool FileLockNameOf(const wchar_t* settingsPath, wchar_t (&name)[SETTINGS_LOCK_NAME_UNITS]) {
  name[0] = 0;
  HANDLE file = OpenForIdentity(settingsPath);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file, &info)) {
    ULONGLONG index = (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    SettingsFileLockNameOf(info.dwVolumeSerialNumber, index, name);
  }
  CloseHandle(file);
  return name[0] != 0;
}

}  // namespace

void SettingsLockNamesOf(const wchar_t* settingsPath, SettingsLockNames& names) {
  PathLockNameOf(settingsPath, names.path);
  FileLockNameOf(settingsPath, names.file);
}

SettingsFileLock::SettingsFileLock(const wchar_t* settingsPath) {
  if (settingsPath[0] == 0) return;  // nothing will be written
  ULONGLONG deadline = GetTickCount64() + LOCK_WAIT_MS;
  wchar_t name[SETTINGS_LOCK_NAME_UNITS];
  PathLockNameOf(settingsPath, name);
  pathMutex_ = CreateMutexW(nullptr, FALSE, name);
  pathOwned_ = Acquire(pathMutex_, deadline);
  if (!pathOwned_) return;
  // Looked up once the path is ours: the file may have been created meanwhile.
  if (FileLockNameOf(settingsPath, name)) {
    fileMutex_ = CreateMutexW(nullptr, FALSE, name);
    fileOwned_ = Acquire(fileMutex_, deadline);
    owned_ = fileOwned_;
  } else {
    owned_ = true;
  }
}
SettingsFileLock::~SettingsFileLock() {
  if (fileOwned_) ReleaseMutex(fileMutex_);
  if (fileMutex_ != nullptr) CloseHandle(fileMutex_);
  if (pathOwned_) ReleaseMutex(pathMutex_);
  if (pathMutex_ != nullptr) CloseHandle(pathMutex_);
}
