// The option menu on the title bar and the link dialog.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

const wchar_t LINK_CAPTION[] = L"Pivora リンク設定";

// Right-clicks the caption and picks the option menu item `downs` steps down
// (1 = the link, 2..5 = the four options; separators are skipped).
void ChooseOption(const LauncherProcess& launcher, HWND window, int downs) {
  RECT frame = WindowRect(window);
  bool opened = false;
  for (int attempt = 0; attempt < 2 && !opened; ++attempt) {  // see the grid tests
    ASSERT_TRUE(Activate(window));
    RightClickAt({frame.left + 40, frame.top + 8});
    opened = WaitUntil([&] { return OpenPopupMenu(launcher.ProcessId()) != nullptr; }, 1500);
  }
  ASSERT_TRUE(opened);
  for (int i = 0; i < downs; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return OpenPopupMenu(launcher.ProcessId()) == nullptr; }));
}

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

HWND OpenLinkDialog(const LauncherProcess& launcher, HWND window) {
  ChooseOption(launcher, window, 1);
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(launcher.ProcessId(), LINK_CAPTION)) != nullptr; });
  return dialog;
}

bool LinkDialogGone(const LauncherProcess& launcher) {
  return WaitUntil([&] { return FindDialog(launcher.ProcessId(), LINK_CAPTION) == nullptr; });
}

}  // namespace

TEST(Options, TogglesActAtOnceAndAreSavedAtClose) {
  TestFolder folder;
  std::wstring tool = folder.File(L"tool.exe");
  CopyFileW(folder.Launcher().c_str(), tool.c_str(), FALSE);
  WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\ntitle1=zero\r\ntitle4=three\r\ncommand1=" + tool + L"\r\n");
  LauncherProcess launcher(folder, L"\"" + folder.File(L"a.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsTopmost(window));

  ChooseOption(launcher, window, 2);  // 最前面
  EXPECT_TRUE(WaitUntil([&] { return IsTopmost(window); }));
  ChooseOption(launcher, window, 2);
  EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(window); }));

  ChooseOption(launcher, window, 4);  // 端でループする: Left on slot 0 now wraps
  ASSERT_TRUE(Activate(window));
  PressKey(VK_LEFT);
  EXPECT_TRUE(WaitUntil([&] { return StatusBarText(window) == L"three"; }));

  ChooseOption(launcher, window, 5);  // アイコンをキャッシュする: folder made and filled
  EXPECT_TRUE(WaitUntil([&] { return FileExists(folder.File(L"iconcache\\tool.exe.ico")); }));
  ChooseOption(launcher, window, 3);  // フォーカスが外れたら閉じる
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);

  const std::wstring& ini = folder.Settings();
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"topView"), L"OFF");
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"autoClose"), L"ON");
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"loopCursor"), L"ON");
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"cacheIcon"), L"ON");

  // Turned off again: nothing is deleted.
  LauncherProcess again(folder, L"\"" + folder.File(L"a.txt") + L"\"");
  window = again.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ChooseOption(again, window, 5);
  EXPECT_EQ(again.CloseWithEscape(window), 0u);
  EXPECT_EQ(IniValue(ini, L"SystemSetting", L"cacheIcon"), L"OFF");
  EXPECT_TRUE(FileExists(folder.File(L"iconcache\\tool.exe.ico")));
}

TEST(Options, LinkDialogStoresTheLinkAtOnceAndSwitchesTheSlots) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), L"[.log]\r\nlink=.md\r\ntitle1=own log\r\n"
                                        L"[.md]\r\ntitle1=markdown\r\n"
                                        L"[.txt]\r\ntitle1=text\r\n");
  const std::wstring& ini = folder.Settings();
  LauncherProcess launcher(folder, L"\"" + folder.File(L"a.log") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(StatusBarText(window), L"markdown");

  struct Case {
    const char* what;
    const wchar_t* opensWith;
    const wchar_t* typed;
    const wchar_t* stored;  // MISSING: the key is gone
    const wchar_t* status;
  } cases[] = {
      {"without a dot", L".md", L"txt", L".txt", L"text"},
      {"with its dot", L".txt", L".md", L".md", L"markdown"},
      {"two dots as typed", L".md", L"..txt", L"..txt", L""},
      {"emptied: own slots again", L"..txt", L"", MISSING, L"own log"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HWND dialog = OpenLinkDialog(launcher, window);
    ASSERT_NE(dialog, nullptr);
    HWND field = GetDlgItem(dialog, 1000);
    EXPECT_EQ(WindowText(field), c.opensWith) << "the stored link of the run's own section";
    GUITHREADINFO thread = {sizeof thread};
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
    EXPECT_EQ(thread.hwndFocus, field) << "the focus is in the field";
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
    ASSERT_TRUE(Activate(dialog));
    PressKey(VK_RETURN);
    ASSERT_TRUE(LinkDialogGone(launcher));
    EXPECT_EQ(IniValue(ini, L".log", L"link"), c.stored) << "written at once";
    EXPECT_TRUE(WaitUntil([&] { return StatusBarText(window) == c.status; }));
  }

  // Escape, Cancel and the close box change nothing.
  for (int way = 0; way < 3; ++way) {
    HWND dialog = OpenLinkDialog(launcher, window);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(GetDlgItem(dialog, 1000), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"txt"));
    ASSERT_TRUE(Activate(dialog));
    if (way == 0) PressKey(VK_ESCAPE);
    if (way == 1) ClickAt(CentreOf(GetDlgItem(dialog, IDCANCEL)));
    if (way == 2) PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(LinkDialogGone(launcher)) << way;
    EXPECT_EQ(IniValue(ini, L".log", L"link"), MISSING) << way;
  }
  // The buttons still hold the section's own slots: walk back to slot 0.
  MoveMouseTo({5, 5});
  ASSERT_TRUE(Activate(window));
  for (WORD key : {VK_UP, VK_UP, VK_LEFT, VK_LEFT, VK_LEFT}) PressKey(key);
  EXPECT_TRUE(WaitUntil([&] { return StatusBarText(window) == L"own log"; }));

  // An edit made after a link change lands in the newly linked section.
  HWND dialog = OpenLinkDialog(launcher, window);
  ASSERT_NE(dialog, nullptr);
  SendMessageW(GetDlgItem(dialog, 1000), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"txt"));
  ASSERT_TRUE(Activate(dialog));
  PressKey(VK_RETURN);
  ASSERT_TRUE(LinkDialogGone(launcher));
  MoveMouseTo({5, 5});
  ASSERT_TRUE(Activate(window));
  PressKey(VK_LEFT);  // back on slot 0, whatever the hover did meanwhile
  for (WORD key : {VK_UP, VK_UP, VK_LEFT, VK_LEFT, VK_LEFT}) PressKey(key);
  EXPECT_TRUE(WaitUntil([&] { return StatusBarText(window) == L"text"; }));
  PressKey(VK_DELETE);
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);
  EXPECT_EQ(IniValue(ini, L".txt", L"title1"), MISSING);
  EXPECT_EQ(IniValue(ini, L".log", L"title1"), L"own log");
  EXPECT_EQ(IniValue(ini, L".md", L"title1"), L"markdown") << "no other slot key was rewritten";
}
