// Starting a slot's command: the hotkeys start it directly, a click or Enter
// through the shell. recorder.exe stands in for the started program and writes
// down its command line, folder and show mode.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

const WORD HOTKEYS[12] = {'Q', 'W', 'E', 'R', 'A', 'S', 'D', 'F', 'Z', 'X', 'C', 'V'};

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring SlotLines(int keyNumber, const std::wstring& title, const std::wstring& command,
                       bool runAs = false) {
  std::wstring n = std::to_wstring(keyNumber);
  std::wstring lines = L"title" + n + L"=" + title + L"\r\ncommand" + n + L"=" + command + L"\r\n";
  if (runAs) lines += L"runas" + n + L"=ON\r\n";
  return lines;
}

// Starts the launcher on commandLineTail, presses keys (or clicks), and waits for it to exit.
struct OpenLauncher {
  const TestFolder& folder;
  LauncherProcess launcher;
  HWND window;
  OpenLauncher(const TestFolder& f, const std::wstring& commandLineTail)
      : folder(f), launcher(f, commandLineTail), window(launcher.WaitForWindow()) {}
};

std::vector<RecordedStart> WaitForStarts(const std::wstring& logFolder, size_t count) {
  std::vector<RecordedStart> starts;
  WaitUntil([&] { return (starts = RecordedStarts(logFolder)).size() >= count; });
  return starts;
}

// Presses key in a launcher started on commandLineTail and waits for it to exit.
void LaunchByKey(const TestFolder& folder, const std::wstring& commandLineTail, WORD key,
                 std::initializer_list<WORD> modifiers = {}) {
  OpenLauncher run(folder, commandLineTail);
  ASSERT_NE(run.window, nullptr);
  ASSERT_TRUE(Activate(run.window));
  PressKey(key, modifiers);
  EXPECT_EQ(run.launcher.WaitForExit(), 0u);
}

// Clicks slot's button in a launcher started on commandLineTail and waits for it to exit.
void LaunchByClick(const TestFolder& folder, const std::wstring& commandLineTail, int slot) {
  OpenLauncher run(folder, commandLineTail);
  ASSERT_NE(run.window, nullptr);
  ASSERT_TRUE(Activate(run.window));
  ClickAt(CentreOf(SlotButton(run.window, slot)));
  EXPECT_EQ(run.launcher.WaitForExit(), 0u);
}

}  // namespace

TEST(Launch, EveryHotkeyStartsItsOwnSlotDirectlyAndCloses) {
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  std::wstring settings = L"[.txt]\r\n";
  for (int slot = 0; slot < 12; ++slot) {
    settings += SlotLines(slot + 1, L"slot " + std::to_wstring(slot),
                          recorder + L" slot" + std::to_wstring(slot));
  }
  WriteSettingsUtf16(folder.Settings(), settings);
  std::wstring target = Quoted(folder.File(L"a.txt"));

  for (int slot = 0; slot < 12; ++slot) {
    SCOPED_TRACE(slot);
    OpenLauncher run(folder, target);
    ASSERT_NE(run.window, nullptr);
    ASSERT_TRUE(Activate(run.window));
    PressKey(HOTKEYS[slot]);
    EXPECT_EQ(run.launcher.WaitForExit(), 0u);
    std::vector<RecordedStart> starts = WaitForStarts(folder.Path(), slot + 1);
    ASSERT_EQ(starts.size(), static_cast<size_t>(slot + 1));
    // Appended after exactly one space, the quotes of the launcher's own line kept.
    EXPECT_EQ(starts.back().commandLine, recorder + L" slot" + std::to_wstring(slot) + L" " + target);
    EXPECT_EQ(starts.back().show, -1) << "no show mode is forced on a program";
  }
  EXPECT_EQ(IniValue(folder.Settings(), L"SystemSetting", L"topView"), L"OFF")
      << "the launch closed the window through the saving close";
}

