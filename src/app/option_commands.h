#pragma once
#include <windows.h>

// The option menu: ids 40001 (link) and 40005..40008 (the four options).
bool IsOptionCommand(int commandId);
void OnOptionCommand(HWND window, int commandId);
// MSG_LINK_CHANGED: stores the typed link at once and shows the linked slots.
void OnLinkChanged(HWND window);
