// The floor the launcher is measured against: the least a Win32 program can do to
// show a window of the launcher's size. It closes on Escape.

#include <windows.h>

static LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_KEYDOWN && wParam == VK_ESCAPE) || message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSEXW windowClass = {sizeof windowClass};
  windowClass.lpfnWndProc = FloorProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  windowClass.lpszClassName = L"PivoraFloor";
  RegisterClassExW(&windowClass);
  RECT frame = {0, 0, 152, 138};
  AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU, FALSE);
  HWND window = CreateWindowExW(0, L"PivoraFloor", L"floor", WS_CAPTION | WS_SYSMENU, 100, 100,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
