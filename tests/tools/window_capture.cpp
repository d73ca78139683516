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

// The screen's pixels under rect, as a 24-bit bottom-up .bmp file.
bool SaveScreenRect(const RECT& rect, const wchar_t* path) {
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER header = {sizeof header};
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::string pixels(rowBytes * height, '\0');
  bool read = GetDIBits(memory, bitmap, 0, height, pixels.data(),
                        reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!read) return false;

  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  bytes += pixels;
  WriteBytes(path, bytes);
  return FileExists(path);
}

int Fail(const char* what) {
  std::fprintf(stderr, "window_capture: %s\n", what);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) return Fail("usage: window_capture <folder> <file> <window.bmp> <dialog.bmp>");
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\\Pivora64.exe\" \"" + argv[2] + L"\"";
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, argv[1],
                      &startup, &process)) {
    return Fail("the launcher did not start");
  }
  int result = 0;
  HWND window = nullptr;
  HWND dialog = nullptr;
  WaitUntil([&] { return (window = FindProcessWindow(process.dwProcessId, L"Pivora64")) != nullptr; });
  if (window == nullptr || !Activate(window)) {
    result = Fail("no launcher window");
  } else {
    Sleep(1000);  // icons and the first paint
    if (!SaveScreenRect(WindowRect(window), argv[3])) result = Fail("window capture failed");
    PressKey(VK_RIGHT);  // the second slot shows %1 and the administrator box ticked
    PressKey(VK_RETURN, {VK_SHIFT});
    WaitUntil([&] { return (dialog = FindProcessWindow(process.dwProcessId, L"#32770")) != nullptr; });
    if (dialog == nullptr) {
      result = Fail("no edit dialog");
    } else {
      Sleep(500);
      if (!SaveScreenRect(WindowRect(dialog), argv[4])) result = Fail("dialog capture failed");
      PressKey(VK_ESCAPE);
      WaitUntil([&] { return FindProcessWindow(process.dwProcessId, L"#32770") == nullptr; });
    }
    Activate(window);
    PressKey(VK_ESCAPE);
  }
  if (WaitForSingleObject(process.hProcess, WAIT_MS) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 99);
    result = Fail("the launcher did not close");
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}
