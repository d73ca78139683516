#pragma once
#include <windows.h>

extern const wchar_t MAIN_WINDOW_CLASS[];  // "Pivora64"

// Client area: the 4 x 3 button grid (152 x 114) above the status bar.
constexpr int CLIENT_WIDTH = 152;
constexpr int CLIENT_HEIGHT = 138;
constexpr DWORD MAIN_WINDOW_STYLE = WS_CAPTION | WS_SYSMENU;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Life-cycle handlers of the main window.
void OnCreate(HWND window, const CREATESTRUCTW* creation);
void OnKillFocus(HWND window, HWND gainingFocus);
void OnClose(HWND window);
