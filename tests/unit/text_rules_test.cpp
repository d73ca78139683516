// Bounded copies, the one case-insensitive comparison and the path rules.

#include <gtest/gtest.h>

#include <string>

#include "common/path_rules.h"
#include "common/wide_text.h"

namespace {

using Text = std::u16string;

TEST(TextRules, FoldsOnlyAsciiLetters) {
  struct Case {
    const char* name;
    const WideChar* a;
    const WideChar* b;
    bool equal;
  };
  const Case cases[] = {
      {"ascii letters fold", u"C:\\Tools\\editor.EXE", u"c:\\tools\\EDITOR.exe", true},
      {"both empty", u"", u"", true},
      {"shorter is a prefix", u"abc", u"abcd", false},
      {"longer is an extension", u"abcd", u"ABC", false},
      {"empty against text", u"", u"a", false},
      {"accented letters stay apart", u"\u00C9", u"\u00E9", false},
      {"fullwidth letters stay apart", u"\uFF21", u"\uFF41", false},
      // Same low byte as 'A'/'a': a fold that looks at one byte would match them.
      {"low byte of a letter is not a letter", u"\u0141", u"\u0161", false},
      {"just before A and a", u"@", u"`", false},
      {"just after Z and z", u"[", u"{", false},
      {"same surrogate pair", u"\U0001F600", u"\U0001F600", true},
      {"surrogate pairs differing in the low unit", u"\U0001F600", u"\U0001F601", false},
      {"non-BMP capital and small letter", u"\U00010400", u"\U00010428", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextEqualsIgnoringAsciiCase(c.a, c.b), c.equal);
    EXPECT_EQ(TextEqualsIgnoringAsciiCase(c.b, c.a), c.equal);
  }
}

TEST(TextRules, CopyCutsToCapacityLessOneAndReportsTheCut) {
  struct Case {
    const char* name;
    const WideChar* source;
    const WideChar* expected;
    bool whole;
  };
  const Case cases[] = {
      {"empty", u"", u"", true},
      {"fills capacity - 1", u"abc", u"abc", true},
      {"one unit too long", u"abcd", u"abc", false},
      {"much too long", u"abcdefghijklmnop", u"abc", false},
      {"surrogate pair counts as two units", u"a\U0001F600", u"a\U0001F600", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WideChar buffer[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(CopyText(buffer, c.source), c.whole);
    EXPECT_EQ(Text(buffer), Text(c.expected));
  }
}

TEST(TextRules, AppendStaysWithinCapacity) {
  struct Case {
    const char* name;
    const WideChar* start;
    const WideChar* tail;
    const WideChar* expected;
    bool whole;
  };
  const Case cases[] = {
      {"fits", u"ab", u"cd", u"abcd", true},
      {"fills exactly", u"ab", u"cde", u"abcde", true},
      {"cut at capacity - 1", u"abc", u"def", u"abcde", false},
      {"nothing onto a full buffer", u"abcde", u"", u"abcde", true},
      {"a unit onto a full buffer", u"abcde", u"f", u"abcde", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WideChar buffer[6];
    ASSERT_TRUE(CopyText(buffer, c.start));
    EXPECT_EQ(AppendText(buffer, c.tail), c.whole);
    EXPECT_EQ(Text(buffer), Text(c.expected));
  }
}

TEST(PathRules, FindExtensionTakesTheLastDotOfTheName) {
  struct Case {
    const char* name;
    const WideChar* path;
    const WideChar* extension;
  };
  const Case cases[] = {
      {"last of several dots, case kept", u"D:\\docs\\report.final.TXT", u".TXT"},
      {"dot in a folder only", u"C:\\dir.x\\file", u""},
      {"space after the dot", u"a.b c", u""},
      {"space before the dot", u"C:\\my docs\\a.txt", u".txt"},
      {"name that is all extension", u"C:\\x\\.hidden", u".hidden"},
      {"trailing dot", u"C:\\x\\name.", u"."},
      {"no dot", u"C:\\x\\README", u""},
      {"empty path", u"", u""},
      {"a slash does not cancel the dot", u"a.b/c", u".b/c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WideChar* found = FindExtension(c.path);
    // The result points into the path: at the dot, or at the terminator.
    ASSERT_GE(found, c.path);
    ASSERT_LE(found, c.path + TextLength(c.path));
    EXPECT_EQ(Text(found), Text(c.extension));
  }
}

TEST(PathRules, FindFileNameKeepsTheLastComponent) {
  struct Case {
    const char* name;
    const WideChar* path;
    const WideChar* fileName;
  };
  const Case cases[] = {
      {"file in a folder", u"C:\\a\\b.txt", u"b.txt"},
      {"trailing backslash keeps the folder", u"C:\\dir\\", u"dir\\"},
      {"drive root stays whole", u"C:\\", u"C:\\"},
      {"drive-relative name", u"C:name", u"name"},
      {"bare name", u"b.txt", u"b.txt"},
      {"forward slashes", u"C:/a/b", u"b"},
      {"share", u"\\\\server\\share", u"share"},
      {"empty", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WideChar* found = FindFileName(c.path);
    ASSERT_GE(found, c.path);
    ASSERT_LE(found, c.path + TextLength(c.path));
    EXPECT_EQ(Text(found), Text(c.fileName));
  }
}

TEST(PathRules, DriveAbsolutePathNeedsLetterColonBackslash) {
  struct Case {
    const char* name;
    const WideChar* path;
    bool absolute;
  };
  const Case cases[] = {
      {"upper-case drive", u"C:\\x", true},   {"lower-case drive root", u"z:\\", true},
      {"drive-relative", u"C:x", false},      {"forward slash", u"C:/x", false},
      {"digit as drive", u"1:\\x", false},    {"share", u"\\\\srv\\x", false},
      {"relative", u"x\\y", false},           {"empty", u"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsDriveAbsolutePath(c.path), c.absolute);
  }
}

}  // namespace
