#include "app/grid_rules.h"

#include "common/display_scale.h"
#include "settings/command_slot.h"

int ButtonIdOfSlot(int slot) { return FIRST_BUTTON_ID + BUTTON_ID_STEP * slot; }

int SlotOfButtonId(int commandId) {
  if (commandId < FIRST_BUTTON_ID) return -1;
  int offset = commandId - FIRST_BUTTON_ID;
  if (offset % BUTTON_ID_STEP != 0) return -1;
  int slot = offset / BUTTON_ID_STEP;
  return slot < SLOT_COUNT ? slot : -1;
}

int ButtonSize(int dpi) { return ScaleToDpi(BUTTON_SIZE, dpi); }

int ButtonX(int slot, int dpi) { return ButtonSize(dpi) * (slot % GRID_COLUMNS); }

int ButtonY(int slot, int dpi) { return ButtonSize(dpi) * (slot / GRID_COLUMNS); }

int GridHeight(int dpi) { return ButtonSize(dpi) * GRID_ROWS; }

int ClientWidth(int dpi) { return ButtonSize(dpi) * GRID_COLUMNS; }

int ClientHeight(int dpi, int statusBarHeight) {
  const int scaled = ScaleToDpi(CLIENT_HEIGHT, dpi);
  const int needed = GridHeight(dpi) + statusBarHeight - 1;
  return needed > scaled ? needed : scaled;
}

int HotkeySlot(int virtualKey) {
  // The letter keys in their QWERTY rows; virtual-key codes of letters are the
  // uppercase ASCII values.
  static const char HOTKEYS[SLOT_COUNT + 1] = "QWERASDFZXCV";
  for (int slot = 0; slot < SLOT_COUNT; ++slot) {
    if (virtualKey == HOTKEYS[slot]) return slot;
  }
  return -1;
}

int NavigateSlot(int slot, int virtualKey, bool shiftDown, bool loop) {
  const int column = slot % GRID_COLUMNS;
  const int lastRowStart = SLOT_COUNT - GRID_COLUMNS;
  switch (virtualKey) {
    case KEY_RIGHT:
      if (column != GRID_COLUMNS - 1) return slot + 1;
      return loop ? slot - (GRID_COLUMNS - 1) : slot;
    case KEY_LEFT:
      if (column != 0) return slot - 1;
      return loop ? slot + (GRID_COLUMNS - 1) : slot;
    case KEY_DOWN:
      if (slot < lastRowStart) return slot + GRID_COLUMNS;
      return loop ? slot - lastRowStart : slot;
    case KEY_UP:
      if (slot >= GRID_COLUMNS) return slot - GRID_COLUMNS;
      return loop ? slot + lastRowStart : slot;
    case KEY_TAB:
      // Tab walks the slots in index order and never wraps, whatever loop says.
      if (shiftDown) return slot >= 1 ? slot - 1 : slot;
      return slot < SLOT_COUNT - 1 ? slot + 1 : slot;
    default:
      return slot;
  }
}

MenuZone ClassifyContextMenu(intptr_t lParam, int clientTop, int gridHeight) {
  // Signed halves: screens above or left of the primary one have negative
  // coordinates, which an unsigned reading would push below the grid.
  const int x = static_cast<int16_t>(static_cast<uint16_t>(lParam & 0xFFFF));
  const int y = static_cast<int16_t>(static_cast<uint16_t>((lParam >> 16) & 0xFFFF));
  // Shift+F10 and the menu key send -1; on 64-bit it may arrive without the sign
  // extension, so the halves decide.
  if (x == -1 && y == -1) return MenuZone::None;
  if (y < clientTop) return MenuZone::OptionMenu;
  if (y < clientTop + gridHeight) return MenuZone::SlotMenu;
  return MenuZone::None;
}

bool PassClickLatch(int& acceptClick, unsigned notificationCode) {
  if (notificationCode != 0) return true;
  if (acceptClick != 0) return true;
  acceptClick = 1;
  return false;
}