// Every composition and folder rule of the direct start, observed by the started program.
TEST(Launch, HotkeyComposesTheLineAndPicksTheFolder) {
  TestFolder folder;
  std::wstring tools = folder.File(L"tools");
  CreateDirectoryW(tools.c_str(), nullptr);
  std::wstring recorder = folder.AddRecorder(L"tools\\recorder.exe");

  struct Case {
    const char* what;
    std::wstring command;
    std::wstring expectedLine;  // TARGET stands for the launcher's own arguments
    int expectedShow;
  } cases[] = {
      {"first %1 replaced, a later one kept", recorder + L" -in %1 -out %1",
       recorder + L" -in TARGET -out %1", -1},
      {"%1 at the very end", recorder + L" %1", recorder + L" TARGET", -1},
      {"%10 is %1 and a zero", recorder + L" %10", recorder + L" TARGET0", -1},
      {"%1 in quotes doubles the quotes", recorder + L" \"%1\"", recorder + L" \"TARGET\"", -1},
      {"a command ending in .cmd starts hidden", recorder + L" run.CMD", recorder + L" run.CMD TARGET", 0},
      {"arguments after .cmd: shown", recorder + L" run.cmd %1", recorder + L" run.cmd TARGET", -1},
  };
  const std::wstring target = Quoted(folder.File(L"my notes.txt")) + L" " + Quoted(folder.File(L"b.txt"));
  size_t count = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\n" + SlotLines(3, L"three", c.command));
    LaunchByKey(folder, target, 'E');
    std::vector<RecordedStart> starts = WaitForStarts(tools, ++count);
    ASSERT_EQ(starts.size(), count);
    std::wstring expected = c.expectedLine;
    expected.replace(expected.find(L"TARGET"), 6, target);
    EXPECT_EQ(starts.back().commandLine, expected);
    EXPECT_EQ(starts.back().folder, tools) << "the folder of a program named with a drive";
    EXPECT_EQ(starts.back().show, c.expectedShow);
  }
}

TEST(Launch, RelativeProgramRunsInTheLaunchersFolder) {
  TestFolder folder;
  folder.AddRecorder();
  WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\n" + SlotLines(1, L"one", L"recorder.exe -r"));
  LaunchByKey(folder, Quoted(folder.File(L"a.txt")), 'Q');
  std::vector<RecordedStart> starts = WaitForStarts(folder.Path(), 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].commandLine, L"recorder.exe -r " + Quoted(folder.File(L"a.txt")));
  EXPECT_EQ(starts[0].folder, folder.Path());
}

TEST(Launch, CtrlHotkeyStartsNothingAndEmptySlotKeepsTheWindow) {
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\n" + SlotLines(1, L"one", recorder) +
                                            L"title6=empty six\r\n");
  OpenLauncher run(folder, Quoted(folder.File(L"a.txt")));
  ASSERT_NE(run.window, nullptr);
  ASSERT_TRUE(Activate(run.window));
  PressKey('Q', {VK_CONTROL});
  PressKey('S');  // slot 5 has a title but no command
  EXPECT_FALSE(WaitUntil([&] { return !run.launcher.Running(); }, 800));
  EXPECT_TRUE(RecordedStarts(folder.Path()).empty());
  EXPECT_EQ(HighlightedSlots(run.window), std::vector<int>{0}) << "a hotkey does not move the highlight";
  // The hotkey made slot 5 the selection: Enter acts on it (an empty slot opens its editing).
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return StatusBarText(run.window) == L"empty six"; }));
  EXPECT_TRUE(run.launcher.Running());
}

// A click and Enter go through the shell: the line is split after ".exe ".
TEST(Launch, ClickAndEnterStartThroughTheShell) {
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  WriteSettingsUtf16(folder.Settings(),
                     L"[.txt]\r\n" + SlotLines(1, L"one", recorder + L" first  %1 x.cmd y") +
                         SlotLines(2, L"two", recorder + L" admin %1", true) +
                         SlotLines(3, L"three", recorder + L" hidden.cmd"));
  const std::wstring target = Quoted(folder.File(L"a b.txt"));

  LaunchByClick(folder, target, 0);
  std::vector<RecordedStart> starts = WaitForStarts(folder.Path(), 1);
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(ArgumentsOf(starts[0].commandLine), L"first  " + target + L" x.cmd y")
      << "the parameters are everything after the first \".exe \"";
  EXPECT_EQ(starts[0].folder, folder.Path());
  EXPECT_EQ(starts[0].show, SW_SHOWNORMAL);

  // runas: Wine has no elevation and starts the program as "open" would.
  LaunchByClick(folder, target, 1);
  starts = WaitForStarts(folder.Path(), 2);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(ArgumentsOf(starts[1].commandLine), L"admin " + target);

  OpenLauncher enter(folder, target);
  ASSERT_NE(enter.window, nullptr);
  ASSERT_TRUE(Activate(enter.window));
  PressKey(VK_RIGHT);
  PressKey(VK_RIGHT);
  PressKey(VK_RETURN);
  EXPECT_EQ(enter.launcher.WaitForExit(), 0u);
  starts = WaitForStarts(folder.Path(), 3);
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_EQ(ArgumentsOf(starts[2].commandLine), L"hidden.cmd " + target);
  EXPECT_EQ(starts[2].show, SW_HIDE);
}

