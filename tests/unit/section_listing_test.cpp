// Looking a key up in a section listing, as a single-key read would answer.

#include <gtest/gtest.h>

#include <string>

#include "settings/section_listing.h"

namespace {

TEST(SectionListing, FindsValuesAsASingleKeyReadWould) {
  // Lines as the profile API lists them, each ended by a NUL, the last by two.
  const std::u16string listing = std::u16string(
      u" Title1 = spaced \0title2=\"quoted\"\0title3='single'\0title4=\"open\0"
      u"title5=\"\0title6=a=b\0title7\0title7=late\0title8=first\0title8=second\0"
      u"title9=\0title10=\"mixed'\0\0",
      154);
  struct Case {
    const char16_t* key;
    size_t capacity;
    ListedValue result;
    const char16_t* value;
  };
  const Case cases[] = {
      {u"title1", 64, ListedValue::Found, u"spaced"},
      {u"TITLE1", 64, ListedValue::Found, u"spaced"},
      {u"title2", 64, ListedValue::Found, u"quoted"},
      {u"title3", 64, ListedValue::Found, u"single"},
      {u"title4", 64, ListedValue::Found, u"\"open"},
      {u"title5", 64, ListedValue::Found, u"\""},
      {u"title6", 64, ListedValue::Found, u"a=b"},
      {u"title7", 64, ListedValue::Missing, u""},  // the bare name comes first
      {u"title8", 64, ListedValue::Found, u"first"},
      {u"title9", 64, ListedValue::Found, u""},
      {u"title10", 64, ListedValue::Found, u"\"mixed'"},
      {u"title", 64, ListedValue::Missing, u""},
      {u"title11", 64, ListedValue::Missing, u""},
      {u"title2", 4, ListedValue::Found, u"quo"},
      {u"title1", 1, ListedValue::Found, u""},
  };
  ASSERT_EQ(listing.size(), 154u) << "the listing literal lost its end";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key)));
    char16_t buffer[64] = u"junk";
    EXPECT_EQ(FindListedValue(listing.data(), listing.size(), c.key, buffer, c.capacity),
              c.result);
    EXPECT_EQ(std::u16string(buffer), c.value);
  }
}

TEST(SectionListing, EmptyAndUnterminatedListingsStayInBounds) {
  char16_t buffer[8] = u"junk";
  const char16_t empty[] = {0};
  EXPECT_EQ(FindListedValue(empty, 1, u"a", buffer, 8), ListedValue::Missing);
  EXPECT_EQ(std::u16string(buffer), u"");
  // No terminator inside length: the lookup must stop at the length.
  const char16_t cut[] = {u'a', u'=', u'1', u'2'};
  EXPECT_EQ(FindListedValue(cut, 4, u"a", buffer, 8), ListedValue::Found);
  EXPECT_EQ(std::u16string(buffer), u"12");
  EXPECT_EQ(FindListedValue(cut, 0, u"a", buffer, 8), ListedValue::Missing);
}

}  // namespace
