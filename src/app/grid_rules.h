#pragma once
// The button grid's arithmetic: positions, ids, hotkeys, keyboard navigation, the
// context-menu zones and the click latch.

#include <cstdint>

// The layout in logical pixels (96 DPI): 38-px buttons, four across and three down,
// above the status bar, in a client area of 152 x 138.
constexpr int GRID_COLUMNS = 4;
constexpr int GRID_ROWS = 3;
constexpr int BUTTON_SIZE = 38;
constexpr int CLIENT_HEIGHT = 138;
constexpr int FIRST_BUTTON_ID = 1000;
constexpr int BUTTON_ID_STEP = 100;

// Virtual-key codes the grid reacts to (the same values as the Win32 VK_ codes).
enum GridKey : int {
  KEY_TAB = 0x09,
  KEY_RETURN = 0x0D,
  KEY_ESCAPE = 0x1B,
  KEY_LEFT = 0x25,
  KEY_UP = 0x26,
  KEY_RIGHT = 0x27,
  KEY_DOWN = 0x28,
  KEY_DELETE = 0x2E,
};

int ButtonIdOfSlot(int slot);
// The slot of a button command id, or -1 when the id is not a slot button's.
int SlotOfButtonId(int commandId);

// The layout at a display's DPI. The buttons are scaled and touch, so the grid is
// a whole number of them; the client area is as wide as the grid.
int ButtonSize(int dpi);
int ButtonX(int slot, int dpi);
int ButtonY(int slot, int dpi);
int GridHeight(int dpi);
int ClientWidth(int dpi);
// The scaled 138, unless the status bar of that height (its font at this DPI)
// needs more to lie below the grid. Its top edge may lie under the buttons'
// bottom border, which they draw over it: Wine's bar is 25 px high at 96 DPI.
int ClientHeight(int dpi, int statusBarHeight);

// Q W E R / A S D F / Z X C V give slots 0..11; any other key gives -1.
int HotkeySlot(int virtualKey);

// The slot the highlight moves to: arrows within the grid (wrapping in the same
// row or column only when loop is set), Tab forward and Shift+Tab back without
// wrapping; every other key stays.
int NavigateSlot(int slot, int virtualKey, bool shiftDown, bool loop);

enum class MenuZone { OptionMenu, SlotMenu, None };
// Where a context-menu request lands. The position is read as signed 16-bit values
// so that monitors left of or above the primary one work too; a keyboard request
// (lParam -1) opens nothing. clientTop is the screen y of the client area's origin;
// the grid ends gridHeight below it.
MenuZone ClassifyContextMenu(intptr_t lParam, int clientTop, int gridHeight);

// The click latch: a zero latch swallows exactly one command whose notification
// code is 0 (a click, a menu item, Enter) and re-arms. True when the command passes.
bool PassClickLatch(int& acceptClick, unsigned notificationCode);
