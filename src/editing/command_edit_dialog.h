#pragma once
#include <windows.h>

// Copies the slot into editBuffer, makes it targetSlot and runs the edit dialog
// modally over owner.
void OpenCommandEditDialog(HWND owner, int slot);
