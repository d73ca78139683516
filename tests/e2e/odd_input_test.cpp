// Long and odd paths, as targets and as programs, on both launch paths: each
// reaches the started program whole, or the launch is refused and the window
// stays; never a cut or rewritten line. recorder.exe (and a script that calls it)
// writes down what was started.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring SlotOne(const std::wstring& section, const std::wstring& command) {
  return L"[" + section + L"]\r\ntitle1=one\r\ncommand1=" + command + L"\r\n";
}

enum class LaunchPath { Hotkey, Click };
const LaunchPath BOTH_PATHS[] = {LaunchPath::Hotkey, LaunchPath::Click};
const char* NameOf(LaunchPath path) { return path == LaunchPath::Hotkey ? "hotkey" : "click"; }

// How long a refused launch is watched for a start or a close that must not come.
constexpr DWORD REFUSAL_WAIT_MS = 1500;

struct SlotRun {
  DWORD exitCode = STILL_ACTIVE;  // STILL_ACTIVE: the window stayed open
  std::wstring title;             // the window's caption: the target's file name
  std::wstring status;            // the status bar of a window that stayed open
};

// Starts the launcher on tail and starts slot 1 by its hotkey (directly) or by a
// click (through the shell). A launcher that is still open after waitMs is closed
// with Escape, and must close cleanly.
SlotRun StartSlotOne(const TestFolder& folder, const std::wstring& tail, LaunchPath path,
                     DWORD waitMs = WAIT_MS) {
  SlotRun run;
  LauncherProcess launcher(folder, tail);
  HWND window = launcher.WaitForWindow();
  if (window == nullptr || !Activate(window)) {
    ADD_FAILURE() << "the launcher did not open";
    return run;
  }
  run.title = WindowText(window);
  if (path == LaunchPath::Hotkey) {
    PressKey('Q');
  } else {
    ClickAt(CentreOf(SlotButton(window, 0)));
  }
  run.exitCode = launcher.WaitForExit(waitMs);
  if (run.exitCode == STILL_ACTIVE) {
    run.status = StatusBarText(window);
    EXPECT_EQ(launcher.CloseWithEscape(window), 0u);
  }
  return run;
}

std::vector<RecordedStart> WaitForStarts(const std::wstring& logFolder, size_t count) {
  std::vector<RecordedStart> starts;
  WaitUntil([&] { return (starts = RecordedStarts(logFolder)).size() >= count; });
  return starts;
}

// Nothing more is logged for a while: a second program would have started by then.
bool NoFurtherStart(const std::wstring& logFolder, size_t count) {
  return !WaitUntil([&] { return RecordedStarts(logFolder).size() > count; }, REFUSAL_WAIT_MS);
}

std::wstring WithoutExtendedPrefix(const std::wstring& path) {
  return path.rfind(L"\\\\?\\", 0) == 0 ? path.substr(4) : path;
}

// The extended form of an absolute path, which the file functions take at any length.
std::wstring Extended(const std::wstring& path) {
  return path.rfind(L"\\\\", 0) == 0 ? L"\\\\?\\UNC\\" + path.substr(2) : L"\\\\?\\" + path;
}

void CreateFolder(const std::wstring& path) { CreateDirectoryW(Extended(path).c_str(), nullptr); }

