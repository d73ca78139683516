// The floor the launcher is measured against: the least a Win32 program can do to
// show a window of the launcher's size. It closes on Escape; Q starts recorder.exe
// from its own folder, as a launcher hotkey would, so that key to launch has a
// floor that receives its key the same way.

#include <windows.h>

static void StartRecorder() {
  wchar_t line[MAX_PATH + 8] = L"\"";
  DWORD length = GetModuleFileNameW(nullptr, line + 1, MAX_PATH);
  while (length > 0 && line[length] != L'\\') --length;
  lstrcpyW(line + length + 1, L"recorder.exe\" x");
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

static LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_KEYDOWN && wParam == VK_ESCAPE) || message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  if (message == WM_KEYDOWN && wParam == 'Q') {
    StartRecorder();
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
