// Starting slot 1: by its hotkey (directly), by a click or Enter (through the
// shell). recorder.exe stands in for the started program and writes down its
// command line, folder and show mode; a run that starts nothing must say why and
// then still start slot 2, which shows the recorder was watching.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

enum class Path { Hotkey, Click, Enter };
const wchar_t A_TXT[] = L"\"{dir}\\a.txt\"";
const wchar_t FAILED[] = L"起動できません: ";
const wchar_t TOO_LONG[] = L"長すぎて Windows に渡せないため起動しません";
const wchar_t UNSAFE[] = L"cmd.exe が解釈する文字を含む名前のため起動しません";
constexpr int ANY_SHOW = -2;

struct LaunchRow {
  const char* what;
  std::wstring command;  // slot 1's command
  std::wstring tail;     // the launcher's own arguments
  Path path;
  // What the recorder saw: the whole line on the direct path, the arguments
  // through the shell. Empty: nothing starts and the status bar begins with status.
  std::wstring started;
  std::wstring status = L"";
  int show = ANY_SHOW;
  std::wstring ranIn = L"";           // the folder it ran in, where that matters
  std::wstring section = L".txt";     // the section the target reads
};

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

void RunRow(const LaunchRow& row) {
  Session s(L"[" + row.section + L"]\r\ntitle1=one\r\ncommand1=" + row.command +
            L"\r\ntitle2=two\r\ncommand2={rec} control\r\n");
  for (const char* script : {"run.cmd", "run.bat"}) {
    WriteBytes(s.File(std::wstring(script, script + 7)), "@\"%~dp0recorder.exe\" script %*\r\n");
  }
  CreateDirectoryW(s.File(L"tools").c_str(), nullptr);  // a program in a folder of its own
  CopyFileW(s.recorder.c_str(), s.File(L"tools\\recorder.exe").c_str(), FALSE);
  const std::wstring log = row.ranIn.empty() ? s.folder.Path() : s.Fill(row.ranIn);
  ASSERT_NE(s.Open(row.tail), nullptr);
  if (row.path == Path::Hotkey) s.Key('Q');
  if (row.path == Path::Click) s.Click(0);
  if (row.path == Path::Enter) s.Key(VK_RETURN);
  if (!row.started.empty()) {
    EXPECT_EQ(s.Exit(), 0u) << "a start closes the window";
    std::vector<RecordedStart> starts;
    WaitUntil([&] { return !(starts = RecordedStarts(log)).empty(); });
    ASSERT_EQ(starts.size(), 1u);
    std::wstring line = row.path == Path::Hotkey ? starts[0].commandLine : ArgumentsOf(starts[0].commandLine);
    EXPECT_EQ(line, s.Fill(row.started));
    EXPECT_TRUE(row.show == ANY_SHOW || starts[0].show == row.show) << starts[0].show;
    EXPECT_TRUE(row.ranIn.empty() || starts[0].folder == s.Fill(row.ranIn));
    return;
  }
  // Wine's shell can take several seconds to give up on a file that is not there.
  EXPECT_TRUE(WaitUntil([&] { return s.Status().rfind(row.status, 0) == 0; }, 20000))
      << "the status bar says: " << std::string(s.Status().begin(), s.Status().end());
  EXPECT_TRUE(s.launcher->Running()) << "nothing started: the window stays";
  if (s.Fill(row.tail).size() > 32000) {  // no command fits beside this target
    EXPECT_EQ(s.Close(), 0u);
    EXPECT_TRUE(RecordedStarts(log).empty());
    return;
  }
  s.Key('W');
  EXPECT_EQ(s.Exit(), 0u);
  std::vector<RecordedStart> starts = s.Starts(1);
  ASSERT_EQ(starts.size(), 1u) << "only slot 2 started";
  EXPECT_EQ(ArgumentsOf(starts[0].commandLine), L"control " + s.Fill(row.tail));
}

}  // namespace

TEST(Launch, Paths) {
  Session probe;  // every row's launcher runs in this folder
  // The launcher's own line at the system's limit of 32,766 units: with a command added it is over.
  std::wstring huge = probe.Fill(L"\"{dir}\\x.txt\" ");
  huge += std::wstring(32766 - (probe.folder.Launcher().size() + 3) - huge.size(), L'z');
  const std::wstring padding(60, L'p');
  const std::wstring tom = Quoted(L"{dir}\\Tom & Jerry (1).txt");
  const std::wstring injecting = Quoted(L"{dir}\\a&recorder.exe x.txt");
  const std::wstring script = Quoted(L"{rec}") + L" script ";

  const LaunchRow rows[] = {
      {"hotkey: %1 replaced, a program in its own folder, no show mode forced",
       L"{dir}\\tools\\recorder.exe -in %1 -out x", L"\"{dir}\\my notes.txt\" \"{dir}\\b.txt\"",
       Path::Hotkey, L"{dir}\\tools\\recorder.exe -in \"{dir}\\my notes.txt\" \"{dir}\\b.txt\" -out x",
       L"", -1, L"{dir}\\tools"},
      {"hotkey: a command ending in .cmd starts hidden", L"{rec} run.CMD", A_TXT, Path::Hotkey,
       L"{rec} run.CMD \"{dir}\\a.txt\"", L"", SW_HIDE},
      {"click: split after the first \".exe \", shown normally", L"{rec} first  %1 x.cmd y",
       L"\"{dir}\\a b.txt\"", Path::Click, L"first  \"{dir}\\a b.txt\" x.cmd y", L"", SW_SHOWNORMAL,
       L"{dir}"},
      {"click: a command ending in .cmd starts hidden", L"{rec} hidden.cmd", A_TXT, Path::Click,
       L"hidden.cmd \"{dir}\\a.txt\"", L"", SW_HIDE},
      {"Enter: a missing program", L"{dir}\\missing.exe -x", A_TXT, Path::Enter, L"", FAILED},
      {"hotkey: a line over the limit", L"{rec} " + padding + L" %1", huge, Path::Hotkey, L"", TOO_LONG},
      {"click: a line over the limit", L"{rec} " + padding, huge, Path::Click, L"", TOO_LONG},
      {"hotkey: a script gets a quoted name with & and brackets", L"{dir}\\run.cmd", tom,
       Path::Hotkey, script + tom},
      {"click: a script gets a quoted name with & and brackets", L"{dir}\\run.cmd", tom,
       Path::Click, L"script " + tom},
      {"hotkey: %1 in quotes would leave & bare", L"{dir}\\run.cmd \"%1\"", injecting, Path::Hotkey,
       L"", UNSAFE},
      {"click: %1 in quotes would leave & bare", L"{dir}\\run.cmd \"%1\"", injecting, Path::Click,
       L"", UNSAFE},
      {"hotkey: cmd.exe keeps quoted operators", L"C:\\windows\\system32\\cmd.exe /c {rec}", tom,
       Path::Hotkey, L"{rec} " + tom},
      {"click: cmd.exe keeps quoted operators", L"C:\\windows\\system32\\cmd.exe /c {rec}", tom,
       Path::Click, tom},
      {"hotkey: a program given a script's name", L"{rec} %1", L"{dir}\\deploy!.cmd", Path::Hotkey,
       L"{rec} {dir}\\deploy!.cmd", L"", ANY_SHOW, L"", L".cmd"},
  };
  for (const LaunchRow& row : rows) {
    SCOPED_TRACE(row.what);
    RunRow(row);
  }
}
