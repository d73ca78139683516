// The option words and the four options of SystemSetting.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "fake_profile_store.h"
#include "settings/option_rules.h"

namespace {

const Text SYSTEM = u"SystemSetting";

TEST(OptionRules, OnlyOnInAnyCaseIsOn) {
  struct Case {
    const char* name;
    const WideChar* word;
    bool on;
  };
  const Case cases[] = {
      {"ON", u"ON", true},        {"on", u"on", true},         {"On", u"On", true},
      {"one", u"1", false},       {"yes", u"yes", false},      {"TRUE", u"TRUE", false},
      {"empty", u"", false},      {"OFF", u"OFF", false},      {"ONE", u"ONE", false},
      {"blank before", u" ON", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(OptionWordIsOn(c.word), c.on);
  }
}

TEST(OptionRules, OnMouseIsOnUnlessOff) {
  struct Case {
    const char* name;
    const WideChar* stored;  // nullptr: the key is missing
    bool on;
  };
  const Case cases[] = {
      {"missing", nullptr, false}, {"OFF", u"OFF", false}, {"off", u"off", false},
      {"oFf", u"oFf", false},      {"empty", u"", true},    {"ON", u"ON", true},
      {"no", u"no", true},         {"OFFF", u"OFFF", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeProfileStore store;
    if (c.stored != nullptr) store.Put(SYSTEM, u"onMouse", c.stored);
    EXPECT_EQ(ReadOnMouse(store), c.on);
  }
}

TEST(OptionRules, ReadOptionsTakesEachKeyIntoItsFlag) {
  struct Case {
    const char* name;
    std::vector<std::pair<Text, Text>> stored;
    Options expected;
  };
  const Case cases[] = {
      {"no file: all off", {}, {0, 0, 0, 0}},
      {"topView", {{u"topView", u"ON"}}, {1, 0, 0, 0}},
      {"autoClose", {{u"autoClose", u"on"}}, {0, 1, 0, 0}},
      {"loopCursor", {{u"loopCursor", u"On"}}, {0, 0, 1, 0}},
      {"cacheIcon", {{u"cacheIcon", u"ON"}}, {0, 0, 0, 1}},
      {"other words are off",
       {{u"topView", u"1"}, {u"autoClose", u"yes"}, {u"loopCursor", u"TRUE"}, {u"cacheIcon", u""}},
       {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeProfileStore store;
    for (const auto& [key, value] : c.stored) store.Put(SYSTEM, key, value);
    Options inFile;
    Options read = ReadOptions(store, inFile);
    EXPECT_EQ(read.topView, c.expected.topView);
    EXPECT_EQ(read.autoClose, c.expected.autoClose);
    EXPECT_EQ(read.loopCursor, c.expected.loopCursor);
    EXPECT_EQ(read.cacheIcon, c.expected.cacheIcon);
    EXPECT_TRUE(store.writes.empty());
  }
}

TEST(OptionRules, WriteOptionsWritesWhatTheFileDoesNotHoldInOrder) {
  const Options NOTHING = {OPTION_NOT_STORED, OPTION_NOT_STORED, OPTION_NOT_STORED,
                           OPTION_NOT_STORED};
  struct Case {
    const char* name;
    Options options;
    Options inFile;
    std::vector<WriteRecord> expected;
  };
  // One flag on at a time, so a flag written under another key shows.
  const Case cases[] = {
      {"all off, nothing stored", {0, 0, 0, 0}, NOTHING,
       {Written(SYSTEM, u"topView", u"OFF"), Written(SYSTEM, u"autoClose", u"OFF"),
        Written(SYSTEM, u"loopCursor", u"OFF"), Written(SYSTEM, u"cacheIcon", u"OFF")}},
      {"topView", {1, 0, 0, 0}, NOTHING,
       {Written(SYSTEM, u"topView", u"ON"), Written(SYSTEM, u"autoClose", u"OFF"),
        Written(SYSTEM, u"loopCursor", u"OFF"), Written(SYSTEM, u"cacheIcon", u"OFF")}},
      {"autoClose", {0, 1, 0, 0}, NOTHING,
       {Written(SYSTEM, u"topView", u"OFF"), Written(SYSTEM, u"autoClose", u"ON"),
        Written(SYSTEM, u"loopCursor", u"OFF"), Written(SYSTEM, u"cacheIcon", u"OFF")}},
      {"loopCursor", {0, 0, 1, 0}, NOTHING,
       {Written(SYSTEM, u"topView", u"OFF"), Written(SYSTEM, u"autoClose", u"OFF"),
        Written(SYSTEM, u"loopCursor", u"ON"), Written(SYSTEM, u"cacheIcon", u"OFF")}},
      {"cacheIcon", {0, 0, 0, 1}, NOTHING,
       {Written(SYSTEM, u"topView", u"OFF"), Written(SYSTEM, u"autoClose", u"OFF"),
        Written(SYSTEM, u"loopCursor", u"OFF"), Written(SYSTEM, u"cacheIcon", u"ON")}},
      {"all held already", {1, 0, 1, 0}, {1, 0, 1, 0}, {}},
      {"only the toggled ones", {0, 1, 1, 0}, {1, 1, 0, 0},
       {Written(SYSTEM, u"topView", u"OFF"), Written(SYSTEM, u"loopCursor", u"ON")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeProfileStore store;
    WriteOptions(store, c.options, c.inFile);
    EXPECT_EQ(store.writes, c.expected);
  }
}

// Whatever the file held, a read and a write leave it holding the four exact words.
TEST(OptionRules, ReadThenWriteLeavesExactWordsAndRewritesNothingExact) {
  FakeProfileStore store;
  store.Put(SYSTEM, u"topView", u"1");
  store.Put(SYSTEM, u"autoClose", u"on");
  store.Put(SYSTEM, u"loopCursor", u"ON");
  store.Put(SYSTEM, u"cacheIcon", u"OFF");
  Options inFile;
  Options read = ReadOptions(store, inFile);
  WriteOptions(store, read, inFile);
  const std::vector<WriteRecord> expected = {Written(SYSTEM, u"topView", u"OFF"),
                                             Written(SYSTEM, u"autoClose", u"ON")};
  EXPECT_EQ(store.writes, expected);
}

}  // namespace
