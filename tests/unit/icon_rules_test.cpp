// Where a button's icon comes from and the name of its cache file.

#include "icons/icon_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Text = std::u16string;

TEST(IconRules, ResolveIconSourceSplitsTheLocationAndCutsArguments) {
  const Text longCommand = u"C:\\" + Text(300, u'x');
  struct Case {
    const char* name;
    const WideChar* icon;
    const WideChar* command;
    Text path;
    int32_t index;
  };
  const Case cases[] = {
      {"nothing at all", u"", u"", u"", 0},
      {"program arguments cut", u"", u"C:\\Tools\\app.exe %1", u"C:\\Tools\\app.exe", 0},
      {"script arguments cut", u"", u"C:\\Tools\\run.bat -x", u"C:\\Tools\\run.bat", 0},
      {"link arguments cut", u"", u"C:\\Links\\tool.lnk x", u"C:\\Links\\tool.lnk", 0},
      {"earliest extension wins", u"", u"C:\\a.bat b.exe c", u"C:\\a.bat", 0},
      {"cut is case-sensitive", u"", u"C:\\Tools\\APP.EXE -x", u"C:\\Tools\\APP.EXE -x", 0},
      {"quote after the extension", u"", u"\"C:\\T\\app.exe\" -x", u"\"C:\\T\\app.exe\" -x", 0},
      {"a comma in the command is kept", u"", u"C:\\a,b.exe 1", u"C:\\a,b.exe", 0},
      {"icon wins over command", u"C:\\W\\shell32.dll,4", u"C:\\x.exe", u"C:\\W\\shell32.dll", 4},
      {"icon without index", u"C:\\icons\\star.ico", u"", u"C:\\icons\\star.ico", 0},
      {"negative index", u"C:\\s.dll,-21", u"", u"C:\\s.dll", -21},
      {"index stops at a non-digit", u"C:\\s.dll,12x3", u"", u"C:\\s.dll", 12},
      {"no digits gives 0", u"C:\\s.dll,x", u"", u"C:\\s.dll", 0},
      {"only the first comma splits", u"C:\\a,b.dll,3", u"", u"C:\\a", 0},
      {"quotes then blanks removed", u"\"C:\\My Icons\\a.ico\",2", u"", u"C:\\My Icons\\a.ico", 2},
      {"blanks around the path", u"  C:\\a.dll  ,5", u"", u"C:\\a.dll", 5},
      {"quotes inside blanks stay", u" \"C:\\a.dll\" ,1", u"", u"\"C:\\a.dll\"", 1},
      {"lone quote pair", u"\"\",1", u"", u"", 1},
      {"arguments cut from an icon too", u"C:\\a.exe -x,1", u"", u"C:\\a.exe", 1},
      {"long command cut to capacity", u"", longCommand.c_str(), longCommand.substr(0, 259), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IconSource source = {{u'?'}, 99};
    ResolveIconSource(c.icon, c.command, source);
    EXPECT_EQ(Text(source.path), c.path);
    EXPECT_EQ(source.index, c.index);
  }
}

TEST(IconRules, IconCachePathNamesTheFileOrRefuses) {
  const Text folder249(249, u'f');
  struct Case {
    const char* name;
    Text folder;
    const WideChar* source;
    int32_t index;
    Text expected;  // empty: refused
  };
  const Case cases[] = {
      {"program, index 0", u"C:\\c", u"C:\\Tools\\viewer.exe", 0, u"C:\\c\\viewer.exe.ico"},
      {"library index", u"C:\\c", u"C:\\W\\shell32.dll", 4, u"C:\\c\\shell32.dll[4].ico"},
      {"negative index", u"C:\\c", u"shell32.dll", -21, u"C:\\c\\shell32.dll[-21].ico"},
      {"most negative index", u"C:\\c", u"a.dll", INT32_MIN, u"C:\\c\\a.dll[-2147483648].ico"},
      {"icon file keeps its extension", u"C:\\c", u"C:\\i\\star.ico", 0, u"C:\\c\\star.ico.ico"},
      {"folder ending in a backslash", u"D:\\", u"C:\\x\\a.exe", 0, u"D:\\a.exe.ico"},
      {"caching off", u"", u"C:\\a.exe", 0, u""},
      {"exactly 259 units fit", folder249, u"C:\\a.exe", 0, folder249 + u"\\a.exe.ico"},
      {"260 units refused", folder249 + u"f", u"C:\\a.exe", 0, u""},
      {"index suffix over the limit", folder249, u"C:\\a.exe", 1, u""},
      {"folder alone too long", Text(300, u'f'), u"a.exe", 0, u""},
      {"a folder source is not cached", u"C:\\c", u"D:\\Projects\\", 0, u""},
      {"nor one that would leave the cache", u"C:\\c", u"C:\\Tools\\..\\", 0, u""},
      {"nor a drive", u"C:\\c", u"D:", 3, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IconSource source = {{}, c.index};
    ASSERT_TRUE(CopyText(source.path, c.source));
    WideChar cachePath[ICON_PATH_CAPACITY] = {u'?'};
    EXPECT_EQ(IconCachePath(c.folder.c_str(), source, cachePath), !c.expected.empty());
    EXPECT_EQ(Text(cachePath), c.expected);
  }
}

}  // namespace