// A start the system cannot make keeps the window and says why, on both paths;
// the next slot still starts, which shows the recorder was watching.
TEST(Launch, FailedStartsKeepTheWindowAndSayWhy) {
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\n" +
                                            SlotLines(1, L"one", folder.File(L"missing.exe") + L" -x") +
                                            SlotLines(2, L"two", recorder));
  OpenLauncher run(folder, Quoted(folder.File(L"a.txt")));
  ASSERT_NE(run.window, nullptr);
  ASSERT_TRUE(Activate(run.window));
  auto saysWhy = [&] { return StatusBarText(run.window).rfind(L"起動できません: ", 0) == 0; };
  PressKey('Q');
  EXPECT_TRUE(WaitUntil(saysWhy)) << "hotkey: " << StatusBarText(run.window);
  PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitUntil([&] { return StatusBarText(run.window) == L"two"; }))
      << "the title is back with the next selection";
  PressKey(VK_LEFT);
  PressKey(VK_RETURN);
  // Wine's shell can take several seconds to give up on a file that is not there.
  EXPECT_TRUE(WaitUntil(saysWhy, 20000)) << "Enter: " << StatusBarText(run.window);
  EXPECT_TRUE(run.launcher.Running());
  PressKey('W');
  EXPECT_EQ(run.launcher.WaitForExit(), 0u);
  EXPECT_EQ(WaitForStarts(folder.Path(), 1).size(), 1u);
}

// Many files at once reach the program whole on both paths; a line longer than
// the system takes is refused and the window stays.
TEST(Launch, LongLinesAreCarriedWholeOrRefused) {
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\n" + SlotLines(1, L"one", recorder + L" %1") +
                                            SlotLines(2, L"two", recorder + L" -many"));
  std::wstring tenFiles;
  for (int i = 0; i < 10; ++i) {
    if (i > 0) tenFiles += L" ";
    tenFiles += Quoted(folder.Path() + L"\\" + std::wstring(230, wchar_t(L'a' + i)) + L".txt");
  }
  ASSERT_GT(tenFiles.size(), 2000u);
  LaunchByKey(folder, tenFiles, 'Q');
  WaitForStarts(folder.Path(), 1);  // the started programs log in the order they run
  LaunchByClick(folder, tenFiles, 1);
  std::vector<RecordedStart> starts = WaitForStarts(folder.Path(), 2);
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].commandLine, recorder + L" " + tenFiles);
  EXPECT_EQ(ArgumentsOf(starts[1].commandLine), L"-many " + tenFiles);

  // The launcher's own line is at the system's limit; with the command added it is over.
  const std::wstring padding(60, L'p');
  WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\n" + SlotLines(1, L"one", recorder + L" " + padding + L" %1") +
                                            SlotLines(2, L"two", recorder + L" " + padding));
  std::wstring head = Quoted(folder.File(L"x.txt")) + L" ";
  size_t launcherToken = folder.Launcher().size() + 3;  // quotes and the blank
  std::wstring huge = head + std::wstring(32766 - launcherToken - head.size(), L'z');
  OpenLauncher run(folder, huge);
  ASSERT_NE(run.window, nullptr);
  ASSERT_TRUE(Activate(run.window));
  PressKey('Q');
  ClickAt(CentreOf(SlotButton(run.window, 1)));
  EXPECT_FALSE(WaitUntil([&] { return !run.launcher.Running(); }, 1000))
      << "refused: the window stays; exit code " << run.launcher.WaitForExit(0);
  EXPECT_EQ(StatusBarText(run.window), L"長すぎて Windows に渡せないため起動しません");
  EXPECT_EQ(RecordedStarts(folder.Path()).size(), 2u);
}
