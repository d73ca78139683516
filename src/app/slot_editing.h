#pragma once
#include <windows.h>

// The ways into the command edit dialog, and its commit.

// Copies the slot into editBuffer, makes it targetSlot and runs the dialog.
void OpenCommandEditDialog(HWND window, int slot);
// MSG_SLOT_COMMITTED: editBuffer becomes the slot targetSlot names.
void OnSlotCommitted();
// WM_DROPFILES: a file dropped on a button opens the dialog pre-filled for it.
void OnDropFiles(HWND window, HDROP drop);
