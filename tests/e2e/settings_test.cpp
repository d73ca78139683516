// What runs leave in the settings file: the options in their words, nothing else
// touched, whatever the file held or whoever else had it open; the option menu
// and the link dialog.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

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

// A save that cannot be written at close: a file held for a moment is waited for;
// held longer (before its copy is made, or only against writing, after), or with
// no room for the copy (a folder in its way; under Wine as root a read-only file
// is still written), the user is asked
// (再試行 / キャンセル), and giving up leaves the file byte for byte as it was.
// Without an edit it stays quiet, though the launcher would have tidied its
// option words.
TEST(SettingsFile, ASaveThatCannotBeWrittenIsRetriedThenTold) {
  struct Row {
    const char* what;
    bool blockCopy, edit;
    int heldMs;   // held from before Escape, for so long or (-1) until the box
    DWORD share;  // the holder's: 0 for none; FILE_SHARE_READ lets the copy be made
    WORD answer;  // 0: no box may appear
    bool saved;
    WORD closeKey = VK_ESCAPE;  // W starts the recorder, which must come before any box
  } rows[] = {
      {"held for a second", false, true, 1000, 0, 0, true},
      {"held past the wait, then 再試行", false, true, -1, 0, IDRETRY, true},
      {"read by a program that denies writes, then キャンセル", false, true, -1, FILE_SHARE_READ, IDCANCEL, false},
      {"held past the wait, closed by a start", false, true, -1, 0, IDCANCEL, false, 'W'},
      {"no copy can be made, an edit", true, true, 0, 0, IDCANCEL, false},
      {"no copy can be made, no edit", true, false, 0, 0, 0, false},
  };
  Session s;
  const std::wstring copyInTheWay = s.File(L"Pivora64.ini.before-save.partial");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    WriteSettingsUtf16(s.Settings(), s.Fill(L"[.txt]\r\ntitle1=keep\r\ncommand2={rec}\r\n"));
    DeleteFileW(s.File(L"recorder.log").c_str());
    if (row.blockCopy) CreateDirectoryW(copyInTheWay.c_str(), nullptr);
    const std::string before = ReadBytes(s.Settings());
    ASSERT_NE(s.Open(), nullptr);
    if (row.edit) {
      s.Key(VK_DELETE);
      ASSERT_TRUE(s.StatusBecomes(L""));
    }
    DWORD access = row.share == 0 ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    HANDLE held = row.heldMs == 0 ? INVALID_HANDLE_VALUE
                                  : CreateFileW(s.Settings().c_str(), access, row.share, nullptr, OPEN_EXISTING, 0, nullptr);
    PressKey(row.closeKey);
    if (row.heldMs > 0) Sleep(row.heldMs);
    HWND box = row.answer != 0 ? s.WaitForDialog(L"Pivora") : nullptr;
    EXPECT_EQ(RecordedStarts(s.folder.Path()).size(), row.closeKey == 'W' ? 1u : 0u);
    CloseHandle(held);
    if (row.answer != 0) {
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(GetWindow(box, GW_OWNER), s.window);
      EXPECT_EQ(WindowText(GetDlgItem(box, 1001)).rfind(L"設定を保存できませんでした。\n", 0), 0u);
      EXPECT_EQ(WindowText(GetDlgItem(box, row.answer)), row.answer == IDRETRY ? L"再試行" : L"キャンセル");
      SendMessageW(GetDlgItem(box, row.answer), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(s.Exit(), 0u) << "a box left open";
    RemoveDirectoryW(copyInTheWay.c_str());
    EXPECT_EQ(s.Ini(L".txt", L"title1"), row.saved ? MISSING : L"keep");
    EXPECT_TRUE(row.saved || ReadBytes(s.Settings()) == before);
  }
}

// What a save cut short leaves beside the file. A partial copy is only removed;
// a whole copy that equals the file is removed without a word; one that another
// launcher leaves while this one runs is put back before this one writes.
TEST(SettingsFile, AnUnfinishedSaveIsPutBackBeforeAnythingIsWritten) {
  const std::wstring settings = L"[.txt]\r\ntitle1=one\r\ntitle2=two\r\n";
  struct Row {
    const char* what;
    const wchar_t* copy;  // the copy's name beside the settings file
    bool whileRunning;    // left there after this launcher started, the file cut meanwhile
    const wchar_t *title1, *title2;
  } rows[] = {
      {"a partial copy at start", L".before-save.partial", false, L"one", L"two"},
      {"a whole copy equal to the file", L".before-save", false, L"one", L"two"},
      {"a whole copy left while running", L".before-save", true, MISSING, L"two"},
  };
  Session s;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    WriteSettingsUtf16(s.Settings(), settings);
    const std::wstring copy = s.Settings() + row.copy;
    if (!row.whileRunning) WriteBytes(copy, ReadBytes(s.Settings()));
    ASSERT_NE(s.Open(), nullptr);
    EXPECT_EQ(s.Status(), L"one") << "nothing was put back";
    EXPECT_FALSE(FileExists(copy)) << "the start left the copy";
    if (row.whileRunning) {
      WriteBytes(copy, ReadBytes(s.Settings()));
      WriteBytes(s.Settings(), "\xFF\xFE[");
      s.Key(VK_DELETE);
      ASSERT_TRUE(s.StatusBecomes(L""));
    }
    EXPECT_EQ(s.Close(), 0u);
    EXPECT_FALSE(FileExists(copy));
    EXPECT_EQ(s.Ini(L".txt", L"title1"), row.title1);
    EXPECT_EQ(s.Ini(L".txt", L"title2"), row.title2);
  }
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

  // A stored link too long to use opens as the nothing it is; OK on it writes
  // nothing. Typing stops at what a link holds, and a name that cannot be stored
  // says so.
  const std::wstring overlong = L"." + std::wstring(300, L'x');
  WriteSettingsUtf16(s.Settings(), L"[.log]\r\nlink=" + overlong + L"\r\ntitle1=own log\r\n");
  const std::string before = ReadBytes(s.Settings());
  ASSERT_NE(s.Open(L"\"{dir}\\a.log\""), nullptr);
  for (const wchar_t* typed : {L"", L"y"}) {
    s.ChooseFromMenu(s.Caption(), 1);
    HWND dialog = s.WaitForDialog(LINK_CAPTION);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 1000)), L"");
    const std::wstring paste = std::wstring(300, *typed);
    SendMessageW(GetDlgItem(dialog, 1000), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(paste.c_str()));
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 1000)).size(), *typed ? 255u : 0u);
    ASSERT_TRUE(Activate(dialog));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(s.StatusBecomes(*typed ? L"リンクを保存できません: 拡張子の名前が長すぎます" : L"own log"));
  }
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_TRUE(ReadBytes(s.Settings()).substr(0, before.size()) == before);
  EXPECT_EQ(s.Ini(L".log", L"link"), overlong);
}

