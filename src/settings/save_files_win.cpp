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

bool BeginsWithByteOrderMark(const wchar_t* path) {
  HANDLE file = Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0);
  BYTE head[3] = {};
  DWORD read = 0;
  bool ok = file != INVALID_HANDLE_VALUE && ReadFile(file, head, sizeof head, &read, nullptr);
  CloseKeepingError(file);
  return ok && ((read >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF))) ||
                (read == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF));
}

bool RewriteAsUtf16(const wchar_t* path) {
  // What the profile API keeps of the file in memory would otherwise be written
  // back over the new text, in the old encoding.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
  HANDLE file = Open(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, 0);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool done = GetFileSizeEx(file, &size);
  // Far beyond any settings file; a text this size would not fit the conversion's int.
  if (done && size.QuadPart > 256 * 1024 * 1024) {
    SetLastError(ERROR_FILE_TOO_LARGE);
    done = false;
  }
  const int bytes = static_cast<int>(size.QuadPart);
  HANDLE heap = GetProcessHeap();
  auto* ansi = done ? static_cast<char*>(HeapAlloc(heap, 0, bytes + 1)) : nullptr;
  DWORD read = 0;
  done = ansi != nullptr && ReadFile(file, ansi, bytes, &read, nullptr) && read == static_cast<DWORD>(bytes);
  int units = done && bytes > 0 ? MultiByteToWideChar(CP_ACP, 0, ansi, bytes, nullptr, 0) : 0;
  auto* text = done ? static_cast<wchar_t*>(HeapAlloc(heap, 0, (units + 1) * sizeof(wchar_t))) : nullptr;
  done = text != nullptr && (bytes == 0 || MultiByteToWideChar(CP_ACP, 0, ansi, bytes, text + 1, units) == units);
  if (done) {
    text[0] = 0xFEFF;
    DWORD length = static_cast<DWORD>(units + 1) * sizeof(wchar_t), written = 0;
    done = SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
           WriteFile(file, text, length, &written, nullptr) && written == length &&
           SetEndOfFile(file) && FlushFileBuffers(file);
  }
  if (!done && GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_WRITE_FAULT);
  if (text != nullptr) HeapFree(heap, 0, text);
  if (ansi != nullptr) HeapFree(heap, 0, ansi);
  CloseKeepingError(file);
  return done;
}
