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
    Options read = ReadOptions(store);
    EXPECT_EQ(read.topView, c.expected.topView);
    EXPECT_EQ(read.autoClose, c.expected.autoClose);
    EXPECT_EQ(read.loopCursor, c.expected.loopCursor);
    EXPECT_EQ(read.cacheIcon, c.expected.cacheIcon);
    EXPECT_TRUE(store.writes.empty());
  }
}

TEST(OptionRules, WriteOptionsWritesAllFourInOrder) {
  struct Case {
    const char* name;
    Options options;
    const char16_t* words[4];  // topView, autoClose, loopCursor, cacheIcon
  };
  // One flag on at a time, so a flag written under another key shows.
  const Case cases[] = {
      {"all off", {0, 0, 0, 0}, {u"OFF", u"OFF", u"OFF", u"OFF"}},
      {"topView", {1, 0, 0, 0}, {u"ON", u"OFF", u"OFF", u"OFF"}},
      {"autoClose", {0, 1, 0, 0}, {u"OFF", u"ON", u"OFF", u"OFF"}},
      {"loopCursor", {0, 0, 1, 0}, {u"OFF", u"OFF", u"ON", u"OFF"}},
      {"cacheIcon", {0, 0, 0, 1}, {u"OFF", u"OFF", u"OFF", u"ON"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeProfileStore store;
    WriteOptions(store, c.options);
    const std::vector<WriteRecord> expected = {
        Written(SYSTEM, u"topView", c.words[0]),
        Written(SYSTEM, u"autoClose", c.words[1]),
        Written(SYSTEM, u"loopCursor", c.words[2]),
        Written(SYSTEM, u"cacheIcon", c.words[3]),
    };
    EXPECT_EQ(store.writes, expected);
  }
}

TEST(OptionRules, UnrecognisedWordIsWrittenBackAsOff) {
  FakeProfileStore store;
  store.Put(SYSTEM, u"topView", u"1");
  store.Put(SYSTEM, u"autoClose", u"on");
  WriteOptions(store, ReadOptions(store));
  const Text* topView = store.Find(SYSTEM, u"topView");
  const Text* autoClose = store.Find(SYSTEM, u"autoClose");
  ASSERT_NE(topView, nullptr);
  ASSERT_NE(autoClose, nullptr);
  EXPECT_EQ(*topView, u"OFF");
  EXPECT_EQ(*autoClose, u"ON");
}

}  // namespace
