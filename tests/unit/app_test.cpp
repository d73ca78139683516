// What a start is about (the target, the arguments handed on, the section, the
// window's place) and the grid's keys, menu zones and click latch.

#include <cstdint>
#include <vector>

#include "app/grid_rules.h"
#include "app/invocation_rules.h"
#include "app/window_placement.h"
#include "icons/icon_rules.h"
#include "unit_test.h"

// The target is split as the platform splits (its documented examples); the
// arguments handed on are the raw line less the program token.
TEST(InvocationRules, TargetAndHandedOnArgumentsFromTheCommandLine) {
  const struct {
    const WideChar* line;
    size_t programLength;
    const WideChar *target, *handedOn;
  } cases[] = {
      {u"\"C:\\Program Files\\p.exe\" \"a b c\" d", 22, u"a b c", u"\"a b c\" d"},
      {u"C:\\p.exe\t\"ab\\\"c\" \"\\\\\" d", 8, u"ab\"c", u"\"ab\\\"c\" \"\\\\\" d"},
      {u"p.exe a\\\\\\b d\"e f\"g h", 5, u"a\\\\\\b", u"a\\\\\\b d\"e f\"g h"},
      {u"p.exe a\\\\\\\"b c d", 5, u"a\\\"b", u"a\\\\\\\"b c d"},
      {u"p.exe a\\\\\\\\\"b c\" d e", 5, u"a\\\\b c", u"a\\\\\\\\\"b c\" d e"},
      {u"\"p.exe\"   D:\\a.txt", 5, u"D:\\a.txt", u"  D:\\a.txt"},
      {u"\"C:\\p.exe\" ", 8, u"", u""},
      {u"p.exe 0123456789abcdef", 5, u"", u"0123456789abcdef"},  // over the buffer: refused
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(Text(c.line)));
    WideChar target[16] = u"stale";
    size_t programLength = 0;
    EXPECT_EQ(FirstArgumentOf(c.line, programLength, target, 16), *c.target != 0);
    EXPECT_EQ(programLength, c.programLength);
    EXPECT_EQ(Text(target) + u"|" + ArgumentStringOf(c.line, programLength),
              Text(c.target) + u"|" + c.handedOn);
  }
}

TEST(InvocationRules, SectionNameIsFolderOrTheExtensionAsWritten) {
  // Past any fixed path buffer: a copy into one would lose the extension.
  const Text longTarget = u"D:\\" + Text(300, u'n') + u".Markdown";
  EXPECT_EQ(Text(SectionNameOf(u"D:\\docs\\v1.2", true)), u"folder");
  EXPECT_EQ(Text(SectionNameOf(longTarget.c_str(), false)), u".Markdown");
}

TEST(WindowPlacement, CentresOnDesktopOrCursorTruncatingTowardZero) {
  // The desktop's right and bottom, the cursor, the window's size; where it goes.
  const struct {
    int right, bottom, cx, cy, width, height;
    bool onCursor;
    int x, y;
  } cases[] = {
      {1366, 768, 5, 5, 167, 171, false, 599, 298},
      {400, 300, 1000, 700, 151, 165, true, 925, 618},
      {1920, 1080, -5, -10, 151, 165, true, -80, -92},
  };
  for (const auto& c : cases) {
    WindowOrigin o = PlaceWindow(c.right, c.bottom, c.cx, c.cy, c.width, c.height, c.onCursor);
    EXPECT_TRUE(o.x == c.x && o.y == c.y) << o.x << "," << o.y;
  }
}

TEST(GridRules, HotkeysNameTheirSlotsOnly) {
  const char hotkeys[] = "QWERASDFZXCV";  // the letter keys in their keyboard rows
  for (int slot = 0; slot < 12; ++slot) EXPECT_EQ(HotkeySlot(hotkeys[slot]), slot);
  for (int key : {int('q'), int('T'), 0x100 + 'Q'}) EXPECT_EQ(HotkeySlot(key), -1) << key;
}

