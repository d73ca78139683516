// Loading a section's slots through its link and saving only what changed; the
// option words; a key looked up in a section listing; the link typed by the user;
// the settings file's path and lock name.

#include <map>

#include "settings/link_rules.h"
#include "settings/option_rules.h"
#include "settings/save_copy_rules.h"
#include "settings/section_listing.h"
#include "settings/settings_path.h"
#include "settings/slot_store.h"
#include "unit_test.h"

// An in-memory settings file that logs every write as "section key=value; " (a
// deleted key without "="), so a test sees exactly what a save touched, in order.
// The program writes each name in one spelling, so names are not folded here.
struct FakeProfileStore final : ProfileStore {
  Text writes;
  std::map<Text, Text> values;  // "section\nkey": filled directly, as before the run

  void ReadText(const WideChar* section, const WideChar* key, const WideChar* fallback,
                WideChar* buffer, size_t capacity) override {
    auto found = values.find(Text(section) + u'\n' + key);
    Text value = Text(found != values.end() ? found->second : fallback).substr(0, capacity - 1);
    buffer[value.copy(buffer, value.size())] = 0;
  }

  void WriteText(const WideChar* section, const WideChar* key, const WideChar* value) override {
    writes += Text(section) + u" " + key + (value != nullptr ? u"=" + Text(value) : u"") + u"; ";
    values.erase(Text(section) + u'\n' + key);
    if (value != nullptr) values[Text(section) + u'\n' + key] = value;
  }
};

// Slot 1 (key title1) shows which section was read; runas1 is on in .txt only.
TEST(LoadSlotTable, FollowsOneLevelOfLinkAndLeavesNothingOlder) {
  // The link of .log ("-": no link key); the title slot 1 shows.
  const struct {
    const WideChar *link, *title;
  } cases[] = {
      {u"-", u"log"},    {u"", u"log"},
      {u".txt", u"txt"}, {u"txt", u"bare"},  // a link without a dot names that section
      {u".none", u""},   {u".md", u"md"},    // the linked section's own link is not followed
  };
  for (const auto& c : cases) {
    FakeProfileStore store;
    store.values = {{u".log\ntitle1", u"log"}, {u".txt\ntitle1", u"txt"}, {u".txt\nrunas1", u"on"},
                    {u"txt\ntitle1", u"bare"}, {u".md\ntitle1", u"md"},   {u".md\nlink", u".txt"}};
    if (Text(c.link) != u"-") store.values[u".log\nlink"] = c.link;
    SlotTable table;
    for (CommandSlot& slot : table.slots) slot = CommandSlot{u"old", u"old", u"old", 1};
    WideChar link[LINK_TEXT_CAPACITY] = u"stale";
    LoadSlotTable(store, u".log", table, link);
    EXPECT_EQ(Text(link), Text(c.link) != u"-" ? Text(c.link) : u"");
    EXPECT_EQ(Text(table.slots[0].title) + table.slots[0].command + table.slots[11].icon, c.title);
    EXPECT_EQ(table.slots[0].runAs + 2 * table.slots[11].runAs, Text(c.title) == u"txt");
  }
}

// A cut title is only shown; a cut command, icon or link would name something
// else, so those read as empty, and the run uses its own section.
TEST(LoadSlotTable, OverlongValuesAreCutOnlyWhereCuttingIsHarmless) {
  const Text fullLink = Text(LINK_TEXT_CAPACITY - 1, u'k');
  const Text fullText = Text(SLOT_TEXT_CAPACITY - 1, u'f');
  FakeProfileStore store;  // command2 and the link of .log exactly fit
  store.values = {{u".txt\nlink", fullLink + u"x"},
                  {fullLink + u"\ntitle1", u"cut link's"},
                  {u".txt\ntitle1", fullText + u"over"},
                  {u".txt\ncommand1", fullText + u"x"},
                  {u".txt\nicon1", fullText + u",1"},
                  {u".txt\ncommand2", fullText},
                  {u".log\nlink", fullLink}};
  SlotTable table{};
  WideChar link[LINK_TEXT_CAPACITY] = u"stale";
  LoadSlotTable(store, u".txt", table, link);
  EXPECT_EQ(Text(link), u"");
  EXPECT_EQ(Text(table.slots[0].title) + table.slots[0].command + table.slots[0].icon, fullText);
  EXPECT_EQ(Text(table.slots[1].command), fullText);
  LoadSlotTable(store, u".log", table, link);
  EXPECT_EQ(Text(link), fullLink);
  EXPECT_EQ(Text(table.slots[0].title), u"cut link's");
  // Nothing read is written back: the overlong keys stay in the file whole.
  SlotTable saved = table;
  for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, u".txt", table, saved);
  EXPECT_EQ(store.writes, u"");
}

