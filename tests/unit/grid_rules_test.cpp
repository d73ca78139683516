// The grid's arithmetic: ids, positions, hotkeys, navigation, menu zones, click latch.

#include <gtest/gtest.h>

#include <cstdint>

#include "app/grid_rules.h"

namespace {

TEST(GridRules, EachSlotHasItsIdPositionAndHotkey) {
  struct Case {
    int x;
    int y;
    int id;
    int hotkey;
  };
  const Case cases[] = {
      {0, 0, 1000, 'Q'},  {38, 0, 1100, 'W'},  {76, 0, 1200, 'E'},  {114, 0, 1300, 'R'},
      {0, 38, 1400, 'A'}, {38, 38, 1500, 'S'}, {76, 38, 1600, 'D'}, {114, 38, 1700, 'F'},
      {0, 76, 1800, 'Z'}, {38, 76, 1900, 'X'}, {76, 76, 2000, 'C'}, {114, 76, 2100, 'V'},
  };
  for (int slot = 0; slot < 12; ++slot) {
    SCOPED_TRACE(slot);
    const Case& c = cases[slot];
    EXPECT_EQ(ButtonX(slot), c.x);
    EXPECT_EQ(ButtonY(slot), c.y);
    EXPECT_EQ(ButtonIdOfSlot(slot), c.id);
    EXPECT_EQ(SlotOfButtonId(c.id), slot);
    EXPECT_EQ(HotkeySlot(c.hotkey), slot);
  }
}

TEST(GridRules, OtherIdsAndKeysNameNoSlot) {
  struct Case {
    const char* name;
    int value;
  };
  const Case ids[] = {
      {"just below the first", 999}, {"between two buttons", 1050}, {"one past a button", 1001},
      {"after the last", 2200},      {"a menu item", 100},          {"an option command", 40005},
  };
  for (const Case& c : ids) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SlotOfButtonId(c.value), -1);
  }
  const Case keys[] = {
      {"lowercase q", 'q'}, {"lowercase v", 'v'}, {"T next to R", 'T'},
      {"B next to V", 'B'}, {"digit 1", '1'},     {"Q in the high byte", 0x100 + 'Q'},
  };
  for (const Case& c : keys) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HotkeySlot(c.value), -1);
  }
}

TEST(GridRules, NavigateMovesWithinTheGrid) {
  struct Case {
    const char* name;
    int slot;
    int key;
    bool shift;
    bool loop;
    int expected;
  };
  const Case cases[] = {
      {"right inside a row", 5, KEY_RIGHT, false, false, 6},
      {"right at row end stays", 7, KEY_RIGHT, false, false, 7},
      {"right at row end wraps in the row", 7, KEY_RIGHT, false, true, 4},
      {"left inside a row", 6, KEY_LEFT, false, false, 5},
      {"left at row start stays", 4, KEY_LEFT, false, false, 4},
      {"left at row start wraps in the row", 0, KEY_LEFT, false, true, 3},
      {"down inside the grid", 3, KEY_DOWN, false, false, 7},
      {"down on the bottom row stays", 10, KEY_DOWN, false, false, 10},
      {"down on the bottom row wraps in the column", 10, KEY_DOWN, false, true, 2},
      {"up inside the grid", 9, KEY_UP, false, false, 5},
      {"up on the top row stays", 1, KEY_UP, false, false, 1},
      {"up on the top row wraps in the column", 3, KEY_UP, false, true, 11},
      {"shift does not change an arrow", 5, KEY_RIGHT, true, false, 6},
      {"tab goes to the next row", 3, KEY_TAB, false, false, 4},
      {"tab on the last slot stays even with loop", 11, KEY_TAB, false, true, 11},
      {"shift tab goes back a row", 4, KEY_TAB, true, false, 3},
      {"shift tab never wraps even with loop", 0, KEY_TAB, true, true, 0},
      {"return stays", 6, KEY_RETURN, false, true, 6},
      {"a letter stays", 2, 'Q', true, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(NavigateSlot(c.slot, c.key, c.shift, c.loop), c.expected);
  }
}

// WM_CONTEXTMENU packs the position as two 16-bit halves.
intptr_t PackPoint(int x, int y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                               static_cast<uint16_t>(x));
}

TEST(GridRules, ContextMenuZoneFollowsTheSignedY) {
  struct Case {
    const char* name;
    intptr_t lParam;
    int clientTop;
    MenuZone expected;
  };
  const Case cases[] = {
      {"title bar", PackPoint(50, 120), 130, MenuZone::OptionMenu},
      {"first grid row", PackPoint(50, 130), 130, MenuZone::SlotMenu},
      {"last grid row", PackPoint(50, 243), 130, MenuZone::SlotMenu},
      {"status bar", PackPoint(50, 244), 130, MenuZone::None},
      {"title bar above the primary screen", PackPoint(10, -520), -500, MenuZone::OptionMenu},
      {"grid above the primary screen", PackPoint(10, -450), -500, MenuZone::SlotMenu},
      {"status bar above the primary screen", PackPoint(10, -386), -500, MenuZone::None},
      {"grid left of the primary screen", PackPoint(-1800, 200), 150, MenuZone::SlotMenu},
      {"sign-extended negative y", static_cast<intptr_t>(static_cast<int32_t>(PackPoint(10, -450))),
       -500, MenuZone::SlotMenu},
      {"keyboard request", -1, 130, MenuZone::None},
      {"keyboard request without sign extension", PackPoint(-1, -1), 130, MenuZone::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ClassifyContextMenu(c.lParam, c.clientTop), c.expected);
  }
}

TEST(GridRules, ClickLatchSwallowsOneZeroCodeCommand) {
  struct Case {
    const char* name;
    int latch;
    unsigned codes[3];
    bool passes[3];
    int latchAfter;
  };
  const Case cases[] = {
      {"open latch passes every click", 1, {0, 0, 0}, {true, true, true}, 1},
      {"closed latch swallows one click, then passes", 0, {0, 0, 0}, {false, true, true}, 1},
      {"non-zero code passes, latch stays closed", 0, {1, 0, 0}, {true, false, true}, 1},
      {"high notification code passes", 0, {0xFFFF, 0xFFFF, 0}, {true, true, false}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int latch = c.latch;
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(PassClickLatch(latch, c.codes[i]), c.passes[i]);
    }
    EXPECT_EQ(latch, c.latchAfter);
  }
}

}  // namespace
