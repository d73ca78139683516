// What the link dialog stores for what was typed.

#include "settings/link_rules.h"

#include <gtest/gtest.h>

#include <string>

TEST(LinkValueFor, PutsADotInFrontOnlyWhenMissingAndNeverCuts) {
  const std::u16string longest(LINK_TEXT_CAPACITY - 2, u'x');
  struct Case {
    const char* what;
    std::u16string typed;
    LinkChange change;
    std::u16string value;
  } cases[] = {
      {"bare extension", u"txt", LinkChange::Set, u".txt"},
      {"with its dot", u".txt", LinkChange::Set, u".txt"},
      {"two dots stay as typed", u"..txt", LinkChange::Set, u"..txt"},
      {"empty removes the link", u"", LinkChange::Remove, u""},
      {"dot added to the longest that fits", longest, LinkChange::Set, u"." + longest},
      {"one more would be cut", longest + u"y", LinkChange::Refuse, u""},
      {"a dotted name of full length fits", u"." + longest, LinkChange::Set, u"." + longest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WideChar value[LINK_TEXT_CAPACITY] = u"old";
    EXPECT_EQ(LinkValueFor(c.typed.c_str(), value), c.change);
    EXPECT_EQ(std::u16string(value), c.value);
  }
}
