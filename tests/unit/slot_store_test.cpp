// Loading a section's twelve slots through its link, and saving only what changed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_profile_store.h"
#include "settings/slot_store.h"

namespace {

struct SlotTexts {
  const WideChar* title;
  const WideChar* command;
  const WideChar* icon;
  int32_t runAs;
};

void Fill(CommandSlot& slot, const SlotTexts& texts) {
  CopyText(slot.title, texts.title);
  CopyText(slot.command, texts.command);
  CopyText(slot.icon, texts.icon);
  slot.runAs = texts.runAs;
}

Text Numbered(const Text& prefix, int n) {
  Text text = prefix;
  for (char digit : std::to_string(n)) text += static_cast<char16_t>(digit);
  return text;
}

TEST(LoadSlotTable, ReadsKeyNumbersOneToTwelveIntoSlotsZeroToEleven) {
  FakeProfileStore store;
  // Keys 0 and 13 carry values too, so reading either would show in a slot.
  for (int n = 0; n <= SLOT_COUNT + 1; ++n) {
    store.Put(u".txt", Numbered(u"title", n), Numbered(u"T", n));
    store.Put(u".txt", Numbered(u"command", n), Numbered(u"C", n));
    store.Put(u".txt", Numbered(u"icon", n), Numbered(u"I", n));
    if (n % 2 == 1) store.Put(u".txt", Numbered(u"runas", n), u"ON");
  }
  SlotTable table{};
  WideChar link[LINK_TEXT_CAPACITY];
  LoadSlotTable(store, u".txt", table, link);
  for (int i = 0; i < SLOT_COUNT; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Text(table.slots[i].title), Numbered(u"T", i + 1));
    EXPECT_EQ(Text(table.slots[i].command), Numbered(u"C", i + 1));
    EXPECT_EQ(Text(table.slots[i].icon), Numbered(u"I", i + 1));
    EXPECT_EQ(table.slots[i].runAs, (i + 1) % 2);
  }
  EXPECT_TRUE(store.writes.empty());
}

TEST(LoadSlotTable, RunAsIsOnOnlyForOn) {
  struct Case {
    const char* name;
    const WideChar* stored;  // nullptr: the key is missing
    int32_t runAs;
  };
  const Case cases[] = {
      {"ON", u"ON", 1},    {"on", u"on", 1},  {"yes", u"yes", 0}, {"1", u"1", 0},
      {"empty", u"", 0},   {"OFF", u"OFF", 0}, {"missing", nullptr, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeProfileStore store;
    if (c.stored != nullptr) store.Put(u".txt", u"runas3", c.stored);
    SlotTable table{};
    WideChar link[LINK_TEXT_CAPACITY];
    LoadSlotTable(store, u".txt", table, link);
    EXPECT_EQ(table.slots[2].runAs, c.runAs);
  }
}

TEST(LoadSlotTable, FollowsOneLevelOfLink) {
  struct Case {
    const char* name;
    const WideChar* link;  // link of .log; nullptr: no link key
    const WideChar* title;
  };
  const Case cases[] = {
      {"no link: own section", nullptr, u"log"},
      {"empty link: own section", u"", u"log"},
      {"link redirects", u".txt", u"txt"},
      {"link without a dot names that section", u"txt", u"bare"},
      {"link to a missing section: empty slots", u".none", u""},
      {"the linked section's own link is not followed", u".md", u"md"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeProfileStore store;
    store.Put(u".log", u"title1", u"log");
    store.Put(u".txt", u"title1", u"txt");
    store.Put(u"txt", u"title1", u"bare");
    store.Put(u".md", u"title1", u"md");
    store.Put(u".md", u"link", u".txt");
    if (c.link != nullptr) store.Put(u".log", u"link", c.link);
    SlotTable table{};
    WideChar link[LINK_TEXT_CAPACITY] = u"stale";
    LoadSlotTable(store, u".log", table, link);
    EXPECT_EQ(Text(link), Text(c.link != nullptr ? c.link : u""));
    EXPECT_EQ(Text(table.slots[0].title), Text(c.title));
  }
}

// A cut title is only shown; a cut command, icon or link would name something
// else, so those read as empty, and the run uses its own section.
TEST(LoadSlotTable, OverlongValuesAreCutOnlyWhereCuttingIsHarmless) {
  const Text fullLink = Text(LINK_TEXT_CAPACITY - 1, u'k');
  const Text fullText = Text(SLOT_TEXT_CAPACITY - 1, u'f');
  const Text longTitle = Text(SLOT_TEXT_CAPACITY - 1, u't') + u"overflow";
  FakeProfileStore store;
  store.Put(u".txt", u"link", fullLink + u"x");
  store.Put(fullLink, u"title1", u"the cut link's section");
  store.Put(u".txt", u"title1", longTitle);
  store.Put(u".txt", u"command1", fullText + u"x");
  store.Put(u".txt", u"icon1", fullText + u",1");
  store.Put(u".txt", u"command2", fullText);  // exactly fits
  store.Put(u".txt", u"icon2", fullText);
  store.Put(u".log", u"link", fullLink);      // exactly fits
  SlotTable table{};
  WideChar link[LINK_TEXT_CAPACITY] = u"stale";
  LoadSlotTable(store, u".txt", table, link);
  EXPECT_EQ(Text(link), u"");
  EXPECT_EQ(Text(table.slots[0].title), longTitle.substr(0, SLOT_TEXT_CAPACITY - 1));
  EXPECT_EQ(Text(table.slots[0].command), u"");
  EXPECT_EQ(Text(table.slots[0].icon), u"");
  EXPECT_EQ(Text(table.slots[1].command), fullText);
  EXPECT_EQ(Text(table.slots[1].icon), fullText);
  LoadSlotTable(store, u".log", table, link);
  EXPECT_EQ(Text(link), fullLink);
  EXPECT_EQ(Text(table.slots[0].title), u"the cut link's section");
  // Nothing read is written back: the overlong keys stay in the file whole.
  SlotTable saved = table;
  for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, u".txt", table, saved);
  EXPECT_TRUE(store.writes.empty());
}

TEST(LoadSlotTable, LeavesNothingOfTheEarlierContent) {
  SlotTable table;
  for (CommandSlot& slot : table.slots) Fill(slot, {u"old", u"old.exe", u"old.ico", 1});
  WideChar link[LINK_TEXT_CAPACITY] = u".old";
  FakeProfileStore store;
  LoadSlotTable(store, u".txt", table, link);
  EXPECT_EQ(Text(link), u"");
  for (int i = 0; i < SLOT_COUNT; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Text(table.slots[i].title), u"");
    EXPECT_EQ(Text(table.slots[i].command), u"");
    EXPECT_EQ(Text(table.slots[i].icon), u"");
    EXPECT_EQ(table.slots[i].runAs, 0);
  }
}