TEST(SaveSlot, WritesOnlyTheChangedKeys) {
  const CommandSlot none = {u"", u"", u"", 0}, ed = {u"Ed", u"ed.exe %1", u"e.dll,2", 0};
  const struct {
    int slot;
    CommandSlot saved, current;
    Text writes;
  } cases[] = {
      {2, ed, ed, u""},
      {2, ed, {u"ED", u"ED.exe %1", u"e.dll,2", 0}, u"s title3=ED; s command3=ED.exe %1; "},
      {2, ed, {u"", u"ed.exe %1", u"", 0}, u"s title3; s icon3; "},  // emptied: deleted
      {2, {u"", u"", u"", 1}, none, u"s runas3; "},
      {0, ed, {u"V", u"v", u"i", 1}, u"s title1=V; s command1=v; s icon1=i; s runas1=ON; "},
      {11, none, {u"V", u"", u"", 0}, u"s title12=V; "},
  };
  for (const auto& c : cases) {
    SlotTable saved{}, current{};
    saved.slots[c.slot] = c.saved;
    current.slots[c.slot] = c.current;
    FakeProfileStore store;
    for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, u"s", current, saved);
    EXPECT_EQ(store.writes, c.writes);
    const Options options = {1, 0, 1, 0};
    EXPECT_EQ(SettingsChangedByUser(current, saved, options, options), !c.writes.empty());
  }
}

// Other options are on only when they say ON (the table below); onMouse is on
// unless it says OFF, in any case, and off when missing ("-").
TEST(OptionRules, OnMouseIsOnUnlessOff) {
  const struct {
    const WideChar* word;
    bool on;
  } cases[] = {{u"ON", true},   {u"1", true},    {u"", true},  {u"OFFF", true},
               {u"OFF", false}, {u"oFf", false}, {u"-", false}};
  for (const auto& c : cases) {
    FakeProfileStore store;
    if (Text(c.word) != u"-") store.values[u"SystemSetting\nonMouse"] = c.word;
    EXPECT_EQ(ReadOnMouse(store), c.on) << Text(c.word).size();
  }
}

// Each option read into its own flag, and written back only where the file does not
// already hold the exact word; between read and write the user may toggle some.
// Flags topView, autoClose, loopCursor, cacheIcon as digits; words "-" are missing;
// writes '+' ON, '-' OFF, '.' none.
TEST(OptionRules, OptionsAreReadIntoTheirFlagsAndOnlyInexactWordsWritten) {
  const struct {
    const WideChar* words[4];
    const char *read, *written, *writes;
  } cases[] = {
      {{u"-", u"-", u"-", u"-"}, "0000", "1100", "++--"},
      {{u"-", u"-", u"-", u"-"}, "0000", "1010", "+-+-"},
      {{u"ON", u"on", u"-", u"OFF"}, "1100", "1100", ".+-."},
      {{u"ONE", u"OFF", u"On", u"ON"}, "0011", "1011", "+.+."},
      {{u" ON", u"", u"OFFF", u"oFf"}, "0000", "0000", "----"},
  };
  const WideChar* const keys[4] = {u"topView", u"autoClose", u"loopCursor", u"cacheIcon"};
  for (const auto& c : cases) {
    FakeProfileStore store;
    Text expected;
    for (int i = 0; i < 4; ++i) {
      if (Text(c.words[i]) != u"-") store.values[u"SystemSetting\n" + Text(keys[i])] = c.words[i];
      if (c.writes[i] == '.') continue;
      expected += u"SystemSetting " + Text(keys[i]) + (c.writes[i] == '+' ? u"=ON; " : u"=OFF; ");
    }
    Options inFile;
    const Options r = ReadOptions(store, inFile);
    EXPECT_EQ((std::string{char('0' + r.topView), char('0' + r.autoClose), char('0' + r.loopCursor),
                           char('0' + r.cacheIcon)}),
              c.read);
    const Options written = {c.written[0] - '0', c.written[1] - '0', c.written[2] - '0',
                             c.written[3] - '0'};
    WriteOptions(store, written, inFile);
    EXPECT_EQ(store.writes, expected);
    // Words the launcher only tidies are not the user's changes; a toggle is.
    const SlotTable table{};
    EXPECT_EQ(SettingsChangedByUser(table, table, written, r), Text(c.read, c.read + 4) != Text(c.written, c.written + 4));
  }
}

