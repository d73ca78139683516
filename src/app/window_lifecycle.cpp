// Creation, focus loss and closing of the main window.

#include <windows.h>
#include <commctrl.h>

#include "app/app_state.h"
#include "app/button_grid.h"
#include "app/display_scale_win.h"
#include "app/grid_input.h"
#include "app/invocation_rules.h"
#include "app/main_window.h"
#include "app/status_bar.h"
#include "app/window_layout.h"
#include "common/path_rules.h"
#include "icons/icon_cache_win.h"
#include "resources/resource.h"
#include "settings/ini_file_store.h"
#include "settings/settings_file_lock_win.h"
#include "settings/option_menu_win.h"
#include "settings/save_report_win.h"
#include "settings/settings_save_win.h"
#include "settings/settings_state.h"
#include "settings/slot_store.h"

namespace {

const wchar_t REFUSED_START_TEXT[] =
    L"単独起動はできません。\nファイルを与えて起動してください。";
const wchar_t REFUSED_START_CAPTION[] = L"Pivora";

// A target longer than MAX_PATH is only reachable through the "\\?\" form.
bool IsExistingDirectory(const wchar_t* path) {
  DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES && lstrlenW(path) >= MAX_PATH &&
      IsDriveAbsolutePath(path)) {
    static wchar_t extendedPath[TARGET_PATH_CAPACITY + 4];
    lstrcpyW(extendedPath, L"\\\\?\\");
    lstrcpynW(extendedPath + 4, path, TARGET_PATH_CAPACITY);
    attributes = GetFileAttributesW(extendedPath);
  }
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void LoadMenus() {
  slotMenuResource = LoadMenuW(moduleInstance, SLOT_MENU_NAME);
  slotMenu = GetSubMenu(slotMenuResource, 0);
  optionMenuResource = LoadMenuW(moduleInstance, OPTION_MENU_NAME);
  optionMenu = GetSubMenu(optionMenuResource, 0);
}

// Destroying a menu takes its submenus with it. Closing can run twice, so the
// handles are forgotten once destroyed.
void DestroyMenus() {
  if (slotMenuResource != nullptr) DestroyMenu(slotMenuResource);
  if (optionMenuResource != nullptr) DestroyMenu(optionMenuResource);
  slotMenuResource = optionMenuResource = slotMenu = optionMenu = nullptr;
}

void ApplyTopmost(HWND window) {
  SetWindowPos(window, options.topView == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
}

void CreateStatusBar(HWND window) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0,
                              0, 0, 0, window, reinterpret_cast<HMENU>(STATUS_BAR_ID),
                              moduleInstance, nullptr);
}

// Works out sectionName and argumentString from the command line wWinMain split
// (targetPath holds argument 1). False when the launcher was started without a target.
bool ReadInvocation(const StartContext& context) {
  if (!context.hasTarget) return false;
  sectionName = SectionNameOf(targetPath, IsExistingDirectory(targetPath));
  argumentString = ArgumentStringOf(GetCommandLineW(), context.programPathLength);
  return true;
}

}  // namespace