TEST(GridRules, NavigateMovesWithinTheGrid) {
  const struct {
    int slot, key;
    bool shift, loop;
    int expected;
  } cases[] = {
      {7, KEY_RIGHT, false, false, 7}, {7, KEY_RIGHT, false, true, 4},
      {0, KEY_LEFT, false, true, 3},   {10, KEY_DOWN, false, true, 2},
      {3, KEY_UP, false, true, 11},    {3, KEY_TAB, false, false, 4},
      {11, KEY_TAB, false, true, 11},  {0, KEY_TAB, true, true, 0},  // tab never wraps
  };
  for (const auto& c : cases)
    EXPECT_EQ(NavigateSlot(c.slot, c.key, c.shift, c.loop), c.expected) << c.slot << " " << c.key;
}

// WM_CONTEXTMENU packs the position as two 16-bit halves, which are signed: screens
// above or left of the primary one have negative coordinates.
intptr_t PackPoint(int x, int y) {
  return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                               static_cast<uint16_t>(x));
}

TEST(GridRules, ContextMenuZoneFollowsTheSignedY) {
  const struct {
    const char* name;
    intptr_t lParam;
    int clientTop, dpi;
    MenuZone expected;
  } cases[] = {
      {"title bar", PackPoint(50, 129), 130, 96, MenuZone::OptionMenu},
      {"first grid row", PackPoint(50, 130), 130, 96, MenuZone::SlotMenu},
      {"status bar", PackPoint(50, 244), 130, 96, MenuZone::None},
      {"last grid row at 150 %", PackPoint(50, 300), 130, 144, MenuZone::SlotMenu},
      {"status bar at 150 %", PackPoint(50, 301), 130, 144, MenuZone::None},
      {"grid above the primary screen", PackPoint(10, -450), -500, 96, MenuZone::SlotMenu},
      {"keyboard request without sign extension", PackPoint(-1, -1), 130, 96, MenuZone::None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClassifyContextMenu(c.lParam, c.clientTop, GridHeight(c.dpi)), c.expected) << c.name;
}

// The 96-DPI layout scaled: touching buttons, the grid as wide as the client area,
// the status bar below it (its top edge under the buttons' border), a taller bar
// (larger text) making room for itself. Icons at the system's large-icon sizes.
TEST(GridRules, LayoutScalesWithTheDisplay) {
  // Button size, slot 11's x and y, grid height, client width and height, icon size.
  const struct {
    int dpi, statusBar;
    std::vector<int> layout;
  } cases[] = {
      {96, 25, {38, 114, 76, 114, 152, 138, 32}},   {96, 22, {38, 114, 76, 114, 152, 138, 32}},
      {120, 30, {48, 144, 96, 144, 192, 173, 40}},  {144, 37, {57, 171, 114, 171, 228, 207, 48}},
      {192, 46, {76, 228, 152, 228, 304, 276, 64}}, {144, 60, {57, 171, 114, 171, 228, 230, 48}},
  };
  for (const auto& c : cases) {
    const int d = c.dpi;
    EXPECT_EQ((std::vector<int>{ButtonSize(d), ButtonX(11, d), ButtonY(11, d), GridHeight(d),
                                ClientWidth(d), ClientHeight(d, c.statusBar), IconSizeForDpi(d)}),
              c.layout)
        << d << " DPI, a " << c.statusBar << "-px status bar";
  }
}

// Open, the latch passes all; closed, it swallows one zero-code click, and a non-zero
// code passes and leaves it closed.
TEST(GridRules, ClickLatchSwallowsOneZeroCodeCommand) {
  const struct {
    int latch;
    unsigned codes[3];
    const char* passes;
  } cases[] = {{1, {0, 0, 0}, "yyy"}, {0, {0, 0, 0}, "nyy"}, {0, {1, 0, 0}, "yny"}};
  for (const auto& c : cases) {
    int latch = c.latch;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(PassClickLatch(latch, c.codes[i]), c.passes[i] == 'y');
  }
}
