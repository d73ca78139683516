#include "settings/ini_file_store.h"

#include "settings/save_files_win.h"
#include "settings/section_listing.h"

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

// Whether the ANSI code page, in which the profile API writes a file without a
// byte-order mark, holds text exactly: no character turned into "?", none into a
// look-alike (a best-fit mapping writes "é" as "e" on code page 932).
bool CodePageHolds(const wchar_t* text) {
  UINT codePage = GetACP();
  if (codePage == CP_UTF8) {
    return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, nullptr, 0, nullptr,
                               nullptr) != 0;
  }
  BOOL usedDefault = FALSE;
  int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr,
                                   &usedDefault);
  return length != 0 && !usedDefault;
}

bool CodePageHoldsEntry(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  return CodePageHolds(section) && CodePageHolds(key) && (value == nullptr || CodePageHolds(value));
}

}  // namespace

IniFileStore::~IniFileStore() {
  if (listing_ != nullptr) HeapFree(GetProcessHeap(), 0, listing_);
}

// The profile API parses the whole file on every call, which makes a large file
// slow to read key by key; so a section is read whole once and its keys are
// looked up in memory. A section that does not fit the listing (or a name too
// long to remember) is read key by key as before.
bool IniFileStore::ListSection(const wchar_t* section) {
  if (listingValid_ && lstrcmpW(listedSection_, section) == 0) return true;
  listingValid_ = false;
  if (lstrlenW(section) >= static_cast<int>(LISTED_SECTION_CAPACITY)) return false;
  if (listing_ == nullptr) {
    listing_ = static_cast<wchar_t*>(
        HeapAlloc(GetProcessHeap(), 0, LISTING_CAPACITY * sizeof(wchar_t)));
    if (listing_ == nullptr) return false;
  }
  DWORD length = GetPrivateProfileSectionW(section, listing_, LISTING_CAPACITY, path_);
  if (length >= LISTING_CAPACITY - 2) return false;  // cut: some keys would be missing
  listing_[length] = 0;
  listingLength_ = length + 1;
  lstrcpyW(listedSection_, section);
  listingValid_ = true;
  return true;
}

void IniFileStore::ReadText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                            wchar_t* buffer, size_t capacity) {
  if (capacity == 0) return;
  if (path_[0] == 0) {  // no usable settings path: every key reads as missing
    CopyTextBounded(buffer, capacity, fallback != nullptr ? fallback : L"");
    return;
  }
  // The listing leaves comment lines out, so a name that looks like one is asked for directly.
  if (key[0] == L';' || !ListSection(section)) {
    GetPrivateProfileStringW(section, key, fallback, buffer, static_cast<DWORD>(capacity), path_);
    return;
  }
  if (FindListedValue(listing_, listingLength_, key, buffer, capacity) == ListedValue::Missing) {
    CopyTextBounded(buffer, capacity, fallback != nullptr ? fallback : L"");
  }
}

bool IniFileStore::ExistsButUnreadable() const {
  if (path_[0] == 0) return false;
  HANDLE file = CreateFileW(path_, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

void IniFileStore::WriteText(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  WriteValue(section, key, value);
}

bool IniFileStore::WriteValue(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  if (path_[0] == 0) {  // no usable settings path: write nothing rather than elsewhere
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  if (value != nullptr && !fileEnsured_) {
    CreateUnicodeFileIfMissing(path_);
    fileEnsured_ = true;
  }
  // A file in the code page that cannot hold this text becomes UTF-16 first, every
  // line as the profile API reads it; one that can keeps its bytes and its encoding.
  if (!holdsAnyText_ && !CodePageHoldsEntry(section, key, value) && Exists(path_)) {
    if (!BeginsWithByteOrderMark(path_) && !RewriteAsUtf16(path_)) return false;
    holdsAnyText_ = true;
  }
  listingValid_ = false;
  return WritePrivateProfileStringW(section, key, value, path_) != FALSE;
}
