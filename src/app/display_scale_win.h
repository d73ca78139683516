#pragma once
// The display scale (DPI) of the system and of a window, and what the system
// measures for a given DPI. Windows before 10 (1607) lacks the per-window
// functions; there the launcher works at the system DPI, the one such a system
// gives every window of a program that declares itself aware of it.

#include <windows.h>

int SystemDpi();
int WindowDpi(HWND window);
// GetSystemMetrics as it would answer on a display of that DPI.
int SystemMetricForDpi(int index, int dpi);
// The outer rectangle whose client area is rect, for the style, without a menu bar.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, int dpi);
// The system's status bar font at that DPI.
bool StatusFontForDpi(LOGFONTW& font, int dpi);