TEST(SectionListing, FindsValuesAsASingleKeyReadWould) {
  // Lines as the profile API lists them, each ended by a NUL, the last by two.
  const Text listing = Text(
      u" Title1 = spaced \0title2=\"quoted\"\0title3='single'\0title4=\"open\0"
      u"title5=\"\0title6=a=b\0title7\0title7=late\0title8=first\0title8=second\0"
      u"title9=\0title10=\"mixed'\0\0",
      154);
  const struct {
    const char16_t* key;
    size_t capacity;
    const char16_t* value;
  } cases[] = {
      {u"TITLE1", 64, u"spaced"},    {u"title2", 64, u"quoted"}, {u"title3", 64, u"single"},
      {u"title5", 64, u"\""},        {u"title6", 64, u"a=b"},    {u"title7", 64, u"-"},
      {u"title8", 64, u"first"},     {u"title9", 64, u""},       {u"title", 64, u"-"},
      {u"title10", 64, u"\"mixed'"}, {u"title2", 4, u"quo"},     {u"title1", 1, u""},
  };
  for (const auto& c : cases) {
    char16_t buffer[64] = u"junk";
    const bool found = Text(c.value) != u"-";
    EXPECT_EQ(FindListedValue(listing.data(), listing.size(), c.key, buffer, c.capacity),
              found ? ListedValue::Found : ListedValue::Missing);
    EXPECT_EQ(Text(buffer), found ? Text(c.value) : u"") << Text(c.key).size();
  }
  // No terminator inside the length: the lookup must stop at the length.
  const char16_t cut[] = {u'a', u'=', u'1', u'2'};
  char16_t buffer[8];
  EXPECT_EQ(FindListedValue(cut, 4, u"a", buffer, 8), ListedValue::Found);
  EXPECT_EQ(Text(buffer), u"12");
  EXPECT_EQ(FindListedValue(cut, 0, u"a", buffer, 8), ListedValue::Missing);
}

TEST(LinkValueFor, PutsADotInFrontOnlyWhenMissingAndNeverCuts) {
  const Text longest(LINK_TEXT_CAPACITY - 2, u'x');
  const struct {
    Text typed;
    LinkChange change;
    Text value;
  } cases[] = {
      {u"txt", LinkChange::Set, u".txt"},
      {u".txt", LinkChange::Set, u".txt"},
      {u"", LinkChange::Remove, u""},
      {longest, LinkChange::Set, u"." + longest},
      {longest + u"y", LinkChange::Refuse, u""},
      {u"." + longest, LinkChange::Set, u"." + longest},
  };
  for (const auto& c : cases) {
    WideChar value[LINK_TEXT_CAPACITY] = u"old";
    EXPECT_EQ(LinkValueFor(c.typed.c_str(), value), c.change) << c.typed.size();
    EXPECT_EQ(Text(value), c.value);
  }
}

