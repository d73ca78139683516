#include "settings/ini_file_store.h"

namespace {

// The profile API writes a file in the ANSI code page unless the file already
// begins with a UTF-16LE byte-order mark; then it keeps it UTF-16. Starting a new
// file with the mark is what keeps Japanese (and any other) text intact on every
// machine. An existing file is left in whatever encoding it has.
void CreateUnicodeFileIfMissing(const wchar_t* path) {
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // exists already, or cannot be made: the API decides
  static const BYTE UTF16LE_BOM[] = {0xFF, 0xFE};
  DWORD written = 0;
  WriteFile(file, UTF16LE_BOM, sizeof UTF16LE_BOM, &written, nullptr);
  CloseHandle(file);
}

}  // namespace

void IniFileStore::ReadText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                            wchar_t* buffer, size_t capacity) {
  GetPrivateProfileStringW(section, key, fallback, buffer, static_cast<DWORD>(capacity), path_);
}

void IniFileStore::WriteText(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  if (path_[0] == 0) return;  // no usable settings path: write nothing rather than elsewhere
  if (value != nullptr && !fileEnsured_) {
    CreateUnicodeFileIfMissing(path_);
    fileEnsured_ = true;
  }
  WritePrivateProfileStringW(section, key, value, path_);
}
