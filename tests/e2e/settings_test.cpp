// What runs leave in the settings file: the options in their words, nothing else
// touched, whatever the file held or whoever else had it open; the option menu
// and the link dialog.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

// A first run creates the file in UTF-16 with the four options only; a file a user
// wrote in the ANSI code page stays ANSI.
TEST(SettingsFile, ARunWritesTheOptionsInTheFilesOwnEncoding) {
  Session s;
  ASSERT_NE(s.Open(), nullptr);
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_EQ(ReadBytes(s.Settings()).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ReadSettingsText(s.Settings()),
            L"[SystemSetting]\r\ntopView=OFF\r\nautoClose=OFF\r\nloopCursor=OFF\r\ncacheIcon=OFF\r\n");
  WriteBytes(s.Settings(), "[.txt]\r\ntitle1=Plain\r\n");
  ASSERT_NE(s.Open(), nullptr);
  EXPECT_EQ(s.Status(), L"Plain");
  EXPECT_EQ(s.Close(), 0u);
  std::string bytes = ReadBytes(s.Settings());
  EXPECT_TRUE(bytes.rfind("[.txt]\r\ntitle1=Plain\r\n", 0) == 0 && bytes.find("cacheIcon=OFF") != std::string::npos);
}

// Another program holds the file at start-up: the launcher reads nothing and must
// not write the defaults it showed once the file is free.
TEST(SettingsFile, AFileHeldAtStartUpLosesNothing) {
  Session s(L"[SystemSetting]\r\ntopView=ON\r\nloopCursor=ON\r\n[.txt]\r\ntitle1=Editor\r\n");
  const std::string before = ReadBytes(s.Settings());
  HANDLE held = CreateFileW(s.Settings().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(s.Open(), nullptr);
  EXPECT_EQ(s.Status(), L"") << "the held file could be read";
  CloseHandle(held);
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_TRUE(ReadBytes(s.Settings()) == before);
}

// With autoClose on, another program taking the foreground closes the launcher, which saves.
TEST(SettingsFile, AutoCloseOnFocusLoss) {
  Session s(L"[SystemSetting]\r\nautoClose=ON\r\n");
  ASSERT_NE(s.Open(), nullptr);
  OtherWindow other;
  ASSERT_TRUE(Activate(other.Handle()));
  EXPECT_EQ(s.Exit(), 0u);
  EXPECT_EQ(s.Ini(L"SystemSetting", L"topView"), L"OFF");
}

// Eight launchers on one file, each clearing its own slot, all closing at once.
TEST(SettingsFile, EightLaunchersAtOnceKeepEveryChange) {
  std::wstring settings = L"[.txt]\r\n";
  for (int n = 1; n <= 12; ++n) settings += L"title" + std::to_wstring(n) + L"=slot " + std::to_wstring(n) + L"\r\n";
  Session s(settings);
  std::vector<std::unique_ptr<LauncherProcess>> launchers;
  std::vector<HWND> windows;
  for (int i = 0; i < 8; ++i) launchers.push_back(std::make_unique<LauncherProcess>(s.folder, s.Fill(L"{dir}\\a.txt")));
  for (auto& launcher : launchers) {
    windows.push_back(launcher->WaitForWindow());
    ASSERT_NE(windows.back(), nullptr);
  }
  Sleep(500);  // every window shown: none takes the foreground from the one being typed into
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(Activate(windows[i]));
    for (int step = 0; step < i; ++step) PressKey(VK_TAB);
    PressKey(VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return StatusBarText(windows[i]).empty(); })) << i;
  }
  for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
  for (auto& launcher : launchers) EXPECT_EQ(launcher->WaitForExit(), 0u);
  for (int n = 1; n <= 12; ++n) {
    std::wstring k = std::to_wstring(n);
    EXPECT_EQ(s.Ini(L".txt", (L"title" + k).c_str()), n <= 8 ? MISSING : L"slot " + k) << n;
  }
}