// A kill anywhere in a close, measured first and then cut into at evenly spread
// points, costs nothing: after the next start and close the file is exactly as it
// was or as saved, also under a second name (a hard link, as a package manager
// keeps the file across updates). Both outcomes must be seen, or the kills missed
// the save.
TEST(SettingsFile, AKillDuringTheCloseLosesNothing) {
  std::wstring text = L"[SystemSetting]\r\ntopView=OFF\r\nautoClose=OFF\r\nloopCursor=OFF\r\ncacheIcon=OFF\r\n";
  for (int section = 0; section < 3000; ++section) {  // about 1.2 MB
    std::wstring n = std::to_wstring(section);
    text += L"[.e" + n + L"]\r\n";
    for (const wchar_t* k : {L"1", L"2", L"3"}) {
      text += std::wstring(L"title") + k + L"=slot " + k + L" of " + n + L"\r\ncommand" + k +
              L"=C:\\Tools\\tool" + n + L".exe %1\r\n";
    }
  }
  Session s(text + L"[.txt]\r\ntitle1=doomed\r\ncommand1=C:\\Tools\\doomed.exe\r\n");
  const std::string before = ReadBytes(s.Settings());
  ASSERT_TRUE(CreateHardLinkW(s.File(L"persist.ini").c_str(), s.Settings().c_str(), nullptr));
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  auto elapsedMs = [&] { QueryPerformanceCounter(&now); return (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart; };
  // Clears slot 1, presses Escape and kills the launcher killAfterMs later (never when negative).
  auto clearAndClose = [&](double killAfterMs) {
    WriteBytes(s.Settings(), before);  // in place: the hard link stays
    if (s.Open() == nullptr) return -1.0;
    s.Key(VK_DELETE);
    if (!s.StatusBecomes(L"")) return -1.0;
    PressKey(VK_ESCAPE);
    QueryPerformanceCounter(&start);
    while (killAfterMs >= 0 && elapsedMs() < killAfterMs) {}
    if (HANDLE process = killAfterMs >= 0 ? OpenProcess(PROCESS_TERMINATE, FALSE, s.launcher->ProcessId()) : nullptr) {
      TerminateProcess(process, 9);
      CloseHandle(process);
    }
    s.Exit();
    return elapsedMs();
  };
  double closeMs = 0;
  for (int run = 0; run < 3; ++run) closeMs = std::max(closeMs, clearAndClose(-1));
  ASSERT_GT(closeMs, 0);
  const std::string after = ReadBytes(s.Settings());
  ASSERT_NE(after, before);
  ASSERT_EQ(s.Ini(L".txt", L"command1"), MISSING);
  int kept = 0, saved = 0, lost = 0, restored = 0;
  const int KILLS = 30;
  for (int kill = 0; kill < KILLS; ++kill) {
    ASSERT_GE(clearAndClose(closeMs * 1.2 * kill / KILLS), 0);
    ASSERT_NE(s.Open(), nullptr);  // the next start finds what the kill left, and says so
    restored += s.Status() == L"設定を戻しました: 前回の保存が途中で終わったため、その前の状態です";
    ASSERT_EQ(s.Close(), 0u);
    std::string bytes = ReadBytes(s.Settings());
    (bytes == before ? kept : bytes == after ? saved : lost)++;
  }
  printf("close %.1f ms; %d kills: %d kept the old file (%d of them put back), %d the saved one, %d lost settings\n",
         closeMs, KILLS, kept, restored, saved, lost);
  EXPECT_EQ(lost, 0);
  EXPECT_GT(restored, 0) << "no kill cut a save short";
  EXPECT_LE(restored, kept);
  EXPECT_GT(saved, 0);
  EXPECT_EQ(ReadBytes(s.File(L"persist.ini")), ReadBytes(s.Settings()));
}
