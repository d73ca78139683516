#pragma once
// The twelve slot buttons: creation, the highlight, and finding a button's slot.

#include <windows.h>

#include "settings/command_slot.h"

extern HWND slotButtons[SLOT_COUNT];

// The buttons at their places for dpi; PlaceButtons moves them for another.
void CreateButtonGrid(HWND mainWindow, HINSTANCE instance, int dpi);
void PlaceButtons(int dpi);
LRESULT CALLBACK ButtonSubclassProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

// The highlight is the default-push-button style bit.
void MoveHighlight(int fromSlot, int toSlot);
// Makes slot the selection and moves the highlight with it: one button carries
// the frame at any time, and it is the one Enter starts.
void SelectSlot(int slot);

// The slot of a button window, or -1 for any other window.
int SlotOfButton(HWND window);
// The slot button under the mouse pointer, or -1.
int SlotAtCursor();

// Shows the slot's current icon on its button, at the size for windowDpi.
void RefreshSlotIcon(int slot);
// The same, and repaints the button at once.
void RefreshSlotButton(int slot);
