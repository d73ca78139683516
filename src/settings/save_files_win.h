#pragma once
// The file operations a save and its recovery are made of. Each waits a few
// seconds for a file another program holds (a sync client, a virus scanner), and
// leaves the system's code for what failed in GetLastError.

#include <windows.h>

// A sync client, backup tool or virus scanner holds a file for a moment, often
// right after it changed; such a hold is usually over within a second.
constexpr DWORD HELD_FILE_WAIT_MS = 3000;
constexpr DWORD HELD_FILE_POLL_MS = 50;

inline bool IsHeldByAnotherProgram(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The last error, or a write fault where a failed step left none to tell.
inline DWORD LastErrorOrWriteFault() {
  DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
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

// Every byte of from into a new file to (replacing one there), flushed to the disk.
// A missing from is nothing to copy: true, and no file is made.
bool CopyWholeFile(const wchar_t* from, const wchar_t* to);
// The bytes of copy written into the settings file itself, never a new file under
// its name: a hard link to it, and its identity, stay.
bool PutCopyBack(const wchar_t* settingsPath, const wchar_t* copyPath);
// Both files exist and hold the same bytes.
bool SameBytes(const wchar_t* pathA, const wchar_t* pathB);
// A missing file counts as deleted.
bool DeleteCopy(const wchar_t* path);
// An empty file, on the disk when this returns.
bool WriteRecord(const wchar_t* path);
bool Exists(const wchar_t* path);
// path exists and was last written no earlier than other.
bool WrittenSince(const wchar_t* path, const wchar_t* other);
// The file's text, read in the ANSI code page as the profile API reads a file
// without a byte-order mark, written back in place as UTF-16LE with the mark:
// every line, comments too, as before, and any character storable from now on.
bool RewriteAsUtf16(const wchar_t* path);
// The file begins with a byte-order mark (UTF-16 or UTF-8): the profile API keeps
// its text in that encoding, which holds any character.
bool BeginsWithByteOrderMark(const wchar_t* path);
// The settings file's written bytes onto the disk, through a handle of the file itself.
bool FlushToDisk(const wchar_t* path);