// A lock's name comes from the file's canonical path (resolved and folded by the
// platform; ASCII letters fold here too) or from its identity: always a valid kernel
// object name, another for another path or file.
TEST(SettingsPath, LockNamesAreKernelObjectNamesOfThePathOrTheFile) {
  WideChar names[5][SETTINGS_LOCK_NAME_UNITS];
  SettingsLockNameOf(u"C:\\TOOLS\\PIVORA64.INI", names[0]);
  SettingsLockNameOf(u"c:\\tools\\pivora64.ini", names[1]);
  SettingsLockNameOf(u"C:\\TOOLS2\\PIVORA64.INI", names[2]);
  SettingsFileLockNameOf(0x5a000000u, 0xa720ceu, names[3]);
  SettingsFileLockNameOf(0xa720ceu, 0x5a000000u, names[4]);
  EXPECT_TRUE(Text(names[0]) == names[1] && Text(names[0]) != names[2] && Text(names[3]) != names[4]);
  EXPECT_EQ(Text(names[3]), u"Local\\Pivora64.file.5a000000.0000000000a720ce");
  const Text path = names[0];
  EXPECT_TRUE(path.size() == 40 && path.substr(0, 24) == u"Local\\Pivora64.settings.");
  EXPECT_EQ(path.find_first_not_of(u"0123456789abcdef", 24), Text::npos);
}

// Beside the settings file, in the long form where a copy would pass MAX_PATH.
TEST(SaveCopyPaths, LieBesideTheFileInAFormWindowsOpens) {
  const Text deep = u"C:\\" + Text(240, u'd') + u"\\P.ini", share = u"\\\\s\\" + Text(242, u'd') + u"\\P.ini";
  const struct {
    Text settings, stem;  // the copies' paths less their suffixes
  } cases[] = {
      {u"C:\\Tools\\Pivora64.ini", u"C:\\Tools\\Pivora64.ini"},
      {deep, u"\\\\?\\" + deep},
      {share, u"\\\\?\\UNC" + share.substr(1)},
      {u"\\\\?\\" + deep, u"\\\\?\\" + deep},
      {u"", u""},
  };
  for (const auto& c : cases) {
    SaveCopyPaths paths;
    EXPECT_EQ(SaveCopyPathsOf(c.settings.c_str(), paths), !c.stem.empty());
    EXPECT_EQ(Text(paths.whole) + u"|" + paths.partial + u"|" + paths.done + u"|" + paths.kept,
              c.stem.empty() ? u"|||"
                             : c.stem + u".before-save|" + c.stem + u".before-save.partial|" + c.stem +
                                   u".before-save.done|" + c.stem + u".before-restore");
  }
}

// What a start does with what a save left. Found: whole copy, it equals the file,
// its done record, partial copy, the kept file written since the copy. Plan: keep
// the file's bytes, restore, retire the whole copy, delete the partial, tell.
TEST(PlanRecovery, PutsBackOnlyACutSavesCopyAndKeepsWhatItReplaces) {
  const struct {
    const char *found, *plan;
  } cases[] = {
      {".....", "....."}, {"w....", "krw.t"}, {"ws...", "..w.."}, {"...p.", "...p."},
      {"w..p.", "krwpt"}, {"w.d..", "..w.."},  // a finished save's copy never comes back
      {"..d..", "....."}, {"w...k", ".rw.t"},  // an earlier try kept the file already
  };
  for (const auto& c : cases) {
    RecoveryFindings f = {c.found[0] == 'w', c.found[1] == 's', c.found[2] == 'd', c.found[3] == 'p',
                          c.found[4] == 'k'};
    RecoveryPlan p = PlanRecovery(f);
    EXPECT_EQ((std::string{p.keepFileBytes ? 'k' : '.', p.restoreWholeCopy ? 'r' : '.',
                           p.retireWholeCopy ? 'w' : '.', p.deletePartialCopy ? 'p' : '.',
                           p.tellUser ? 't' : '.'}),
              c.plan)
        << c.found;
  }
}
