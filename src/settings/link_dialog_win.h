#pragma once
#include <windows.h>

#include "settings/command_slot.h"

// Carries the link into the dialog, and what was typed from it to MSG_LINK_CHANGED.
extern wchar_t linkEditText[LINK_TEXT_CAPACITY];

// Runs the link dialog modally over owner. OK sends MSG_LINK_CHANGED to owner
// (synchronously) with the typed text in linkEditText; cancel sends nothing.
void RunLinkDialog(HWND owner);
INT_PTR CALLBACK LinkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
