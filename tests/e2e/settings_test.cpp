// What runs leave in the settings file: the options in their words, nothing else
// touched, whatever the file held or whoever else had it open; the option menu
// and the link dialog.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "launcher_harness.h"

using namespace e2e;

// Another program holds the file at start-up: the launcher reads nothing and must
// not write the defaults it showed once the file is free; an edit goes to the
// section the file links to, which the start could not read.
TEST(SettingsFile, AFileHeldAtStartUpLosesNothing) {
  Session s(L"[SystemSetting]\r\ntopView=ON\r\nloopCursor=ON\r\n[.txt]\r\nlink=.md\r\n[.md]\r\ntitle1=Editor\r\n");
  const std::wstring before = ReadSettingsText(s.Settings());
  HANDLE held = CreateFileW(s.Settings().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(s.Open(), nullptr);
  EXPECT_EQ(s.Status(), L"") << "the held file could be read";
  CloseHandle(held);
  ASSERT_TRUE(s.TypeTitle(L"typed"));
  EXPECT_EQ(s.Close(), 0u);
  std::wstring expected = before;
  EXPECT_EQ(ReadSettingsText(s.Settings()), expected.replace(expected.find(L"Editor"), 6, L"typed"));
}

// A save that cannot be written at close: a file held for a moment is waited for;
// held longer (before its copy is made, or only against writing, after), with no
// room for the copy (a folder in its way; under Wine as root a read-only file is
// still written), or with a leftover copy another program holds, the user is asked
// (再試行 / キャンセル) and told the real cause, and giving up leaves the file byte
// for byte as it was; that leftover copy never undoes a later hand edit. Without an
// edit it stays quiet, though the launcher would have tidied its option words.
TEST(SettingsFile, ASaveThatCannotBeWrittenIsRetriedThenTold) {
  struct Row {
    const char* what;
    bool blockCopy, edit;
    int heldMs;   // held from before Escape, for so long or (-1) until the box
    // The holder's sharing: 0 none; FILE_SHARE_READ lets the copy be made but no write,
    // FILE_SHARE_READ | FILE_SHARE_WRITE the profile API's writes but no copy.
    DWORD share;
    WORD answer;  // 0: no box may appear
    bool saved;
    WORD closeKey = VK_ESCAPE;  // W starts the recorder, which must come before any box
    bool holdCopy = false;      // a copy equal to the file, held without delete sharing throughout
  } rows[] = {
      {"held for a second", false, true, 1000, 0, 0, true},
      {"held past the wait, then 再試行", false, true, -1, 0, IDRETRY, true},
      {"read by a program that denies writes, then キャンセル", false, true, -1, FILE_SHARE_READ, IDCANCEL, false},
      {"written by a program that lets others write, then キャンセル", false, true, -1, FILE_SHARE_READ | FILE_SHARE_WRITE, IDCANCEL, false},
      {"held past the wait, closed by a start", false, true, -1, 0, IDCANCEL, false, 'W'},
      {"no copy can be made, no edit", true, false, 0, 0, 0, false},
      {"a leftover copy held by another program", false, true, 0, 0, IDCANCEL, false, VK_ESCAPE, true},
  };
  Session s;
  const std::wstring copyInTheWay = s.File(L"Pivora64.ini.before-save.partial");
  const std::wstring leftover = s.File(L"Pivora64.ini.before-save");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    WriteSettingsUtf16(s.Settings(), s.Fill(L"[.txt]\r\ntitle1=keep\r\ncommand2={rec}\r\n"));
    DeleteFileW(s.File(L"recorder.log").c_str());
    if (row.blockCopy) CreateDirectoryW(copyInTheWay.c_str(), nullptr);
    const std::string before = ReadBytes(s.Settings());
    if (row.holdCopy) WriteBytes(leftover, before);
    HANDLE copyHeld = !row.holdCopy ? INVALID_HANDLE_VALUE
        : CreateFileW(leftover.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(s.Open(), nullptr);
    EXPECT_EQ(s.Status(), L"keep");
    if (row.edit) {
      s.Key(VK_DELETE);
      ASSERT_TRUE(s.StatusBecomes(L""));
    }
    DWORD access = row.share == FILE_SHARE_READ ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
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
      const std::wstring cause = row.holdCopy ? SystemMessage(ERROR_SHARING_VIOLATION) : L"";
      EXPECT_NE(WindowText(GetDlgItem(box, 1001)).find(cause), std::wstring::npos) << "the real cause";
      EXPECT_EQ(WindowText(GetDlgItem(box, row.answer)), row.answer == IDRETRY ? L"再試行" : L"キャンセル");
      SendMessageW(GetDlgItem(box, row.answer), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(s.Exit(), 0u) << "a box left open";
    RemoveDirectoryW(copyInTheWay.c_str());
    EXPECT_EQ(s.Ini(L".txt", L"title1"), row.saved ? MISSING : L"keep");
    EXPECT_TRUE(row.saved || ReadBytes(s.Settings()) == before);
    if (row.holdCopy) {
      WriteSettingsUtf16(s.Settings(), L"[.txt]\r\ntitle1=by hand\r\n");
      ASSERT_NE(s.Open(), nullptr);
      EXPECT_EQ(s.Status(), L"by hand") << "the leftover copy undid a hand edit";
      EXPECT_EQ(s.Close(), 0u);
      CloseHandle(copyHeld);
      EXPECT_EQ(s.Ini(L".txt", L"title1"), L"by hand");
    }
  }
}

// What a save left beside the file. A partial copy is only removed; a whole copy
// equal to the file, or one whose save finished (its record says so), goes without
// a word; the whole copy of a cut save is put back, and what it replaced (a
// section added by hand since) is kept beside the file under the name the status
// bar gives. A copy another launcher leaves while this one runs is put back before
// this one's link change writes, and the status bar says so. A start that cannot put
// the copy back (the file cut and held against writing) writes nothing of what it
// read from the cut file.
TEST(SettingsFile, AnUnfinishedSaveIsPutBackBeforeAnythingIsWritten) {
  const std::wstring settings =
      L"[SystemSetting]\r\ntopView=OFF\r\nautoClose=OFF\r\nloopCursor=ON\r\ncacheIcon=OFF\r\n"
      L"[.txt]\r\ntitle1=one\r\ntitle2=two\r\n";
  const wchar_t handEdit[] = L"[.log]\r\ntitle1=added by hand\r\n";
  const std::wstring byHand = settings + handEdit;
  const std::wstring restored =
      L"設定を戻しました: 前回の保存が途中で終わったため、その前の状態です。戻す前の内容は "
      L"Pivora64.ini.before-restore にあります";
  const std::wstring notRestored = L"設定を戻せません: 前回の保存が途中で終わったままです";
  struct Row {
    const char* what;
    const wchar_t* copy;  // the copy's suffix beside the settings file; it holds `settings`
    // What the file holds at start: "" the same, "hand", "cut", or "half" put back
    // by a try that kept the hand edit beside it and was cut short.
    const wchar_t* file;
    bool finished;        // the record of a save that finished lies beside the copy
    bool whileRunning;    // the copy left after this launcher started, the file cut meanwhile
    std::wstring status;
    const wchar_t* added;  // what the file holds at the end beyond `settings`
  } rows[] = {
      {"a partial copy at start", L".before-save.partial", L"", false, false, L"one", L""},
      {"a whole copy equal to the file", L".before-save", L"", false, false, L"one", L""},
      {"a whole copy, a section added by hand since", L".before-save", L"hand", false, false, restored, L""},
      {"an earlier try at putting it back, cut short", L".before-save", L"half", false, false, restored, L""},
      {"a finished save's copy, a section added by hand since", L".before-save", L"hand", true, false, L"one", handEdit},
      {"a whole copy, the cut file held through the start", L".before-save", L"cut", false, false, notRestored, L""},
      {"a whole copy left while running", L".before-save", L"", false, true, L"one", L"link=.log\r\n"},
  };
  Session s;
  const std::wstring kept = s.Settings() + L".before-restore", record = s.Settings() + L".before-save.done";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    DeleteFileW(kept.c_str());
    WriteSettingsUtf16(s.Settings(), settings);
    const std::string before = ReadBytes(s.Settings());
    const std::wstring copy = s.Settings() + row.copy;
    if (!row.whileRunning) WriteBytes(copy, before);
    if (row.finished) WriteBytes(record, "");
    const std::wstring file = row.file;
    if (file == L"half") WriteSettingsUtf16(kept, byHand);  // written after the copy
    if (!file.empty()) WriteSettingsUtf16(s.Settings(), file == L"hand" ? byHand : file == L"half" ? settings.substr(0, 20) : L"");
    const std::string atStart = ReadBytes(s.Settings()), keptBefore = ReadBytes(kept);
    HANDLE held = file != L"cut" ? INVALID_HANDLE_VALUE
        : CreateFileW(s.Settings().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(s.Open(), nullptr);
    CloseHandle(held);
    EXPECT_EQ(s.Status(), row.status);
    EXPECT_EQ(FileExists(copy), held != INVALID_HANDLE_VALUE) << "the start left the copy";
    EXPECT_FALSE(FileExists(record));
    EXPECT_TRUE(row.status != restored || ReadBytes(kept) == (file == L"half" ? keptBefore : atStart))
        << "what was put back over is kept";
    if (row.whileRunning) {  // another launcher died mid-save; this one changes its link
      WriteBytes(copy, ReadBytes(s.Settings()));
      WriteBytes(s.Settings(), "\xFF\xFE[");
      s.ChooseFromMenu(s.Caption(), 1);
      HWND dialog = s.WaitForDialog(LINK_CAPTION);
      ASSERT_NE(dialog, nullptr);
      SendMessageW(GetDlgItem(dialog, 1000), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"log"));
      ASSERT_TRUE(Activate(dialog));
      PressKey(VK_RETURN);
      EXPECT_TRUE(s.StatusBecomes(restored)) << "the link's save put the copy back first";
    }
    EXPECT_EQ(s.Close(), 0u);
    EXPECT_FALSE(FileExists(copy));
    EXPECT_EQ(ReadSettingsText(s.Settings()), settings + row.added);
  }
}

// One settings file reached by two spellings (its folder's name in another letter
// case, which the file system folds together; a hard link beside another copy of
// the exe) has one lock: a launcher started while another one's save waits for the
// file waits too, then reads what that save wrote.
TEST(SettingsFile, OneFileOneLockWhateverItsSpelling) {
  Session s;
  const std::wstring home = s.File(L"\u00E9"), linked = s.File(L"link");
  for (const std::wstring& folder : {home, linked}) {
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW(s.folder.Launcher().c_str(), (folder + L"\\Pivora64.exe").c_str(), FALSE);
  }
  const std::wstring settings = home + L"\\Pivora64.ini";
  WriteSettingsUtf16(settings, L"");
  ASSERT_TRUE(CreateHardLinkW((linked + L"\\Pivora64.ini").c_str(), settings.c_str(), nullptr));
  for (const std::wstring& second : {s.File(L"\u00C9"), linked}) {
    SCOPED_TRACE(std::string(second.end() - 4, second.end()));
    WriteSettingsUtf16(settings, L"[.txt]\r\ntitle1=old\r\n");  // in place: the link stays
    ASSERT_NE(s.Open(L"\"{dir}\\a.txt\"", home + L"\\Pivora64.exe"), nullptr);
    ASSERT_TRUE(s.TypeTitle(L"new"));
    HANDLE held = CreateFileW(settings.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    PressKey(VK_ESCAPE);
    Sleep(300);  // the first launcher's save has the lock and waits for the file
    LauncherProcess later(second + L"\\Pivora64.exe", s.folder.Path(), s.Fill(L"\"{dir}\\a.txt\""));
    Sleep(1200);
    CloseHandle(held);
    EXPECT_EQ(s.Exit(), 0u);
    HWND laterWindow = later.WaitForWindow();
    ASSERT_NE(laterWindow, nullptr);
    EXPECT_EQ(StatusBarText(laterWindow), L"new") << "read while the first launcher was saving";
    PostMessageW(laterWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(later.WaitForExit(), 0u);
  }
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

// The options act at once and are saved at close, a close by focus loss too; turning
// the cache off deletes nothing.
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
  s.ChooseFromMenu(s.Caption(), 3);  // フォーカスが外れたら閉じる: another program's window closes it
  OtherWindow other;
  ASSERT_TRUE(Activate(other.Handle()));
  EXPECT_EQ(s.Exit(), 0u);
  const wchar_t* saved[][2] = {{L"topView", L"OFF"}, {L"autoClose", L"ON"}, {L"loopCursor", L"ON"}, {L"cacheIcon", L"ON"}};
  for (auto& [key, word] : saved) EXPECT_EQ(s.Ini(L"SystemSetting", key), word);
  ASSERT_NE(s.Open(), nullptr);
  s.ChooseFromMenu(s.Caption(), 5);
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_EQ(s.Ini(L"SystemSetting", L"cacheIcon"), L"OFF");
  EXPECT_TRUE(FileExists(s.File(L"iconcache\\Pivora64.exe.ico")));
}

// The link of the run's own section is written at once and switches the slots; an
// edit made after it lands in the newly linked section. A save whose copy another
// program holds at its end still stands, as the status bar says, after the close too.
TEST(Options, LinkDialogStoresTheLinkAtOnce) {
  const std::wstring overlong = L"C:\\" + std::wstring(300, L'x') + L".exe";
  Session s(L"[.log]\r\nlink=.md\r\ntitle1=own log\r\n[.md]\r\ntitle1=markdown\r\ncommand1=C:\\md.exe\r\n"
            L"[.txt]\r\ntitle1=text\r\ncommand1=" + overlong + L"\r\n" +
            FillerSections(3000));  // a save long enough to be caught in
  ASSERT_NE(s.Open(L"\"{dir}\\a.log\""), nullptr);
  EXPECT_EQ(s.Status(), L"markdown");
  struct Row {
    const wchar_t *opensWith, *typed, *stored, *status;
    WORD how;  // Enter registers; Escape cancels
    bool holdCopy = false;
  } rows[] = {
      {L".md", L"txt", L".txt", L"text", VK_RETURN},  {L".txt", L"", MISSING, L"own log", VK_RETURN},
      {L"", L"txt", MISSING, L"own log", VK_ESCAPE},  {L"", L"txt", L".txt", L"text", VK_RETURN, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.typed, row.typed + lstrlenW(row.typed)));
    s.ChooseFromMenu(s.Caption(), 1);
    HWND dialog = s.WaitForDialog(LINK_CAPTION);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 1000)), row.opensWith);
    SendMessageW(GetDlgItem(dialog, 1000), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.typed));
    ASSERT_TRUE(Activate(dialog));
    bool grabbed = false;
    std::thread holder([&] {  // takes the save's copy as it appears, past the save's wait
      if (!row.holdCopy) return;
      const std::wstring copy = s.Settings() + L".before-save";
      HANDLE held = INVALID_HANDLE_VALUE;
      for (ULONGLONG end = GetTickCount64() + 5000; held == INVALID_HANDLE_VALUE && GetTickCount64() < end;)
        held = CreateFileW(copy.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
      grabbed = held != INVALID_HANDLE_VALUE;
      Sleep(3500);
      CloseHandle(held);
    });
    PressKey(row.how);
    holder.join();
    EXPECT_EQ(grabbed, row.holdCopy);
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
  // The overlong command reads as empty: measured against the start's section it would look emptied.
  const std::wstring after[][3] = {{L".log", L"link", L".txt"}, {L".txt", L"title1", MISSING},
                                   {L".txt", L"command1", overlong}, {L".log", L"title1", L"own log"},
                                   {L".md", L"title1", L"markdown"}};
  for (auto& [section, key, value] : after) EXPECT_EQ(s.Ini(section.c_str(), key.c_str()), value) << key;

  // A stored link too long to use opens as the nothing it is; OK on it writes
  // nothing. Typing stops at what a link holds, and a name that cannot be stored
  // says so, until the pointer really moves (OK clicked over the grid moves nothing).
  const std::wstring overlongLink = L"." + std::wstring(300, L'x');
  WriteSettingsUtf16(s.Settings(), L"[.log]\r\nlink=" + overlongLink + L"\r\ntitle1=own log\r\n");
  const std::string before = ReadBytes(s.Settings());
  ASSERT_NE(s.Open(L"\"{dir}\\a.log\""), nullptr);
  const std::wstring refused = L"リンクを保存できません: 拡張子の名前が長すぎます";
  for (const wchar_t* typed : {L"", L"y"}) {
    s.ChooseFromMenu(s.Caption(), 1);
    HWND dialog = s.WaitForDialog(LINK_CAPTION);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 1000)), L"");
    const std::wstring paste = std::wstring(300, *typed);
    SendMessageW(GetDlgItem(dialog, 1000), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(paste.c_str()));
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 1000)).size(), *typed ? 255u : 0u);
    ASSERT_TRUE(Activate(dialog));
    if (*typed) ClickAt(CentreOf(GetDlgItem(dialog, IDOK)));
    else PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(s.StatusBecomes(*typed ? refused : L"own log"));
  }
  Sleep(500);
  EXPECT_EQ(s.Status(), refused) << "the pointer resting where OK was counted as hover";
  MoveInStepsTo(CentreOf(s.Button(3)), 10);
  EXPECT_TRUE(s.StatusBecomes(L"")) << "a real move selects";
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_TRUE(ReadBytes(s.Settings()).substr(0, before.size()) == before);
  EXPECT_EQ(s.Ini(L".log", L"link"), overlongLink);
}

