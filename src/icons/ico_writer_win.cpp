#include "icons/ico_writer_win.h"

#include <cstdlib>

#include "common/path_rules.h"
#include "icons/ico_layout.h"

namespace {

BitmapShape ShapeOf(const BITMAP& bitmap) {
  return {bitmap.bmWidth, bitmap.bmHeight, bitmap.bmWidthBytes, bitmap.bmPlanes,
          bitmap.bmBitsPixel};
}

// The bitmap's rows, top row first, as the platform returns them. Owned by the caller.
uint8_t* ReadBitmapRows(HBITMAP bitmap, BitmapShape& shape) {
  BITMAP description;
  if (GetObjectW(bitmap, sizeof description, &description) != sizeof description) return nullptr;
  shape = ShapeOf(description);
  if (shape.widthBytes <= 0 || shape.height <= 0) return nullptr;
  LONG bytes = shape.widthBytes * shape.height;
  auto* rows = static_cast<uint8_t*>(malloc(static_cast<size_t>(bytes)));
  if (rows != nullptr && GetBitmapBits(bitmap, bytes, rows) != bytes) {
    free(rows);
    rows = nullptr;
  }
  return rows;
}

// The whole file in memory; null when the icon cannot be stored.
uint8_t* LayOutIcon(HICON icon, size_t& size) {
  ICONINFO info;
  if (!GetIconInfo(icon, &info)) return nullptr;
  uint8_t* file = nullptr;
  // A monochrome icon has no colour bitmap: its mask holds both planes, which
  // this single-image layout does not describe.
  if (info.hbmColor != nullptr && info.hbmMask != nullptr) {
    BitmapShape color, mask;
    uint8_t* colorRows = ReadBitmapRows(info.hbmColor, color);
    uint8_t* maskRows = ReadBitmapRows(info.hbmMask, mask);
    size = (colorRows && maskRows) ? IcoFileBytes(color, mask) : 0;
    if (size != 0) file = static_cast<uint8_t*>(malloc(size));
    if (file != nullptr && LayOutIcoFile(color, colorRows, mask, maskRows, file, size) != size) {
      free(file);
      file = nullptr;
    }
    free(colorRows);
    free(maskRows);
  }
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return file;
}

}  // namespace

void WriteIconFile(HICON icon, const wchar_t* path) {
  // Written under a name of this process's own, then renamed into place: another
  // launcher loading or writing the same icon at this moment sees the old file,
  // the new one, or none, never a half-written one.
  wchar_t temporary[MAX_PATH];
  int folderLength = lstrlenW(path) - lstrlenW(FindFileName(path));
  if (folderLength + 24 >= MAX_PATH) return;  // no room for the temporary name: not cached
  lstrcpynW(temporary, path, folderLength + 1);
  wsprintfW(temporary + folderLength, L"~pivora%lu.tmp", GetCurrentProcessId());

  size_t size = 0;
  uint8_t* bytes = LayOutIcon(icon, size);
  if (bytes == nullptr) return;
  HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    BOOL whole = WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) &&
                 written == size;
    CloseHandle(file);
    if (!whole || !MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING)) DeleteFileW(temporary);
  }
  free(bytes);
}
