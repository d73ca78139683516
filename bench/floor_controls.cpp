// A second floor: the empty window plus the controls the launcher cannot do
// without, so its start-up shows what those cost by themselves. The status bar
// comes from comctl32 6 (chosen by the manifest); with floor.ico beside it, twelve
// icon buttons each get that icon read from the file, as a warm icon cache does.

#include <windows.h>
#include <commctrl.h>

static LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_KEYDOWN && wParam == VK_ESCAPE) || message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

static void AddIconButtons(HWND window, HINSTANCE instance) {
  wchar_t icon[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, icon, MAX_PATH);
  while (length > 0 && icon[length - 1] != L'\\') --length;
  lstrcpyW(icon + length, L"floor.ico");
  if (GetFileAttributesW(icon) == INVALID_FILE_ATTRIBUTES) return;
  for (int slot = 0; slot < 12; ++slot) {
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_ICON,
                                  4 + 37 * (slot % 4), 4 + 37 * (slot / 4), 34, 34, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + slot)),
                                  instance, nullptr);
    HANDLE image = LoadImageW(nullptr, icon, IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(image));
  }
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSEXW windowClass = {sizeof windowClass};
  windowClass.lpfnWndProc = FloorProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"PivoraFloor";
  RegisterClassExW(&windowClass);
  RECT frame = {0, 0, 152, 138};
  AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU, FALSE);
  HWND window = CreateWindowExW(0, L"PivoraFloor", L"floor", WS_CAPTION | WS_SYSMENU, 100, 100,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0, 0,
                  window, nullptr, instance, nullptr);
  AddIconButtons(window, instance);
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