// The options act at once and are saved at close; turning the cache off deletes nothing.
TEST(Options, TogglesActAtOnceAndAreSavedAtClose) {
  Session s(L"[.txt]\r\ntitle1=zero\r\ntitle4=three\r\ncommand1={dir}\\Pivora64.exe\r\n");
  ASSERT_NE(s.Open(), nullptr);
  auto topmost = [&] { return (GetWindowLongW(s.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  s.ChooseFromMenu(s.Caption(), 2);  // 最前面, then off again
  EXPECT_TRUE(WaitUntil(topmost));
  s.ChooseFromMenu(s.Caption(), 2);
  s.ChooseFromMenu(s.Caption(), 4);  // 端でループする: Left on slot 0 wraps
  Activate(s.window);
  s.Key(VK_LEFT);
  EXPECT_TRUE(s.StatusBecomes(L"three"));
  s.ChooseFromMenu(s.Caption(), 5);  // アイコンをキャッシュする
  EXPECT_TRUE(WaitUntil([&] { return FileExists(s.File(L"iconcache\\Pivora64.exe.ico")); }));
  s.ChooseFromMenu(s.Caption(), 3);  // フォーカスが外れたら閉じる
  EXPECT_EQ(s.Close(), 0u);
  const wchar_t* saved[][2] = {{L"topView", L"OFF"}, {L"autoClose", L"ON"}, {L"loopCursor", L"ON"}, {L"cacheIcon", L"ON"}};
  for (auto& [key, word] : saved) EXPECT_EQ(s.Ini(L"SystemSetting", key), word);
  ASSERT_NE(s.Open(), nullptr);
  s.ChooseFromMenu(s.Caption(), 5);
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_EQ(s.Ini(L"SystemSetting", L"cacheIcon"), L"OFF");
  EXPECT_TRUE(FileExists(s.File(L"iconcache\\Pivora64.exe.ico")));
}

// The link of the run's own section is written at once and switches the slots; an
// edit made after it lands in the newly linked section.
TEST(Options, LinkDialogStoresTheLinkAtOnce) {
  Session s(L"[.log]\r\nlink=.md\r\ntitle1=own log\r\n[.md]\r\ntitle1=markdown\r\n[.txt]\r\ntitle1=text\r\n");
  ASSERT_NE(s.Open(L"\"{dir}\\a.log\""), nullptr);
  EXPECT_EQ(s.Status(), L"markdown");
  struct Row {
    const wchar_t *opensWith, *typed, *stored, *status;
    WORD how;  // Enter registers; Escape cancels
  } rows[] = {
      {L".md", L"txt", L".txt", L"text", VK_RETURN},  {L".txt", L"", MISSING, L"own log", VK_RETURN},
      {L"", L"txt", MISSING, L"own log", VK_ESCAPE},  {L"", L"txt", L".txt", L"text", VK_RETURN},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.typed, row.typed + lstrlenW(row.typed)));
    s.ChooseFromMenu(s.Caption(), 1);
    HWND dialog = s.WaitForDialog(LINK_CAPTION);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 1000)), row.opensWith);
    SendMessageW(GetDlgItem(dialog, 1000), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.typed));
    ASSERT_TRUE(Activate(dialog));
    PressKey(row.how);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(s.Ini(L".log", L"link"), row.stored) << "written at once";
    EXPECT_TRUE(s.StatusBecomes(row.status));
  }
  MoveMouseTo({5, 5});
  Activate(s.window);
  for (WORD key : {VK_UP, VK_UP, VK_LEFT, VK_LEFT, VK_LEFT}) s.Key(key);  // back on slot 1
  EXPECT_TRUE(s.StatusBecomes(L"text"));
  s.Key(VK_DELETE);
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_EQ(s.Ini(L".txt", L"title1"), MISSING);
  EXPECT_EQ(s.Ini(L".log", L"title1"), L"own log");
  EXPECT_EQ(s.Ini(L".md", L"title1"), L"markdown");
}
