#include "common/module_path_win.h"

bool GetExecutablePath(wchar_t (&path)[MAX_PATH]) {
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    path[0] = 0;
    return false;
  }
  return true;
}
