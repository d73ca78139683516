#pragma once
#include <windows.h>

// WM_COMMAND: the click latch, then the option menu or RunSlot, then the refresh
// of the slots involved.
void OnCommand(HWND window, WPARAM wParam);
// Button clicks (ids 1000..2100) and the button menu's items (100..140).
void RunSlot(HWND window, int commandId, const wchar_t* argument);
