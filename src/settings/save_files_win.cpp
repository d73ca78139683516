#include "settings/save_files_win.h"

namespace {

HANDLE Open(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  HANDLE file = INVALID_HANDLE_VALUE;
  RetryWhileHeld([&] {
    file = CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
    return file != INVALID_HANDLE_VALUE;
  });
  return file;
}

// Nobody else writes while the settings file or a copy is read: the result is
// the file as one moment saw it.
HANDLE OpenForReading(const wchar_t* path) {
  return Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
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

// from's bytes into to, opened with disposition; a missing from copies nothing.
bool CopyInto(const wchar_t* from, const wchar_t* to, DWORD disposition) {
  HANDLE source = OpenForReading(from);
  if (source == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  HANDLE target = Open(to, GENERIC_WRITE, FILE_SHARE_READ, disposition, FILE_ATTRIBUTE_NORMAL);
  bool copied = target != INVALID_HANDLE_VALUE && CopyBytes(source, target);
  CloseKeepingError(target);
  CloseKeepingError(source);
  return copied;
}

}  // namespace

bool CopyWholeFile(const wchar_t* from, const wchar_t* to) { return CopyInto(from, to, CREATE_ALWAYS); }

bool PutCopyBack(const wchar_t* settingsPath, const wchar_t* copyPath) {
  return Exists(copyPath) && CopyInto(copyPath, settingsPath, OPEN_ALWAYS);
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

bool DeleteCopy(const wchar_t* path) {
  return RetryWhileHeld(
      [&] { return DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND; });
}

bool WriteRecord(const wchar_t* path) {
  HANDLE record = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
  bool written = record != INVALID_HANDLE_VALUE && FlushFileBuffers(record);
  CloseKeepingError(record);
  return written;
}

bool Exists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

bool WrittenSince(const wchar_t* path, const wchar_t* other) {
  WIN32_FILE_ATTRIBUTE_DATA mine, theirs;
  return GetFileAttributesExW(path, GetFileExInfoStandard, &mine) &&
         GetFileAttributesExW(other, GetFileExInfoStandard, &theirs) &&
         CompareFileTime(&mine.ftLastWriteTime, &theirs.ftLastWriteTime) >= 0;
}

bool FlushToDisk(const wchar_t* path) {
  HANDLE file = Open(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL);
  bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
  CloseKeepingError(file);
  return flushed;
}
