// Takes the README's pictures under Wine: opens the launcher on a file, saves its
// window as a bitmap, opens the edit dialog of the second slot with
// Shift+Enter and saves that too, then closes both without saving a change.
//   window_capture.exe <folder with Pivora64.exe> <file> <window.bmp> <dialog.bmp>
// scripts/screenshots.sh turns the bitmaps into the PNGs in docs/.

#include <windows.h>

#include <cstdio>
#include <string>

#include "launcher_harness.h"

using namespace e2e;

namespace {

// The screen's pixels under window, as a 24-bit bottom-up .bmp file.
bool SaveWindowPixels(HWND window, const wchar_t* path) {
  RECT rect = WindowRect(window);
  BITMAPINFOHEADER header = {sizeof header, rect.right - rect.left, rect.bottom - rect.top, 1, 24,
                             BI_RGB};
  if (window == nullptr || header.biWidth <= 0 || header.biHeight <= 0) return false;
  BITMAPFILEHEADER file = {0x4D42};  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  std::string pixels((header.biWidth * 3 + 3) / 4 * 4 * header.biHeight, '\0');
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, header.biWidth, header.biHeight);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, header.biWidth, header.biHeight, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  bool read = GetDIBits(memory, bitmap, 0, header.biHeight, &pixels[0],
                        reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == header.biHeight;
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  WriteBytes(path, std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                       std::string(reinterpret_cast<const char*>(&header), sizeof header) + pixels);
  return read && FileExists(path);
}

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  return *reinterpret_cast<bool*>(found) = true, 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5)
    return std::fprintf(stderr,
                        "usage: window_capture <folder> <file> <window.bmp> <dialog.bmp>\n"),
           1;
  // Without Marlett, Wine draws the caption buttons as letters: no pictures then.
  LOGFONTW marlett = {0, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Marlett"};
  bool found = false;
  EnumFontFamiliesExW(GetDC(nullptr), &marlett, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
  if (!found) return std::fprintf(stderr, "window_capture: no Marlett font in the prefix\n"), 1;
  std::wstring commandLine =
      L"\"" + std::wstring(argv[1]) + L"\\Pivora64.exe\" \"" + argv[2] + L"\"";
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, argv[1],
                      &startup, &process)) {
    return std::fprintf(stderr, "window_capture: the launcher did not start\n"), 1;
  }
  const char* failed = nullptr;
  HWND window = nullptr, dialog = nullptr;
  WaitUntil(
      [&] { return (window = FindProcessWindow(process.dwProcessId, L"Pivora64")) != nullptr; });
  Activate(window);
  Sleep(1000);  // icons and the first paint
  if (!SaveWindowPixels(window, argv[3])) failed = "no launcher window to capture";
  PressKey(VK_RIGHT);  // the second slot shows %1 and the administrator box ticked
  PressKey(VK_RETURN, {VK_SHIFT});
  WaitUntil(
      [&] { return (dialog = FindProcessWindow(process.dwProcessId, L"#32770")) != nullptr; });
  Sleep(500);
  if (!SaveWindowPixels(dialog, argv[4]) && !failed) failed = "no edit dialog to capture";
  PressKey(VK_ESCAPE);
  WaitUntil([&] { return FindProcessWindow(process.dwProcessId, L"#32770") == nullptr; });
  Activate(window);
  PressKey(VK_ESCAPE);
  if (WaitForSingleObject(process.hProcess, WAIT_MS) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 99);
    if (!failed) failed = "the launcher did not close";
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (failed) std::fprintf(stderr, "window_capture: %s\n", failed);
  return failed ? 1 : 0;
}