// A kill anywhere in a close, measured first and then cut into at evenly spread
// points, costs nothing: after the next start and close the file is exactly as it
// was or as saved, also under a second name (a hard link, as a package manager
// keeps the file across updates). Both outcomes must be seen, or the kills missed
// the save. The second file is in the code page, so that its save first turns it
// UTF-16 for an emoji typed into a title.
TEST(SettingsFile, AKillDuringTheCloseLosesNothing) {
  const std::wstring text =
      L"[SystemSetting]\r\ntopView=OFF\r\nautoClose=OFF\r\nloopCursor=OFF\r\ncacheIcon=OFF\r\n" +
      FillerSections(3000) + L"[.txt]\r\ntitle1=doomed\r\ncommand1=C:\\Tools\\doomed.exe\r\n";
  const struct {
    const char* what;
    bool inCodePage;
  } rows[] = {{"UTF-16, slot 1 cleared", false}, {"in the code page, an emoji typed", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Session s;
    if (row.inCodePage) {
      WriteBytes(s.Settings(), std::string(text.begin(), text.end()));
    } else {
      WriteSettingsUtf16(s.Settings(), text);
    }
    const std::string before = ReadBytes(s.Settings());
    ASSERT_TRUE(CreateHardLinkW(s.File(L"persist.ini").c_str(), s.Settings().c_str(), nullptr));
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    auto elapsedMs = [&] { QueryPerformanceCounter(&now); return (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart; };
    // Edits slot 1, presses Escape and kills the launcher killAfterMs later (never when negative).
    auto editAndClose = [&](double killAfterMs) {
      WriteBytes(s.Settings(), before);  // in place: the hard link stays
      if (s.Open() == nullptr) return -1.0;
      if (row.inCodePage) {
        if (!s.TypeTitle(L"\U0001F389")) return -1.0;
      } else {
        s.Key(VK_DELETE);
        if (!s.StatusBecomes(L"")) return -1.0;
      }
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
    for (int run = 0; run < 3; ++run) closeMs = std::max(closeMs, editAndClose(-1));
    ASSERT_GT(closeMs, 0);
    const std::string after = ReadBytes(s.Settings());
    ASSERT_NE(after, before);
    ASSERT_EQ(s.Ini(L".txt", row.inCodePage ? L"title1" : L"command1"), row.inCodePage ? L"\U0001F389" : MISSING);
    int kept = 0, saved = 0, lost = 0, restored = 0;
    const int KILLS = 30;
    for (int kill = 0; kill < KILLS; ++kill) {
      ASSERT_GE(editAndClose(closeMs * 1.2 * kill / KILLS), 0);
      ASSERT_NE(s.Open(), nullptr);  // the next start finds what the kill left, and says so
      restored += s.Status().rfind(L"設定を戻しました: ", 0) == 0;
      ASSERT_EQ(s.Close(), 0u);
      std::string bytes = ReadBytes(s.Settings());
      (bytes == before ? kept : bytes == after ? saved : lost)++;
    }
    printf("%s: close %.1f ms; %d kills: %d kept the old file (%d of them put back), %d the saved one, %d lost settings\n",
           row.what, closeMs, KILLS, kept, restored, saved, lost);
    EXPECT_EQ(lost, 0);
    EXPECT_GT(restored, 0) << "no kill cut a save short";
    EXPECT_LE(restored, kept);
    EXPECT_GT(saved, 0);
    EXPECT_EQ(ReadBytes(s.File(L"persist.ini")), ReadBytes(s.Settings()));
  }
}
