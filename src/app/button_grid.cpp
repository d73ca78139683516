#include "app/button_grid.h"

#include <imm.h>

#include "app/app_state.h"
#include "app/grid_rules.h"
#include "icons/button_icon_win.h"
#include "icons/icon_rules.h"
#include "settings/settings_state.h"

HWND slotButtons[SLOT_COUNT];

namespace {
// All twelve buttons are of one class, so one saved procedure serves them all.
WNDPROC buttonClassProc;
constexpr DWORD BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_BITMAP;

void SetHighlight(int slot, bool on) {
  HWND button = slotButtons[slot];
  LONG style = GetWindowLongW(button, GWL_STYLE);
  style = on ? (style | BS_DEFPUSHBUTTON) : (style & ~BS_DEFPUSHBUTTON);
  SetWindowLongW(button, GWL_STYLE, style);
  InvalidateRect(button, nullptr, TRUE);
}
}  // namespace

void CreateButtonGrid(HWND mainWindow, HINSTANCE instance, int dpi) {
  const int size = ButtonSize(dpi);
  for (int slot = 0; slot < SLOT_COUNT; ++slot) {
    DWORD style = BUTTON_STYLE | (slot == 0 ? BS_DEFPUSHBUTTON : 0);
    slotButtons[slot] = CreateWindowExW(
        0, L"BUTTON", L"", style, ButtonX(slot, dpi), ButtonY(slot, dpi), size, size, mainWindow,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ButtonIdOfSlot(slot))), instance, nullptr);
  }
  for (HWND button : slotButtons) {
    buttonClassProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(button, GWLP_WNDPROC));
    SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonSubclassProc));
  }
  // Single keys are the grid's commands: with an input context, an IME that is on
  // would make Q to V, the arrows and Enter into a composition. So neither the main
  // window nor a button that holds the focus has one (the flag reaches the children
  // only). The dialogs are windows of their own and keep theirs, for Japanese titles.
  ImmAssociateContextEx(mainWindow, nullptr, 0);
  ImmAssociateContextEx(mainWindow, nullptr, IACE_CHILDREN);
}

void PlaceButtons(int dpi) {
  const int size = ButtonSize(dpi);
  for (int slot = 0; slot < SLOT_COUNT; ++slot) {
    SetWindowPos(slotButtons[slot], nullptr, ButtonX(slot, dpi), ButtonY(slot, dpi), size, size,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Keys, moves and left presses reach the main window first, whichever control
// has the focus or the pointer, so every input decision is taken in one place.
// The button's own focus loss is deliberately not passed on.
LRESULT CALLBACK ButtonSubclassProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      SendMessageW(mainWindow, message, wParam, lParam);
      break;
    case WM_CAPTURECHANGED:
      // The press lost the pointer without a release this window will see.
      if (reinterpret_cast<HWND>(lParam) != button) {
        SendMessageW(mainWindow, message, wParam, lParam);
      }
      break;
  }
  return CallWindowProcW(buttonClassProc, button, message, wParam, lParam);
}

void MoveHighlight(int fromSlot, int toSlot) {
  SetHighlight(fromSlot, false);
  SetHighlight(toSlot, true);
}

void SelectSlot(int slot) {
  MoveHighlight(selectedSlot, slot);
  selectedSlot = slot;
}

int SlotOfButton(HWND window) {
  if (window == nullptr) return -1;
  for (int slot = 0; slot < SLOT_COUNT; ++slot) {
    if (slotButtons[slot] == window) return slot;
  }
  return -1;
}

int SlotAtCursor() {
  POINT cursor;
  if (!GetCursorPos(&cursor)) return -1;
  return SlotOfButton(WindowFromPoint(cursor));
}

void RefreshSlotIcon(int slot) {
  RefreshButtonIcon(slotButtons[slot], currentTable.slots[slot], moduleInstance,
                    IconSizeForDpi(windowDpi));
}

void RefreshSlotButton(int slot) {
  RefreshSlotIcon(slot);
  UpdateWindow(slotButtons[slot]);
}
