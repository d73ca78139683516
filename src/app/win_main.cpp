// Entry point: register the class, place and create the window, run the loop.

#include <windows.h>

#include "app/app_state.h"
#include "app/display_scale_win.h"
#include "app/dll_search.h"
#include "app/invocation_rules.h"
#include "app/main_window.h"
#include "app/window_layout.h"
#include "app/window_placement.h"
#include "common/module_path_win.h"
#include "resources/resource.h"
#include "settings/ini_file_store.h"
#include "settings/settings_file_lock_win.h"
#include "settings/option_rules.h"
#include "settings/settings_save_win.h"
#include "settings/settings_path.h"

namespace {

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass = {sizeof windowClass};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, PIVORA_ICON_NAME);
  windowClass.hIconSm = LoadIconW(instance, PIVORA_ICON_SM_NAME);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  windowClass.lpszClassName = MAIN_WINDOW_CLASS;
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  RestrictDllSearch();  // before anything can load a library by name
  if (!RegisterMainWindowClass(instance)) return 0;

  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  POINT cursor = {0, 0};
  GetCursorPos(&cursor);
  // Sized for the system's DPI; the window opens on the monitor under it, takes
  // on that one's, and creation lays it out for that. Read after the cursor: under
  // Wine the display driver, loaded for the DPI, can move the cursor first.
  SIZE size = WindowSizeForDpi(SystemDpi());

  wchar_t executablePath[MAX_PATH];
  if (GetExecutablePath(executablePath)) SettingsPathOf(executablePath, iniPath);
  IniFileStore store(iniPath);
  StartContext context = {false, 0, &store, StartRecovery::NothingToDo};
  // A command line is at most 32,767 units, so argument 1 always fits whole.
  context.hasTarget = FirstArgumentOf(GetCommandLineW(), context.programPathLength, targetPath,
                                      TARGET_PATH_CAPACITY);
  bool onMouse = false;
  {
    SettingsFileLock lock(iniPath);  // another launcher may be rewriting the file
    // A refused start writes nothing; the next real one puts the file back and says so.
    if (context.hasTarget) {
      context.recovery = lock.Owned() ? RecoverUnfinishedSave(iniPath) : StartRecovery::Skipped;
    }
    onMouse = ReadOnMouse(store);
  }
  WindowOrigin origin =
      PlaceWindow(desktop.right, desktop.bottom, cursor.x, cursor.y, size.cx, size.cy, onMouse);

  HWND window = CreateWindowExW(0, MAIN_WINDOW_CLASS, L"Pivora64", MAIN_WINDOW_STYLE, origin.x,
                                origin.y, size.cx, size.cy, nullptr, nullptr, instance, &context);
  // Without a window nothing could ever end the loop below.
  if (window == nullptr) return 0;
  // Laid out for another DPI than the system's, or for a taller status bar, the
  // window is placed again by the same rule before it shows.
  RECT made;
  GetWindowRect(window, &made);
  if (made.right - made.left != size.cx || made.bottom - made.top != size.cy) {
    origin = PlaceWindow(desktop.right, desktop.bottom, cursor.x, cursor.y, made.right - made.left,
                         made.bottom - made.top, onMouse);
    SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // A refused start has already posted its quit message: do not flash an empty window.
  if (startAccepted) ShowWindow(window, showCommand);

  MSG message = {};  // read below even when the very first retrieval fails
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}