TEST(SaveSlot, WritesOnlyTheChangedKeys) {
  const SlotTexts empty = {u"", u"", u"", 0};
  const SlotTexts editor = {u"Editor", u"C:\\Tools\\editor.exe %1", u"C:\\Tools\\e.dll,2", 0};
  const Text TXT = u".txt";
  struct Case {
    const char* name;
    int slot;
    SlotTexts saved;
    SlotTexts current;
    std::vector<WriteRecord> writes;
  };
  const Case cases[] = {
      {"unchanged", 2, editor, editor, {}},
      {"a change of letter case only is a change", 2, editor,
       {u"EDITOR", u"c:\\tools\\editor.exe %1", u"C:\\Tools\\e.dll,2", 0},
       {Written(TXT, u"title3", u"EDITOR"), Written(TXT, u"command3", u"c:\\tools\\editor.exe %1")}},
      {"new text", 2, empty, {u"", u"notepad.exe", u"", 0},
       {Written(TXT, u"command3", u"notepad.exe")}},
      {"emptied texts delete their keys", 2, editor, {u"", u"C:\\Tools\\editor.exe %1", u"", 0},
       {Deleted(TXT, u"title3"), Deleted(TXT, u"icon3")}},
      {"runAs off deletes its key", 2, {u"", u"", u"", 1}, empty, {Deleted(TXT, u"runas3")}},
      {"runAs on writes ON", 2, empty, {u"", u"", u"", 1}, {Written(TXT, u"runas3", u"ON")}},
      {"all fields, in key order", 0, editor, {u"Viewer", u"viewer.exe", u"v.ico", 1},
       {Written(TXT, u"title1", u"Viewer"), Written(TXT, u"command1", u"viewer.exe"),
        Written(TXT, u"icon1", u"v.ico"), Written(TXT, u"runas1", u"ON")}},
      {"last slot is key 12", 11, empty, {u"Viewer", u"", u"", 0},
       {Written(TXT, u"title12", u"Viewer")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SlotTable saved{};
    SlotTable current{};
    Fill(saved.slots[c.slot], c.saved);
    Fill(current.slots[c.slot], c.current);
    FakeProfileStore store;
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
      SaveSlot(store, slot, TXT.c_str(), current, saved);
    }
    EXPECT_EQ(store.writes, c.writes);
  }
}

TEST(SaveSlot, JustLoadedTableWritesNothing) {
  FakeProfileStore store;
  store.Put(u".txt", u"title1", u"Editor");
  store.Put(u".txt", u"command5", u"C:\\Tools\\editor.exe");
  store.Put(u".txt", u"icon12", u"C:\\Tools\\e.ico,1");
  store.Put(u".txt", u"runas7", u"on");
  SlotTable current;
  SlotTable saved;
  WideChar link[LINK_TEXT_CAPACITY];
  LoadSlotTable(store, u".txt", current, link);
  LoadSlotTable(store, u".txt", saved, link);
  for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, u".txt", current, saved);
  EXPECT_TRUE(store.writes.empty());
}

TEST(SaveSlot, TextsBeyondAsciiSurviveSaveAndLoad) {
  SlotTable saved{};
  SlotTable current{};
  Fill(current.slots[4], {u"メモ帳で開く", u"C:\\ツール\\\U0001F600.exe \"%1\"",
                          u"C:\\アイコン\\\U00020BB7.ico,3", 1});
  Fill(current.slots[9], {u"\U0001D11E", u"", u"", 0});
  FakeProfileStore store;
  for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, u".txt", current, saved);
  EXPECT_EQ(store.writes.size(), 5u);

  SlotTable loaded;
  WideChar link[LINK_TEXT_CAPACITY];
  LoadSlotTable(store, u".txt", loaded, link);
  for (int i = 0; i < SLOT_COUNT; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Text(loaded.slots[i].title), Text(current.slots[i].title));
    EXPECT_EQ(Text(loaded.slots[i].command), Text(current.slots[i].command));
    EXPECT_EQ(Text(loaded.slots[i].icon), Text(current.slots[i].icon));
    EXPECT_EQ(loaded.slots[i].runAs, current.slots[i].runAs);
  }
}

}  // namespace
