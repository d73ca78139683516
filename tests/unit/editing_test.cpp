// The drag that exchanges two slots, the one-slot clipboard, and the texts the edit
// dialog derives from a chosen file.

#include "editing/drag_gesture.h"
#include "editing/edit_text_rules.h"
#include "editing/slot_clipboard.h"
#include "unit_test.h"

const int kTolerance = 4;  // the double-click rectangle, both ways

// The pointer is pressed on a slot, may move, the pick-up timer fires over pickUpOver
// (-1: none) and the button is released over releaseOver.
TEST(DragGesture, PickUpAndReleaseDecideTheDrop) {
  // The source is also what the pick-up returns.
  const struct {
    bool movedBefore, emptyAtPickUp, movedAfter, emptiedWhileHeld;
    int pickUpOver, releaseOver, source;
    DropKind kind;
    bool swallow;
  } cases[] = {
      {false, true, true, false, 4, 7, -1, DropKind::None, false},  // an empty slot: no pick-up
      {false, false, false, false, 4, 4, 4, DropKind::None, false},  // not moved: a click
      {false, false, true, true, 4, 7, 4, DropKind::None, false},
      {false, false, true, false, 4, 7, 4, DropKind::Swap, false},
      {false, false, true, false, 11, 11, 11, DropKind::Swap, true},  // back on its own button
      {false, false, true, false, 4, -1, 4, DropKind::RestoreSource, false},
      {true, false, false, false, 4, 4, 4, DropKind::Swap, true},
  };
  for (const auto& c : cases) {
    DragGesture g;
    g.sourceSlot = 9;  // stale: the pick-up alone decides
    if (c.movedBefore) OnDragMove(g, true, 1, 1, kTolerance, kTolerance);
    EXPECT_EQ(OnPickUpTimer(g, c.pickUpOver, c.emptyAtPickUp), c.source);
    if (c.movedAfter) OnDragMove(g, true, 1, 1, kTolerance, kTolerance);
    DropResult drop = OnDragRelease(g, c.releaseOver, c.emptiedWhileHeld);
    EXPECT_TRUE(drop.kind == c.kind && drop.source == c.source);
    EXPECT_EQ(drop.swallowNextClick, c.swallow);
    EXPECT_TRUE(drop.kind == DropKind::None || drop.target == c.releaseOver);
    EXPECT_TRUE(g.sourceSlot == -1 && g.active == 0);
  }
}

// Two moves from a fresh gesture, with a release ('R'), a pick-up of a full ('P') or
// an empty slot ('E') or nothing ('-') between them. A move's distance counts from
// the last left-held move, whose point survives a release; the hover selection
// follows the first held move, moves without the button (also after a press whose
// release was never seen), and a picked-up slot.
TEST(DragGesture, ToleranceAndHoverFollowTheMoves) {
  // Expected, "y" or "n": each move's cancel of the pick-up, then each move's hover.
  const struct {
    bool firstHeld;
    int x1, y1;
    char between;
    bool secondHeld;
    int x2, y2;
    const char* yes;
  } cases[] = {
      {true, 50, 2, '-', true, 50, 2, "ynyn"},    {true, 4, -4, '-', true, 8, -8, "nnyn"},
      {true, 5, 0, '-', true, 5, 5, "yyyn"},      {true, 200, 300, 'R', true, 203, 297, "ynyy"},
      {false, 900, 900, '-', true, 3, 3, "nnyy"}, {true, 0, 0, 'P', true, 0, 0, "nnyy"},
      {true, 0, 0, 'E', true, 0, 0, "nnyn"},      {true, 0, 0, '-', false, 9, 9, "nnyy"},
  };
  for (const auto& c : cases) {
    DragGesture g;
    DragMove first = OnDragMove(g, c.firstHeld, c.x1, c.y1, kTolerance, kTolerance);
    if (c.between == 'R') OnDragRelease(g, -1, false);
    if (c.between == 'P' || c.between == 'E') OnPickUpTimer(g, 2, c.between == 'E');
    DragMove second = OnDragMove(g, c.secondHeld, c.x2, c.y2, kTolerance, kTolerance);
    const bool got[] = {first.cancelPickUp, second.cancelPickUp, first.runHover, second.runHover};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(got[i], c.yes[i] == 'y') << c.x1 << c.between << i;
  }
}

// The capture went elsewhere: the gesture ends, the picked-up icon comes back, the
// click latch re-opens only after a press, and a later release drops nothing.
TEST(DragGesture, ACancelEndsTheGestureWithoutADrop) {
  const struct {
    bool pickUp, moved;
    int restore;
    bool wasPressed;
  } cases[] = {{true, true, 4, true}, {false, true, -1, true}, {false, false, -1, false}};
  for (const auto& c : cases) {
    DragGesture g;
    if (c.pickUp) OnPickUpTimer(g, 4, false);
    if (c.moved) OnDragMove(g, true, 1, 1, kTolerance, kTolerance);
    DragCancel cancel = OnDragCancel(g);
    EXPECT_TRUE(cancel.restoreSlot == c.restore && cancel.wasPressed == c.wasPressed) << c.restore;
    OnDragMove(g, true, 1, 1, kTolerance, kTolerance);  // the next press, moved a little
    EXPECT_EQ(OnDragRelease(g, 7, false).kind, DropKind::None);
  }
}

