#pragma once
#include <windows.h>

#include "settings/ini_file_store.h"
#include "settings/settings_save_win.h"

extern const wchar_t MAIN_WINDOW_CLASS[];  // "Pivora64"

constexpr DWORD MAIN_WINDOW_STYLE = WS_CAPTION | WS_SYSMENU;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What wWinMain hands to window creation: the command line's split (argument 1
// is in targetPath), the store it has read the options' section through, and what
// became of a save the last run did not finish.
struct StartContext {
  bool hasTarget;
  size_t programPathLength;  // argument 0, the program's path, without its quotes
  IniFileStore* store;
  StartRecovery recovery;
};

// Life-cycle handlers of the main window.
void OnCreate(HWND window, const CREATESTRUCTW* creation);
void OnKillFocus(HWND window, HWND gainingFocus);
void OnClose(HWND window);
