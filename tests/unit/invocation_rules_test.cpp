// What a start is about: the arguments handed on, the section, the window's
// place and the settings file's path.

#include <gtest/gtest.h>

#include <string>

#include "app/invocation_rules.h"
#include "app/window_placement.h"
#include "settings/settings_path.h"

namespace {

using Text = std::u16string;

TEST(InvocationRules, ArgumentStringIsTheLineLessTheProgramToken) {
  const WideChar* const program = u"C:\\Tools\\Pivora64.exe";
  struct Case {
    const char* name;
    const WideChar* programPath;  // argument 0 as the platform split it
    const WideChar* line;
    const WideChar* arguments;
  };
  const Case cases[] = {
      {"quoted file keeps its quotes", program,
       u"\"C:\\Tools\\Pivora64.exe\" \"D:\\my docs\\a.txt\"", u"\"D:\\my docs\\a.txt\""},
      {"unquoted program", program, u"C:\\Tools\\Pivora64.exe D:\\a.txt", u"D:\\a.txt"},
      {"blank inside the quoted program", u"C:\\Program Files\\P64.exe",
       u"\"C:\\Program Files\\P64.exe\" D:\\a.txt", u"D:\\a.txt"},
      {"several files all stay", program, u"\"C:\\Tools\\Pivora64.exe\" \"D:\\a.txt\" D:\\b.txt",
       u"\"D:\\a.txt\" D:\\b.txt"},
      {"blanks beyond the first stay", program, u"\"C:\\Tools\\Pivora64.exe\"   D:\\a.txt",
       u"  D:\\a.txt"},
      {"quoted program alone", program, u"\"C:\\Tools\\Pivora64.exe\"", u""},
      {"unquoted program alone", program, u"C:\\Tools\\Pivora64.exe", u""},
      {"program and one blank", program, u"\"C:\\Tools\\Pivora64.exe\" ", u""},
      {"line shorter than the token", program, u"\"C:\\x\"", u""},
      {"empty line", program, u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WideChar* arguments = ArgumentStringOf(c.line, TextLength(c.programPath));
    // Points into the caller's line, so it can never be cut.
    ASSERT_GE(arguments, c.line);
    ASSERT_LE(arguments, c.line + TextLength(c.line));
    EXPECT_EQ(Text(arguments), Text(c.arguments));
  }
}

TEST(InvocationRules, SectionNameIsFolderOrTheExtensionAsWritten) {
  // Past any fixed path buffer: a copy into one would lose the extension.
  const Text longTarget = u"D:\\" + Text(300, u'n') + u".Markdown";
  struct Case {
    const char* name;
    const WideChar* target;
    bool directory;
    const WideChar* section;
  };
  const Case cases[] = {
      {"directory, even with a dot", u"D:\\docs\\v1.2", true, u"folder"},
      {"extension in its own case", u"D:\\docs\\Report.final.TXT", false, u".TXT"},
      {"no extension", u"D:\\docs\\README", false, u""},
      {"space after the dot", u"D:\\docs\\a.b c", false, u""},
      {"target of 300+ units", longTarget.c_str(), false, u".Markdown"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Text(SectionNameOf(c.target, c.directory)), Text(c.section));
  }
}

TEST(WindowPlacement, CentresOnDesktopOrCursorTruncatingTowardZero) {
  struct Case {
    const char* name;
    int desktopRight, desktopBottom, cursorX, cursorY, width, height;
    bool onCursor;
    int x, y;
  };
  const Case cases[] = {
      {"desktop, even", 1920, 1080, 0, 0, 168, 176, false, 876, 452},
      {"desktop, odd remainder", 1366, 768, 5, 5, 167, 171, false, 599, 298},
      {"desktop narrower than the window", 100, 50, 0, 0, 151, 165, false, -25, -57},
      {"cursor, odd size", 400, 300, 1000, 700, 151, 165, true, 925, 618},
      {"cursor at the corner goes off screen", 1920, 1080, 0, 0, 151, 165, true, -75, -82},
      {"negative cursor", 1920, 1080, -5, -10, 151, 165, true, -80, -92},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WindowOrigin origin = PlaceWindow(c.desktopRight, c.desktopBottom, c.cursorX, c.cursorY,
                                      c.width, c.height, c.onCursor);
    EXPECT_EQ(origin.x, c.x);
    EXPECT_EQ(origin.y, c.y);
  }
}

TEST(SettingsPath, ReplacesOrAppendsTheExtensionOrRefuses) {
  const Text longestStem = u"C:\\" + Text(SETTINGS_PATH_UNITS - 8, u'p');  // 255 + ".ini" fits
  const Text longestFitting = longestStem + u".exe";
  const Text oneTooLong = u"C:\\" + Text(SETTINGS_PATH_UNITS - 7, u'p') + u".exe";
  const Text longestResult = longestStem + u".ini";
  struct Case {
    const char* name;
    const WideChar* executable;
    bool fits;
    const WideChar* settings;
  };
  const Case cases[] = {
      {"extension replaced", u"C:\\Tools\\Pivora64.exe", true, u"C:\\Tools\\Pivora64.ini"},
      {"only the last extension", u"C:\\Tools\\P.v2.exe", true, u"C:\\Tools\\P.v2.ini"},
      {"no extension: appended", u"C:\\Tools\\Pivora64", true, u"C:\\Tools\\Pivora64.ini"},
      {"dot in a folder only", u"C:\\v1.2\\Pivora64", true, u"C:\\v1.2\\Pivora64.ini"},
      {"longest that fits", longestFitting.c_str(), true, longestResult.c_str()},
      {"one unit too long", oneTooLong.c_str(), false, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WideChar settings[SETTINGS_PATH_UNITS] = u"stale";
    EXPECT_EQ(SettingsPathOf(c.executable, settings), c.fits);
    EXPECT_EQ(Text(settings), Text(c.settings));
  }
}

// One file, one lock, whatever the letter case of its path; another file, another
// lock; and always a valid kernel object name.
TEST(SettingsPath, LockNameFollowsTheFileNotItsSpelling) {
  auto name = [](const Text& path) {
    WideChar lock[SETTINGS_LOCK_NAME_UNITS];
    SettingsLockNameOf(path.c_str(), lock);
    return Text(lock);
  };
  const Text tools = name(u"C:\\Tools\\Pivora64.ini");
  EXPECT_EQ(tools, name(u"c:\\TOOLS\\pivora64.INI"));
  EXPECT_NE(tools, name(u"C:\\Tools2\\Pivora64.ini"));
  EXPECT_NE(tools, name(u"C:\\Tools\\Pivora64.ini "));
  EXPECT_NE(name(u"C:\\\u00C9\\Pivora64.ini"), name(u"C:\\\u00E9\\Pivora64.ini"))
      << "only ASCII letters fold";
  const Text prefix = u"Local\\Pivora64.settings.";
  for (const Text& lock : {tools, name(u""), name(Text(300, u'x'))}) {
    ASSERT_EQ(lock.size(), prefix.size() + 16);
    EXPECT_EQ(lock.substr(0, prefix.size()), prefix);
    EXPECT_EQ(lock.substr(prefix.size()).find_first_not_of(u"0123456789abcdef"), Text::npos);
  }
}

}  // namespace
