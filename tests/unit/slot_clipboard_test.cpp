// The one-slot clipboard and the exchange of two slots.

#include <gtest/gtest.h>

#include <string>

#include "editing/slot_clipboard.h"

namespace {

using Text = std::u16string;

// Every slot distinct, and runAs on every third slot, so a cleared or moved flag shows.
SlotTable NumberedTable() {
  SlotTable table{};
  for (int i = 0; i < SLOT_COUNT; ++i) {
    Text digit(1, static_cast<char16_t>(u'a' + i));
    CopyText(table.slots[i].title, (u"title " + digit).c_str());
    CopyText(table.slots[i].command, (u"command " + digit).c_str());
    CopyText(table.slots[i].icon, (u"icon " + digit).c_str());
    table.slots[i].runAs = (i % 3 == 0) ? 1 : 0;
  }
  return table;
}

void ExpectTexts(const CommandSlot& slot, const Text& title, const Text& command,
                 const Text& icon) {
  EXPECT_EQ(Text(slot.title), title);
  EXPECT_EQ(Text(slot.command), command);
  EXPECT_EQ(Text(slot.icon), icon);
}

void ExpectSameTexts(const CommandSlot& actual, const CommandSlot& expected) {
  ExpectTexts(actual, expected.title, expected.command, expected.icon);
}

TEST(SlotClipboard, OperationsChangeOnlyTheirSlotsAndNeverRunAs) {
  struct Case {
    const char* name;
    void (*apply)(SlotTable& table, SlotClipboard& clipboard);
    int touched[2];  // slots whose texts may change; -1 for none
  };
  const Case cases[] = {
      {"copy", [](SlotTable& t, SlotClipboard& c) { CopySlot(t, 4, c); }, {-1, -1}},
      {"cut", [](SlotTable& t, SlotClipboard& c) { CutSlot(t, 3, c); }, {3, -1}},
      {"paste", [](SlotTable& t, SlotClipboard& c) { PasteSlot(t, 6, c); }, {6, -1}},
      {"clear", [](SlotTable& t, SlotClipboard&) { ClearSlot(t, 9); }, {9, -1}},
      {"swap", [](SlotTable& t, SlotClipboard&) { SwapSlots(t, 0, 11); }, {0, 11}},
      {"swap with itself", [](SlotTable& t, SlotClipboard&) { SwapSlots(t, 5, 5); }, {-1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SlotTable before = NumberedTable();
    SlotTable table = before;
    SlotClipboard clipboard{};
    CopyText(clipboard.title, u"held title");
    c.apply(table, clipboard);
    for (int i = 0; i < SLOT_COUNT; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(table.slots[i].runAs, before.slots[i].runAs);
      if (i != c.touched[0] && i != c.touched[1]) ExpectSameTexts(table.slots[i], before.slots[i]);
    }
  }
}

TEST(SlotClipboard, CopyThenPasteOnTwoSlotsKeepsWholeText) {
  // 259 units, the most a slot holds: Japanese, then surrogate pairs up to the end.
  Text longTitle = u"起";
  while (longTitle.size() < SLOT_TEXT_CAPACITY - 1) longTitle += u"\U00020BB7";
  ASSERT_EQ(longTitle.size(), SLOT_TEXT_CAPACITY - 1);
  const Text command = u"\"C:\\ツール\\エディタ.exe\" \"%1\"";
  const Text icon = u"C:\\アイコン\\\U0001F600.ico,3";

  SlotTable table = NumberedTable();
  CopyText(table.slots[0].title, longTitle.c_str());
  CopyText(table.slots[0].command, command.c_str());
  CopyText(table.slots[0].icon, icon.c_str());
  SlotClipboard clipboard{};
  CopySlot(table, 0, clipboard);
  PasteSlot(table, 5, clipboard);
  PasteSlot(table, 6, clipboard);

  ExpectTexts(table.slots[0], longTitle, command, icon);
  ExpectTexts(table.slots[5], longTitle, command, icon);
  ExpectTexts(table.slots[6], longTitle, command, icon);
  EXPECT_EQ(Text(clipboard.title), longTitle);
}

TEST(SlotClipboard, CutEmptiesTheSlotAndPasteRestoresIt) {
  const SlotTable before = NumberedTable();
  SlotTable table = before;
  SlotClipboard clipboard{};
  CutSlot(table, 2, clipboard);
  ExpectTexts(table.slots[2], u"", u"", u"");
  PasteSlot(table, 8, clipboard);
  ExpectSameTexts(table.slots[8], before.slots[2]);
  PasteSlot(table, 2, clipboard);
  ExpectSameTexts(table.slots[2], before.slots[2]);
  // An empty clipboard pastes as empty texts, not as "leave the slot alone".
  PasteSlot(table, 7, SlotClipboard{});
  ExpectTexts(table.slots[7], u"", u"", u"");
}

TEST(SlotClipboard, SwapExchangesAllThreeTexts) {
  const SlotTable before = NumberedTable();
  SlotTable table = before;
  SwapSlots(table, 1, 10);
  ExpectSameTexts(table.slots[1], before.slots[10]);
  ExpectSameTexts(table.slots[10], before.slots[1]);
}

TEST(SlotClipboard, SlotIsEmptyLooksAtTheThreeTextsOnly) {
  struct Case {
    const char* name;
    const WideChar* title;
    const WideChar* command;
    const WideChar* icon;
    int32_t runAs;
    bool empty;
  };
  const Case cases[] = {
      {"all empty", u"", u"", u"", 0, true},
      {"runAs alone does not count", u"", u"", u"", 1, true},
      {"title only", u"t", u"", u"", 0, false},
      {"command only", u"", u"c", u"", 0, false},
      {"icon only", u"", u"", u"i", 0, false},
      {"a space is text", u"", u" ", u"", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SlotTable table = NumberedTable();
    CopyText(table.slots[3].title, c.title);
    CopyText(table.slots[3].command, c.command);
    CopyText(table.slots[3].icon, c.icon);
    table.slots[3].runAs = c.runAs;
    EXPECT_EQ(SlotIsEmpty(table, 3), c.empty);
  }
}

}  // namespace
