// Copy, cut, paste and delete from the keyboard, and what the close then saves:
// exactly the keys of the changed slots, into the section the slots came from.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

const std::wstring JAPANESE_TITLE = L"テキスト編集 \U0002000B";

void PressAndWait(HWND window, WORD key, std::initializer_list<WORD> modifiers,
                  const std::wstring& expectedStatus) {
  PressKey(key, modifiers);
  EXPECT_TRUE(WaitUntil([&] { return StatusBarText(window) == expectedStatus; }));
}

}  // namespace

TEST(SlotKeys, EditsSaveOnlyTheChangedKeysAndSurviveARestart) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(),
                     L"[.txt]\r\n"
                     L"title1=" + JAPANESE_TITLE + L"\r\ncommand1=C:\\ツール\\a.exe %1\r\n"
                     L"icon1=C:\\i.ico,3\r\nrunas1=ON\r\n"
                     L"title3=Three\r\ncommand3=C:\\three.exe\r\n"
                     L"title4=Four\r\ncommand4=C:\\four.exe\r\n"
                     L"[.log]\r\ntitle2=untouched\r\n");
  {
    LauncherProcess launcher(folder, L"\"" + folder.File(L"a.txt") + L"\"");
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Activate(window));
    PressAndWait(window, 'C', {VK_CONTROL}, JAPANESE_TITLE);   // copy slot 0
    PressAndWait(window, VK_RIGHT, {}, L"");
    PressAndWait(window, 'V', {VK_CONTROL}, JAPANESE_TITLE);   // paste onto slot 1
    PressAndWait(window, VK_RIGHT, {}, L"Three");
    PressAndWait(window, VK_DELETE, {}, L"");                  // delete slot 2
    PressAndWait(window, VK_RIGHT, {}, L"Four");
    PressAndWait(window, VK_DELETE, {VK_CONTROL}, L"Four");    // Ctrl+Delete changes nothing
    PressKey(VK_ESCAPE);
    ASSERT_EQ(launcher.WaitForExit(), 0u);
  }
  const std::wstring& ini = folder.Settings();
  EXPECT_EQ(IniValue(ini, L".txt", L"title2"), JAPANESE_TITLE);
  EXPECT_EQ(IniValue(ini, L".txt", L"command2"), L"C:\\ツール\\a.exe %1");
  EXPECT_EQ(IniValue(ini, L".txt", L"icon2"), L"C:\\i.ico,3");
  EXPECT_EQ(IniValue(ini, L".txt", L"runas2"), MISSING) << "run as administrator stays with its button";
  EXPECT_EQ(IniValue(ini, L".txt", L"runas1"), L"ON");
  EXPECT_EQ(IniValue(ini, L".txt", L"title3"), MISSING) << "an emptied text deletes its key";
  EXPECT_EQ(IniValue(ini, L".txt", L"command3"), MISSING);
  EXPECT_EQ(IniValue(ini, L".txt", L"title4"), L"Four");
  EXPECT_EQ(IniValue(ini, L".log", L"title2"), L"untouched");
  std::string bytes = ReadBytes(ini);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");

  // The next start shows the saved text whole.
  LauncherProcess again(folder, L"\"" + folder.File(L"b.txt") + L"\"");
  HWND window = again.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Activate(window));
  PressAndWait(window, VK_RIGHT, {}, JAPANESE_TITLE);
}

TEST(SlotKeys, CutMovesASlotAndALinkedRunSavesIntoTheLinkTarget) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(),
                     L"[.log]\r\nlink=.txt\r\n"
                     L"[.txt]\r\ntitle1=Editor\r\ncommand1=C:\\editor.exe\r\n");
  LauncherProcess launcher(folder, L"\"" + folder.File(L"a.log") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Activate(window));
  PressAndWait(window, 'X', {VK_CONTROL}, L"");  // cut slot 0
  PressAndWait(window, VK_DOWN, {}, L"");
  PressAndWait(window, 'V', {VK_CONTROL}, L"Editor");  // paste onto slot 4
  PressKey(VK_ESCAPE);
  ASSERT_EQ(launcher.WaitForExit(), 0u);

  const std::wstring& ini = folder.Settings();
  EXPECT_EQ(IniValue(ini, L".txt", L"title5"), L"Editor");
  EXPECT_EQ(IniValue(ini, L".txt", L"command5"), L"C:\\editor.exe");
  EXPECT_EQ(IniValue(ini, L".txt", L"title1"), MISSING);
  EXPECT_EQ(IniValue(ini, L".log", L"title5"), MISSING) << "the linking section keeps only its link";
  EXPECT_EQ(IniValue(ini, L".log", L"link"), L".txt");
}
