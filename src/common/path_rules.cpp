#include "common/path_rules.h"

const WideChar* FindExtension(const WideChar* path) {
  const WideChar* dot = nullptr;
  const WideChar* p = path;
  for (; *p != 0; ++p) {
    if (*p == '\\' || *p == ' ') {
      dot = nullptr;
    } else if (*p == '.') {
      dot = p;
    }
  }
  return dot != nullptr ? dot : p;
}

static bool IsSeparator(WideChar unit) { return unit == '\\' || unit == '/' || unit == ':'; }

const WideChar* FindFileName(const WideChar* path) {
  const WideChar* name = path;
  for (const WideChar* p = path; *p != 0; ++p) {
    if (IsSeparator(p[0]) && p[1] != 0 && p[1] != '\\' && p[1] != '/') name = p + 1;
  }
  return name;
}

bool IsDriveAbsolutePath(const WideChar* path) {
  WideChar drive = path[0];
  bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
  return letter && path[1] == ':' && path[2] == '\\';
}