// Every slot distinct, and runAs on every third slot, so a cleared or moved flag shows.
SlotTable NumberedTable() {
  SlotTable table{};
  for (int i = 0; i < SLOT_COUNT; ++i) {
    Text letter(1, static_cast<char16_t>(u'a' + i));
    CopyText(table.slots[i].title, (u"title " + letter).c_str());
    CopyText(table.slots[i].command, (u"command " + letter).c_str());
    CopyText(table.slots[i].icon, (u"icon " + letter).c_str());
    table.slots[i].runAs = (i % 3 == 0) ? 1 : 0;
  }
  return table;
}

// A slot's or the clipboard's three texts.
template <typename Slot>
Text TextsOf(const Slot& slot) {
  return Text(slot.title) + u"|" + slot.command + u"|" + slot.icon;
}

// Each operation on a numbered table: the texts every slot then holds, given as the
// letter of the slot they came from ('-' empty), and the clipboard's; runAs stays put
// and does not make a slot non-empty.
TEST(SlotClipboard, OperationsMoveWholeTextsAndNeverRunAs) {
  using Operation = void (*)(SlotTable & table, SlotClipboard & clipboard);
  const struct {
    const char* name;
    Operation apply;
    const char* slots;
    char clipboard;
  } cases[] = {
      {"copy", [](auto& t, auto& c) { CopySlot(t, 4, c); }, "abcdefghijkl", 'e'},
      {"cut", [](auto& t, auto& c) { CutSlot(t, 3, c); }, "abc-efghijkl", 'd'},
      {"cut, paste twice",
       [](auto& t, auto& c) { CutSlot(t, 2, c), PasteSlot(t, 8, c), PasteSlot(t, 2, c); },
       "abcdefghcjkl", 'c'},
      {"an empty clipboard pastes empty texts", [](auto& t, auto& c) { PasteSlot(t, 6, c); },
       "abcdef-hijkl", '-'},
      {"clear", [](auto& t, auto&) { ClearSlot(t, 9); }, "abcdefghi-kl", '-'},
      {"swap", [](auto& t, auto&) { SwapSlots(t, 0, 11); }, "lbcdefghijka", '-'},
  };
  const SlotTable before = NumberedTable();
  auto expected = [&before](char letter) {
    return letter == '-' ? Text(u"||") : TextsOf(before.slots[letter - 'a']);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SlotTable table = before;
    SlotClipboard clipboard{};
    c.apply(table, clipboard);
    for (int i = 0; i < SLOT_COUNT; ++i) {
      EXPECT_EQ(TextsOf(table.slots[i]), expected(c.slots[i])) << i;
      EXPECT_EQ(table.slots[i].runAs, before.slots[i].runAs) << i;
      EXPECT_EQ(SlotIsEmpty(table, i), c.slots[i] == '-') << i;
    }
    EXPECT_EQ(TextsOf(clipboard), expected(c.clipboard));
  }
}

TEST(EditTextRules, TitleDropsFolderAndLastExtension) {
  const WideChar* const cases[][2] = {
      {u"D:\\archive.tar.gz", u"archive.tar"},
      {u"C:\\My Photos", u"My Photos"},
      {u"C:\\dir\\.gitignore", u"dir\\"},  // the shell cuts the name first, leaving the folder
  };
  for (const auto& c : cases) {
    WideChar title[260] = u"previous";
    TitleFromPath(c[0], title);
    EXPECT_EQ(Text(title), Text(c[1]));
  }
}

// A location is whole or not written: a field holds 259 units.
TEST(EditTextRules, IconLocationAddsIndexExceptForIcoFilesAndNeverCuts) {
  const Text dll = u"C:\\" + Text(249, u'd') + u".dll", ico = u"C:\\" + Text(252, u'i') + u".ico";
  // The location "old": refused, the field untouched.
  const struct {
    Text path;
    int index;
    Text location;
  } cases[] = {
      {u"C:\\W\\shell32.dll", 4, u"C:\\W\\shell32.dll,4"},
      {u"C:\\icons\\star.ICO", 7, u"C:\\icons\\star.ICO"},
      {dll, 12, dll + u",12"},
      {u"C:\\d" + dll.substr(3), 12, u"old"},  // fits; one over
      {ico, 1, ico},
      {u"C:\\i" + ico.substr(3), 1, u"old"},
  };
  for (const auto& c : cases) {
    WideChar location[260] = u"old";
    EXPECT_EQ(FormatIconLocation(c.path.c_str(), c.index, location), c.location != u"old");
    EXPECT_EQ(Text(location), c.location);
  }
}
