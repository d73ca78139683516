// Titles and icon locations that the edit dialog derives from a chosen file.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "editing/edit_text_rules.h"

namespace {

using Text = std::u16string;

TEST(EditTextRules, TitleDropsFolderAndLastExtension) {
  struct Case {
    const char* name;
    const WideChar* path;
    const WideChar* title;
  };
  const Case cases[] = {
      {"program", u"C:\\Tools\\viewer.exe", u"viewer"},
      {"only the last extension", u"D:\\archive.tar.gz", u"archive.tar"},
      {"folder with a space", u"C:\\My Photos", u"My Photos"},
      {"folder with an extension", u"C:\\data.old", u"data"},
      {"dot in a folder name only", u"C:\\dir.x\\file", u"file"},
      // The shell cuts first, so a name that is all extension leaves its folder.
      {"name that is all extension", u"C:\\dir\\.gitignore", u"dir\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WideChar title[260];
    CopyText(title, u"previous");
    TitleFromPath(c.path, title);
    EXPECT_EQ(Text(title), Text(c.title));
  }
}

TEST(EditTextRules, IconLocationAddsIndexExceptForIcoFiles) {
  struct Case {
    const char* name;
    Text path;
    int index;
    bool fits;
    Text location;  // the field after the call; "old" when untouched
  };
  const Text dir = u"C:\\" + Text(240, u'd') + u"\\";  // 244 units
  const Case cases[] = {
      {"icon of a library", u"C:\\Windows\\System32\\shell32.dll", 4, true,
       u"C:\\Windows\\System32\\shell32.dll,4"},
      {".ico in any case, no index", u"C:\\icons\\star.ICO", 7, true, u"C:\\icons\\star.ICO"},
      {"negative index", u"C:\\x.dll", -3, true, u"C:\\x.dll,-3"},
      {"lowest index", u"C:\\x.dll", INT_MIN, true, u"C:\\x.dll,-2147483648"},
      {".ico only as the extension", u"C:\\a.ico\\b.icon", 0, true, u"C:\\a.ico\\b.icon,0"},
      {"259 units fit", dir + Text(8, u'f') + u".dll", 12, true, dir + Text(8, u'f') + u".dll,12"},
      {"260 units refused", dir + Text(9, u'f') + u".dll", 12, false, u"old"},
      {"259-unit .ico fits", dir + Text(11, u'i') + u".ico", 1, true,
       dir + Text(11, u'i') + u".ico"},
      {"260-unit .ico refused", dir + Text(12, u'i') + u".ico", 1, false, u"old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WideChar location[260];
    CopyText(location, u"old");
    EXPECT_EQ(FormatIconLocation(c.path.c_str(), c.index, location), c.fits);
    EXPECT_EQ(Text(location), c.location);
  }
}

}  // namespace
