#include "icons/icon_cache_win.h"

#include "common/module_path_win.h"
#include "common/path_rules.h"

wchar_t iconCacheDir[ICON_PATH_CAPACITY];

namespace {

// The executable's folder joined with name; false when it does not fit.
bool BesideExecutable(const wchar_t* name, wchar_t (&path)[ICON_PATH_CAPACITY]) {
  if (!GetExecutablePath(path)) return false;
  wchar_t* fileName = const_cast<wchar_t*>(FindFileName(path));
  *fileName = 0;  // keeps the trailing backslash
  if (AppendText(path, name)) return true;
  path[0] = 0;
  return false;
}

bool IsDirectory(const wchar_t* path) {
  DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

void SetIconCacheDir() {
  if (!BesideExecutable(L"iconcache", iconCacheDir)) return;
  if (GetFileAttributesW(iconCacheDir) == INVALID_FILE_ATTRIBUTES) {
    CreateDirectoryW(iconCacheDir, nullptr);
  }
}

void ClearIconCacheDir() { iconCacheDir[0] = 0; }

void CreateIconSizeFolder(const wchar_t* cachePath) {
  wchar_t folder[ICON_PATH_CAPACITY];
  CopyText(folder, cachePath);
  *const_cast<wchar_t*>(FindFileName(folder)) = 0;
  CreateDirectoryW(folder, nullptr);
}

void MigrateIconCacheDir() {
  wchar_t current[ICON_PATH_CAPACITY];
  wchar_t legacy[ICON_PATH_CAPACITY];
  if (!BesideExecutable(L"iconcache", current) || !BesideExecutable(L"iconcash", legacy)) return;
  if (IsDirectory(legacy) && !IsDirectory(current)) MoveFileW(legacy, current);
}
