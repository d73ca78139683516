// What a run leaves in the settings file, and the options it reads from it.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

// Runs the launcher for a .txt file and closes it with Escape.
void RunAndClose(const TestFolder& folder, const std::wstring& target = L"notes.txt") {
  LauncherProcess launcher(folder, L"\"" + folder.File(target) + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(launcher.CloseWithEscape(window), 0u);
}

}  // namespace

TEST(SettingsFile, MissingFileIsCreatedAsUtf16WithTheOptionsOnly) {
  TestFolder folder;
  RunAndClose(folder);
  std::string bytes = ReadBytes(folder.Settings());
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << "new settings files start with a UTF-16LE mark";
  std::wstring text = ReadSettingsText(folder.Settings());
  EXPECT_NE(text.find(L"[SystemSetting]"), std::wstring::npos);
  for (const wchar_t* key : {L"topView", L"autoClose", L"loopCursor", L"cacheIcon"}) {
    EXPECT_EQ(IniValue(folder.Settings(), L"SystemSetting", key), L"OFF") << key;
  }
  EXPECT_EQ(text.find(L"title"), std::wstring::npos) << "no slot keys for empty slots";
  EXPECT_EQ(text.find(L"onMouse"), std::wstring::npos) << "onMouse is never written";
}

TEST(SettingsFile, OptionsReadInAnyCaseAndWrittenBackAsOnOrOff) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(),
                     L"[SystemSetting]\r\ntopView=on\r\nautoClose=1\r\nloopCursor=On\r\n"
                     L"cacheIcon=TRUE\r\nonMouse=OFF\r\n");
  LauncherProcess launcher(folder, L"\"" + folder.File(L"notes.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "topView=on is on";
  ASSERT_EQ(launcher.CloseWithEscape(window), 0u);

  const std::wstring& ini = folder.Settings();
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"topView"), L"ON");
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"autoClose"), L"OFF") << "1 does not mean on";
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"loopCursor"), L"ON");
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"cacheIcon"), L"OFF") << "TRUE does not mean on";
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"onMouse"), L"OFF") << "onMouse left as it was";
}

TEST(SettingsFile, TopViewOffLeavesTheWindowNotTopmost) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), L"[SystemSetting]\r\ntopView=OFF\r\n");
  LauncherProcess launcher(folder, L"\"" + folder.File(L"notes.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// An unchanged run rewrites only the four options: every other section, key,
// value and comment of the file stays as the user wrote it.
TEST(SettingsFile, UnchangedSlotsLeaveTheRestOfTheFileAlone) {
  TestFolder folder;
  const std::wstring original =
      L"; my launcher settings\r\n"
      L"[.txt]\r\n"
      L"title1=Editor\r\n"
      L"command1=C:\\Tools\\editor.exe\r\n"
      L"runas1=on\r\n"
      L"title13=never read\r\n"
      L"[.log]\r\n"
      L"title2=Viewer\r\n"
      L"custom=kept\r\n";
  WriteSettingsUtf16(folder.Settings(), original);
  RunAndClose(folder);
  std::wstring after = ReadSettingsText(folder.Settings());
  size_t cursor = 0;
  for (const wchar_t* line : {L"; my launcher settings", L"[.txt]", L"title1=Editor",
                              L"command1=C:\\Tools\\editor.exe", L"runas1=on",
                              L"title13=never read", L"[.log]", L"title2=Viewer",
                              L"custom=kept"}) {
    size_t at = after.find(line, cursor);
    ASSERT_NE(at, std::wstring::npos) << "lost or reordered: " << std::string(line, line + lstrlenW(line));
    cursor = at;
  }
  EXPECT_EQ(IniValue(folder.Settings(), L"SystemSetting", L"topView"), L"OFF");
}

// A file written in the ANSI code page by hand keeps working, and keeps its encoding.
TEST(SettingsFile, ExistingAnsiFileStaysReadableAndAnsi) {
  TestFolder folder;
  WriteBytes(folder.Settings(), "[.txt]\r\ntitle1=Plain editor\r\n");
  LauncherProcess launcher(folder, L"\"" + folder.File(L"notes.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(StatusBarText(window), L"Plain editor");
  ASSERT_EQ(launcher.CloseWithEscape(window), 0u);
  std::string bytes = ReadBytes(folder.Settings());
  EXPECT_EQ(bytes.rfind("[.txt]\r\ntitle1=Plain editor\r\n", 0), 0u);
  EXPECT_NE(bytes.find("topView=OFF"), std::string::npos);
}

TEST(SettingsFile, JapaneseAndNonBmpTitlesShowWhole) {
  TestFolder folder;
  const std::wstring title = L"テキスト編集 \U0002000B 𝄞";
  WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\ntitle1=" + title + L"\r\n");
  LauncherProcess launcher(folder, L"\"" + folder.File(L"メモ.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), L"メモ.txt");
  EXPECT_EQ(StatusBarText(window), title);
}

TEST(SettingsFile, LinkTakesTheSlotsOfTheLinkedSectionOneLevelOnly) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(),
                     L"[.log]\r\nlink=.txt\r\ntitle1=own log slot\r\n"
                     L"[.txt]\r\nlink=.md\r\ntitle1=text slot\r\n"
                     L"[.md]\r\ntitle1=markdown slot\r\n"
                     L"[.ini]\r\nLINK=txt\r\n"
                     L"[txt]\r\ntitle1=section without dot\r\n");
  struct Case {
    const wchar_t* target;
    const wchar_t* status;
  } cases[] = {
      {L"a.log", L"text slot"},            // the link is followed
      {L"a.txt", L"markdown slot"},        // .txt's own link
      {L"a.ini", L"section without dot"},  // a hand-written link names the section as written
  };
  for (const Case& c : cases) {
    LauncherProcess launcher(folder, L"\"" + folder.File(c.target) + L"\"");
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(StatusBarText(window), c.status) << std::string(c.target, c.target + lstrlenW(c.target));
    ASSERT_EQ(launcher.CloseWithEscape(window), 0u);
  }
}

TEST(SettingsFile, AutoCloseClosesAndSavesWhenAnotherWindowIsActivated) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), L"[SystemSetting]\r\nautoClose=ON\r\n");
  LauncherProcess launcher(folder, L"\"" + folder.File(L"notes.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Activate(window));
  OtherWindow other;
  ASSERT_TRUE(Activate(other.Handle()));
  EXPECT_EQ(launcher.WaitForExit(), 0u);
  EXPECT_EQ(IniValue(folder.Settings(), L"SystemSetting", L"autoClose"), L"ON");
  EXPECT_EQ(IniValue(folder.Settings(), L"SystemSetting", L"topView"), L"OFF");
}

TEST(SettingsFile, WithoutAutoCloseTheLauncherStaysOpenInTheBackground) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), L"[SystemSetting]\r\nautoClose=OFF\r\n");
  std::string before = ReadBytes(folder.Settings());
  LauncherProcess launcher(folder, L"\"" + folder.File(L"notes.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Activate(window));
  OtherWindow other;
  ASSERT_TRUE(Activate(other.Handle()));
  EXPECT_EQ(launcher.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(ReadBytes(folder.Settings()), before) << "nothing is written before closing";
}