void CreateEmptyFile(const std::wstring& path) {
  HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// A network share for the test, \\pivora\share. Wine reaches \\server\share\... in
// the folder dosdevices\unc\server\share of its prefix; empty when not under Wine.
std::wstring NetworkShareFolder(const std::wstring& name) {
  wchar_t prefix[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"";
  std::wstring local = L"Z:" + std::wstring(prefix, length) + L"\\dosdevices\\unc";
  for (wchar_t& unit : local) {
    if (unit == L'/') unit = L'\\';
  }
  for (const wchar_t* part : {L"", L"\\pivora", L"\\share"}) {
    local += part;
    CreateDirectoryW(local.c_str(), nullptr);
  }
  std::wstring share = L"\\\\pivora\\share\\" + name;
  CreateDirectoryW(share.c_str(), nullptr);
  DeleteFileW((share + L"\\recorder.log").c_str());
  return FileExists(share) ? share : L"";
}

}  // namespace

// Targets at and beyond MAX_PATH, in the extended and network forms, with blanks,
// quotes, cmd's metacharacters and characters beyond the BMP, reach a program
// exactly as the launcher was given them, on both paths.
TEST(OddInput, TargetsReachTheProgramWhole) {
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  const std::wstring& base = folder.Path();
  std::wstring share = NetworkShareFolder(L"targets");
  ASSERT_FALSE(share.empty()) << "these cases need Wine's network share mapping";

  std::wstring at259 = base + L"\\" + std::wstring(259 - base.size() - 5, L'n') + L".txt";
  std::wstring deep = base + L"\\" + std::wstring(300 - base.size() - 12, L'd');
  std::wstring beyond = deep + L"\\beyond.txt";
  CreateFolder(deep);
  std::wstring odd = base + L"\\50% & more^ (x) !%PATH%.txt";
  std::wstring music = base + L"\\\U0001D11E music \U0001F600.txt";
  for (const std::wstring& file : {at259, beyond, odd, music, share + L"\\on a share.txt"}) {
    CreateEmptyFile(file);
  }
  ASSERT_EQ(at259.size(), 259u);
  ASSERT_EQ(beyond.size(), 300u);

  struct Case {
    const char* what;
    std::wstring tail;  // what follows the launcher's own path on its command line
    std::wstring title;
  } cases[] = {
      {"259 units", Quoted(at259), at259.substr(base.size() + 1)},
      {"300 units", Quoted(beyond), L"beyond.txt"},
      {"extended form", Quoted(L"\\\\?\\" + beyond), L"beyond.txt"},
      {"network share", Quoted(share + L"\\on a share.txt"), L"on a share.txt"},
      {"cmd metacharacters", Quoted(odd), L"50% & more^ (x) !%PATH%.txt"},
      {"beyond the BMP", Quoted(music), L"\U0001D11E music \U0001F600.txt"},
      {"unquoted, with quoted words after it", at259 + L" \"say \"\"hi\"\"\" x",
       at259.substr(base.size() + 1)},
  };
  WriteSettingsUtf16(folder.Settings(), SlotOne(L".txt", recorder + L" -p %1"));
  size_t count = 0;
  for (const Case& c : cases) {
    for (LaunchPath path : BOTH_PATHS) {
      SCOPED_TRACE(std::string(c.what) + ", " + NameOf(path));
      SlotRun run = StartSlotOne(folder, c.tail, path);
      EXPECT_EQ(run.exitCode, 0u);
      EXPECT_EQ(run.title, c.title) << "the target is argument 1, whole";
      std::vector<RecordedStart> starts = WaitForStarts(base, ++count);
      ASSERT_EQ(starts.size(), count);
      if (path == LaunchPath::Hotkey) {
        EXPECT_EQ(starts.back().commandLine, recorder + L" -p " + c.tail);
      } else {
        EXPECT_EQ(ArgumentsOf(starts.back().commandLine), L"-p " + c.tail);
      }
    }
  }
}

// Programs named at the slot's limit of 259 units, in the extended and network
// forms, in folders with blanks and characters beyond the BMP, run in their own
// folder; one whose folder is beyond what the system can enter is refused.
TEST(OddInput, ProgramsAtTheLimitRunOrAreRefused) {
  TestFolder folder;
  const std::wstring& base = folder.Path();
  std::wstring share = NetworkShareFolder(L"programs");
  ASSERT_FALSE(share.empty()) << "these cases need Wine's network share mapping";
  const std::wstring target = Quoted(folder.File(L"a.txt"));
  const std::wstring program = L"\\recorder.exe";
  const std::wstring arguments = L" %1";

  std::wstring longFolder =
      base + L"\\" + std::wstring(259 - base.size() - 1 - program.size() - arguments.size(), L'l');
  std::wstring tooDeep = base + L"\\" + std::wstring(256 - base.size() - 1, L'x');
  struct Case {
    const char* what;
    std::wstring folder;  // where recorder.exe is put, as name
    std::wstring name;
    std::wstring command;  // the slot's command
    std::wstring ranIn;    // the folder it runs in; empty: refused
  } cases[] = {
      {"command of 259 units", longFolder, L"recorder.exe", longFolder + program + arguments,
       longFolder},
      {"extended form", base + L"\\ext", L"recorder.exe",
       L"\\\\?\\" + base + L"\\ext" + program + arguments, base + L"\\ext"},
      {"network share, in the launcher's folder", share, L"recorder.exe",
       share + program + arguments, base},
      {"blanks, unquoted", base + L"\\my tools", L"recorder.exe",
       base + L"\\my tools" + program + arguments, base + L"\\my tools"},
      {"beyond the BMP", base + L"\\\U0001D11E", L"recorder.exe",
       base + L"\\\U0001D11E" + program + arguments, base + L"\\\U0001D11E"},
      // CreateProcessW adds ".exe" itself; the folder is one unit too long to enter.
      {"folder of 256 units", tooDeep, L"r.exe", tooDeep + L"\\r", L""},
  };
  ASSERT_EQ(cases[0].command.size(), 259u);
  ASSERT_EQ(tooDeep.size(), 256u);

  for (const Case& c : cases) {
    CreateFolder(c.folder);
    CopyFileW((BuildFolder() + L"\\recorder.exe").c_str(),
              Extended(c.folder + L"\\" + c.name).c_str(), FALSE);
    WriteSettingsUtf16(folder.Settings(), SlotOne(L".txt", c.command));
    const std::wstring logFolder = Extended(c.folder);
    size_t count = 0;
    for (LaunchPath path : BOTH_PATHS) {
      SCOPED_TRACE(std::string(c.what) + ", " + NameOf(path));
      bool refused = c.ranIn.empty();
      SlotRun run = StartSlotOne(folder, target, path, refused ? REFUSAL_WAIT_MS : WAIT_MS);
      if (refused) {
        EXPECT_EQ(run.exitCode, STILL_ACTIVE) << "refused: the window stays";
        EXPECT_TRUE(RecordedStarts(logFolder).empty());
        continue;
      }
      EXPECT_EQ(run.exitCode, 0u);
      std::vector<RecordedStart> starts = WaitForStarts(logFolder, ++count);
      ASSERT_EQ(starts.size(), count);
      EXPECT_EQ(ArgumentsOf(starts.back().commandLine), target);
      EXPECT_EQ(WithoutExtendedPrefix(starts.back().folder), c.ranIn);
    }
  }
}

// A file name may hold "&", "^", "%" and brackets. Handed to a .cmd or .bat script
// (which cmd.exe runs), it must not start anything beyond the script: such a launch
// is refused, while a name cmd.exe reads as plain text reaches the script whole and
// any other program is unaffected. The scripts call recorder.exe with their
// arguments; a name such as "a&recorder.exe x.txt" would start it a second time.
TEST(OddInput, FileNamesCannotMakeAScriptRunMore) {
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  const std::wstring& base = folder.Path();
  for (const wchar_t* script : {L"run.cmd", L"run.bat"}) {
    WriteBytes(folder.File(script), "@\"%~dp0recorder.exe\" script %*\r\n");
  }
  const std::wstring runCmd = folder.File(L"run.cmd");
  const std::wstring injecting = Quoted(folder.File(L"a&recorder.exe x.txt"));
  const std::wstring scriptStart = Quoted(recorder) + L" script ";

  struct Case {
    const char* what;
    std::wstring section;  // the extension of the target
    std::wstring command;
    std::wstring tail;
    bool runs;  // else refused
    std::wstring recorded;
  } cases[] = {
      {"quoted name with & and brackets", L".txt", runCmd, Quoted(base + L"\\Tom & Jerry (1).txt"),
       true, scriptStart + Quoted(base + L"\\Tom & Jerry (1).txt")},
      {"%1 in quotes leaves & bare", L".txt", runCmd + L" \"%1\"", injecting, false, L""},
      {"unquoted name with &", L".exe", runCmd + L" %1", folder.File(L"a&recorder.exe"), false,
       L""},
      {"variable in the name", L".txt", runCmd, Quoted(base + L"\\%PATH%.txt"), false, L""},
      {"caret outside quotes", L".txt", folder.File(L"run.bat") + L" \"%1\"",
       Quoted(base + L"\\a^b.txt"), false, L""},
      {"cmd.exe itself: quotes do not protect", L".txt",
       L"C:\\windows\\system32\\cmd.exe /c " + Quoted(runCmd), Quoted(base + L"\\Tom & Jerry.txt"),
       false, L""},
      {"a program is not affected", L".txt", recorder + L" \"%1\"", injecting, true,
       recorder + L" \"" + injecting + L"\""},
      {"a program given a script's name", L".cmd", recorder + L" %1", folder.File(L"deploy!.cmd"),
       true, recorder + L" " + folder.File(L"deploy!.cmd")},
      {"cmd.exe keeps quoted operators", L".txt", L"C:\\windows\\system32\\cmd.exe /c " + recorder,
       Quoted(base + L"\\Tom & Jerry (1).txt"), true,
       recorder + L" " + Quoted(base + L"\\Tom & Jerry (1).txt")},
  };
  size_t count = 0;
  for (const Case& c : cases) {
    WriteSettingsUtf16(folder.Settings(), SlotOne(c.section, c.command));
    for (LaunchPath path : BOTH_PATHS) {
      SCOPED_TRACE(std::string(c.what) + ", " + NameOf(path));
      SlotRun run = StartSlotOne(folder, c.tail, path, c.runs ? WAIT_MS : REFUSAL_WAIT_MS);
      if (!c.runs) {
        EXPECT_EQ(run.exitCode, STILL_ACTIVE) << "refused: the window stays";
        EXPECT_EQ(run.status, L"cmd.exe が解釈する文字を含む名前のため起動しません");
        EXPECT_EQ(RecordedStarts(base).size(), count) << "refused: nothing starts";
        continue;
      }
      EXPECT_EQ(run.exitCode, 0u);
      std::vector<RecordedStart> starts = WaitForStarts(base, ++count);
      ASSERT_EQ(starts.size(), count);
      if (path == LaunchPath::Hotkey || c.recorded.rfind(scriptStart, 0) == 0) {
        EXPECT_EQ(starts.back().commandLine, c.recorded);
      } else {
        EXPECT_EQ(ArgumentsOf(starts.back().commandLine), ArgumentsOf(c.recorded));
      }
      EXPECT_TRUE(NoFurtherStart(base, count)) << "only the script's own start";
    }
  }
}

// A path longer than a slot holds cannot be pasted into the edit dialog whole: the
// field takes what the slot holds, and that is what is stored.
TEST(OddInput, EditFieldsTakeNoMoreThanASlotHolds) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), SlotOne(L".txt", L"C:\\old.exe"));
  LauncherProcess launcher(folder, Quoted(folder.File(L"a.txt")));
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_COMMAND, 100, 0);  // the button menu's edit
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (dialog = FindDialog(launcher.ProcessId(), L"Pivora コマンド編集")) != nullptr;
  }));

  const std::wstring pasted = L"C:\\" + std::wstring(300, L'p') + L".exe %1";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
  lstrcpyW(static_cast<wchar_t*>(GlobalLock(memory)), pasted.c_str());
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  HWND command = GetDlgItem(dialog, 1003);
  SendMessageW(command, EM_SETSEL, 0, -1);
  SendMessageW(command, WM_PASTE, 0, 0);
  const std::wstring shown = WindowText(command);
  EXPECT_EQ(shown, pasted.substr(0, 259));

  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);
  EXPECT_EQ(IniValue(folder.Settings(), L".txt", L"command1"), shown) << "stored as shown";
}
