#pragma once
#include <windows.h>

// Runs the command edit dialog modally over owner on editBuffer. Register sends
// MSG_SLOT_COMMITTED to owner (synchronously) before the dialog closes; cancel
// changes nothing.
void RunCommandEditDialog(HWND owner);
INT_PTR CALLBACK CommandEditDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
