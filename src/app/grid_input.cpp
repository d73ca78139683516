// Keys, hover and context menus. Buttons pass their keys and mouse moves on, so
// these run whichever window has the focus or the pointer.

#include "app/grid_input.h"

#include <imm.h>
#include <windowsx.h>

#include "app/app_state.h"
#include "app/button_grid.h"
#include "app/drag_input.h"
#include "app/grid_rules.h"
#include "app/slot_editing.h"
#include "app/status_bar.h"
#include "editing/editing_state.h"
#include "launch/slot_launch_win.h"
#include "settings/settings_state.h"

namespace {
bool KeyIsDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// A key an IME took anyway arrives as VK_PROCESSKEY. The IME knows the key it stood
// for; failing that, the key message still carries the key's scan code.
WPARAM KeyBehindIme(WPARAM key, LPARAM keyData) {
  if (key != VK_PROCESSKEY) return key;
  UINT original = ImmGetVirtualKey(GetFocus());
  if (original != 0 && original != VK_PROCESSKEY) return original;
  UINT mapped = MapVirtualKeyW(keyData >> 16 & 0xFF, MAPVK_VSC_TO_VK);
  return mapped != 0 ? mapped : key;
}
}  // namespace

void OnKeyDown(HWND window, WPARAM key, LPARAM keyData) {
  key = KeyBehindIme(key, keyData);
  if (key == VK_ESCAPE) {
    SendMessageW(window, WM_CLOSE, 0, 0);
    return;
  }
  DismissReport();
  int hotkeySlot = HotkeySlot(static_cast<int>(key));
  if (hotkeySlot >= 0 && !KeyIsDown(VK_CONTROL)) {
    // The frame goes with the selection: a slot that starts nothing keeps the
    // window, and the next Enter or arrow key acts on what the frame shows.
    SelectSlot(hotkeySlot);
    LaunchOutcome outcome = LaunchDirectly(currentTable.slots[hotkeySlot], argumentString, iniPath);
    if (outcome.result == LaunchPlanResult::Ready) {
      SendMessageW(window, WM_CLOSE, 0, 0);
    } else if (outcome.result != LaunchPlanResult::NoCommand) {
      ReportUnstartedLaunch(outcome);
    } else {
      ShowSlotTitle(hotkeySlot);
    }
    return;
  }
  MoveSelection(key, window);
  // Runs also after Enter closed the window: the run ends when the loop sees the quit.
  RefreshSlotButton(selectedSlot);
  ShowSlotTitle(selectedSlot);
}

void MoveSelection(WPARAM key, HWND window) {
  int virtualKey = static_cast<int>(key);
  SelectSlot(NavigateSlot(selectedSlot, virtualKey, KeyIsDown(VK_SHIFT), options.loopCursor == 1));
  ShowSlotTitle(selectedSlot);

  if (KeyIsDown(VK_CONTROL)) {
    if (key == 'C') CopySlot(currentTable, selectedSlot, slotClipboard);
    if (key == 'X') CutSlot(currentTable, selectedSlot, slotClipboard);
    if (key == 'V') PasteSlot(currentTable, selectedSlot, slotClipboard);
    return;
  }
  if (key == VK_DELETE) {
    ClearSlot(currentTable, selectedSlot);
  } else if (key == VK_RETURN && KeyIsDown(VK_SHIFT)) {
    OpenCommandEditDialog(window, selectedSlot);
  } else if (key == VK_RETURN) {
    // Like a click on the button, so it passes the click latch like one.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(ButtonIdOfSlot(selectedSlot), 0), 0);
  }
}

void OnMouseMove(HWND window, WPARAM keys, LPARAM position) {
  if (!OnDragMouseMove(window, keys)) return;
  POINT cursor;
  GetCursorPos(&cursor);
  int hovered = SlotOfButton(WindowFromPoint(cursor));
  if (hovered < 0) return;
  // A window that opens under a resting pointer gets a move for that position:
  // only a real movement over a button selects it.
  POINT point = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ClientToScreen(slotButtons[hovered], &point);
  if (point.x == startCursorPos.x && point.y == startCursorPos.y) return;
  startCursorPos = {-1, -1};
  if (hovered == selectedSlot) return;
  DismissReport();
  SelectSlot(hovered);
  ShowSlotTitle(hovered);
}

void IgnoreRestingPointer() { GetCursorPos(&startCursorPos); }

void OnContextMenu(HWND window, HWND clicked, LPARAM position) {
  POINT clientOrigin = {0, 0};
  ClientToScreen(window, &clientOrigin);
  int x = GET_X_LPARAM(position);
  int y = GET_Y_LPARAM(position);
  switch (ClassifyContextMenu(position, clientOrigin.y, GridHeight(windowDpi))) {
    case MenuZone::OptionMenu:
      // Replaces the system menu a right click on the caption would show.
      TrackPopupMenu(optionMenu, 0, x, y, 0, window, nullptr);
      break;
    case MenuZone::SlotMenu: {
      int slot = SlotOfButton(clicked);
      if (slot >= 0) targetSlot = slot;
      TrackPopupMenu(slotMenu, 0, x, y, 0, window, nullptr);
      break;
    }
    case MenuZone::None:
      break;
  }
}
