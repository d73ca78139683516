#pragma once
// The main window's layout at the DPI of the monitor it is on: the button grid,
// the status bar with its font, and the client area around both. Done at
// creation, and again when the window moves to a monitor of another scale.

#include <windows.h>

// The outer size of the window at dpi, its status bar taken to fit the scaled
// layout; the window corrects it once its status bar exists.
SIZE WindowSizeForDpi(int dpi);
// Gives the status bar its font at dpi and the client area the layout's size,
// keeping the window's top-left corner.
void FitWindowToLayout(HWND window, int dpi);
// WM_DPICHANGED: the window takes the rectangle the system suggests, the layout
// and the icons follow the new DPI; the selection, the status text and a drag
// under way stay as they were.
void OnDpiChanged(HWND window, WPARAM dpi, LPARAM suggestedRect);