void OnCreate(HWND window, const CREATESTRUCTW* creation) {
  MigrateIconCacheDir();  // on every start, a refused one included
  moduleInstance = creation->hInstance;
  mainWindow = window;
  windowDpi = WindowDpi(window);  // the monitor's, where the system put the window
  IgnoreRestingPointer();
  selectedSlot = 0;

  const StartContext& context = *static_cast<const StartContext*>(creation->lpCreateParams);
  if (!ReadInvocation(context)) {
    MessageBoxW(window, REFUSED_START_TEXT, REFUSED_START_CAPTION, MB_ICONWARNING);
    SendMessageW(window, WM_CLOSE, 0, 0);
    return;
  }
  startAccepted = true;

  // wWinMain's store: it has read the options' section already.
  IniFileStore& store = *context.store;
  {
    // Under the lock, so a file another launcher is rewriting is never read half-written.
    SettingsFileLock lock(iniPath);
    options = ReadOptions(store, optionsInFile);
    LoadSlotTable(store, sectionName, currentTable, linkTarget);
    startReadingUncertain = context.recovery == StartRecovery::Failed ||
                            context.recovery == StartRecovery::Skipped || !lock.Owned() ||
                            store.ExistsButUnreadable();
    // Options read from a cut or unreadable file must not replace what the file holds
    // once it is whole: only those toggled in this run are written at the close.
    if (startReadingUncertain) optionsInFile = options;
  }
  startOptions = options;
  savedTable = currentTable;
  ApplyTopmost(window);
  if (options.cacheIcon == 1) SetIconCacheDir();
  SetWindowTextW(window, FindFileName(targetPath));

  CreateButtonGrid(window, moduleInstance, windowDpi);
  for (int slot = 0; slot < SLOT_COUNT; ++slot) RefreshSlotIcon(slot);
  LoadMenus();
  SetInitialOptionChecks(optionMenu, options);

  CreateStatusBar(window);
  FitWindowToLayout(window, windowDpi);
  // What DragAcceptFiles does, without loading shell32 before the first drop.
  SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
  ShowSlotTitle(0);
  // Until the first selection change, so that a missing recent edit is explained.
  wchar_t report[SAVE_REPORT_UNITS];
  if (DescribeRecovery(context.recovery, iniPath, report)) ShowReport(report);
}

// Only another program taking over closes the launcher. Focus moving to one of our
// own buttons leaves the main window active; our own edit or link dialog makes
// itself active, and closing under it would lose the edit being made.
void OnKillFocus(HWND window, HWND gainingFocus) {
  if (options.autoClose != 1 || GetActiveWindow() == window) return;
  DWORD owner = 0;
  if (gainingFocus != nullptr) GetWindowThreadProcessId(gainingFocus, &owner);
  if (owner == GetCurrentProcessId()) return;
  SendMessageW(window, WM_CLOSE, 0, 0);
}

namespace {

// Writes the changed slots and the options in one save that is whole or not at
// all. Returns the system's code for what failed, or ERROR_SUCCESS.
DWORD WriteSettings() {
  SettingsSave save(iniPath);
  // A start that may have read a cut file does not trust the link it read: the
  // slots go to the section the file names once it is put back.
  WideChar link[LINK_TEXT_CAPACITY];
  if (startReadingUncertain) {
    ReadLink(save, sectionName, link);
  } else {
    CopyText(link, linkTarget);
  }
  const wchar_t* section = SlotSectionOf(link, sectionName);
  for (int slot = 0; slot < SLOT_COUNT; ++slot) {
    SaveSlot(save, slot, section, currentTable, savedTable);
  }
  WriteOptions(save, options, optionsInFile);
  return save.Finish();
}

// A save that cannot be written (after the file was waited for) is offered again
// until it works or the user gives up; the file is whole either way. The launch
// that closed the window has already happened.
void SaveAtClose(HWND window) {
  for (;;) {
    DWORD error = WriteSettings();
    if (error == ERROR_SUCCESS) break;
    // Only the launcher's own tidying of option words failed (a read-only file
    // kept that way on purpose): nothing the user asked for is lost.
    if (!SettingsChangedByUser(currentTable, savedTable, options, startOptions)) break;
    if (!AskToRetrySave(window, error)) break;
  }
  // What the file holds now is the base of a later close in this run, which
  // then writes, and asks, nothing again.
  savedTable = currentTable;
  optionsInFile = startOptions = options;
}

}  // namespace

// Closing can run more than once in a run (a launch, then the focus loss it
// causes); a later close writes only what changed since the one before.
void OnClose(HWND window) {
  static bool saving;
  if (saving) return;  // closed again from inside the box's loop: the first close goes on
  if (startAccepted) {
    saving = true;
    SaveAtClose(window);
    saving = false;
  }
  DestroyMenus();
  PostQuitMessage(0);
}
