// What a slot's command and the launcher's arguments turn into: the line, the
// program and parameters for the shell, the folder it runs in, and the show mode.

#include "launch/launch_rules.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using Text = std::u16string;

const WideChar* const SETTINGS = u"C:\\Launcher\\Pivora64.ini";
const WideChar* const DOC = u"D:\\docs\\a.txt";

// Line-sized buffers are 64 KiB; they live on the heap.
struct LineBuffer {
  WideChar units[COMMAND_LINE_CAPACITY];
};

TEST(ComposeCommandLine, ReplacesTheFirstPercentOneOrAppends) {
  struct Case {
    const char* name;
    const WideChar* command;
    const WideChar* argument;
    const WideChar* line;
  };
  const Case cases[] = {
      {"appended after one space", u"C:\\Tools\\viewer.exe", DOC,
       u"C:\\Tools\\viewer.exe D:\\docs\\a.txt"},
      {"replaced in the middle", u"C:\\Tools\\conv.exe -in %1 -out x", DOC,
       u"C:\\Tools\\conv.exe -in D:\\docs\\a.txt -out x"},
      {"only the first replaced", u"C:\\Tools\\cmp.exe %1 %1", DOC,
       u"C:\\Tools\\cmp.exe D:\\docs\\a.txt %1"},
      {"%10 keeps its digit", u"C:\\Tools\\t.exe %10", DOC, u"C:\\Tools\\t.exe D:\\docs\\a.txt0"},
      {"a lone percent appends", u"C:\\Tools\\t.exe 100%", DOC,
       u"C:\\Tools\\t.exe 100% D:\\docs\\a.txt"},
      {"bare %1", u"%1", DOC, u"D:\\docs\\a.txt"},
      {"%1 on the last unit", u"C:\\Tools\\t.exe -f%1", DOC, u"C:\\Tools\\t.exe -fD:\\docs\\a.txt"},
      {"one-unit command appends", u"%", DOC, u"% D:\\docs\\a.txt"},
      {"trailing space gives two", u"C:\\Tools\\viewer.exe ", DOC,
       u"C:\\Tools\\viewer.exe  D:\\docs\\a.txt"},
      {"empty argument leaves a space", u"C:\\Tools\\viewer.exe", u"", u"C:\\Tools\\viewer.exe "},
      {"empty argument removes %1", u"C:\\Tools\\t.exe [%1]", u"", u"C:\\Tools\\t.exe []"},
      {"quotes around %1 double", u"C:\\Tools\\t.exe \"%1\"", u"\"D:\\my docs\\a.txt\"",
       u"C:\\Tools\\t.exe \"\"D:\\my docs\\a.txt\"\""},
      {"%1 inside the argument is not replaced", u"C:\\Tools\\t.exe", u"%1",
       u"C:\\Tools\\t.exe %1"},
  };
  auto line = std::make_unique<LineBuffer>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(ComposeCommandLine(c.command, c.argument, line->units), LaunchPlanResult::Ready);
    EXPECT_EQ(Text(line->units), Text(c.line));
  }
  line->units[0] = 'x';
  EXPECT_EQ(ComposeCommandLine(u"", DOC, line->units), LaunchPlanResult::NoCommand);
  EXPECT_EQ(Text(line->units), Text());
}

TEST(ComposeCommandLine, FillsTheCapacityButNeverCuts) {
  const size_t longest = 32766;  // CreateProcessW takes 32,767 units, the terminator included
  const Text program = u"C:\\t.exe";
  struct Case {
    const char* name;
    Text command;
    Text argument;
    bool fits;
  };
  const Case cases[] = {
      {"appended to exactly the longest", program, Text(longest - program.size() - 1, u'a'), true},
      {"appended one unit over", program, Text(longest - program.size(), u'a'), false},
      {"substituted to exactly the longest", u"%1", Text(longest, u'a'), true},
      {"substituted one unit over", u"%1", Text(longest + 1, u'a'), false},
      {"tail after %1 counts", u"%1" + Text(10, u't'), Text(longest - 9, u'a'), false},
  };
  auto line = std::make_unique<LineBuffer>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LaunchPlanResult result =
        ComposeCommandLine(c.command.c_str(), c.argument.c_str(), line->units);
    EXPECT_EQ(result, c.fits ? LaunchPlanResult::Ready : LaunchPlanResult::TooLong);
    EXPECT_EQ(TextLength(line->units), c.fits ? longest : 0u);
  }
}

TEST(ShellLaunch, SplitsAtTheFirstExeThenCmdAndRunsInTheProgramFolder) {
  struct Case {
    const char* name;
    const WideChar* command;
    const WideChar* argument;
    const WideChar* file;
    const WideChar* parameters;
    const WideChar* directory;
  };
  const Case cases[] = {
      {"program and file", u"C:\\Tools\\viewer.exe", DOC, u"C:\\Tools\\viewer.exe", DOC,
       u"C:\\Tools"},
      {"script and file", u"C:\\Tools\\build.cmd", DOC, u"C:\\Tools\\build.cmd", DOC, u"C:\\Tools"},
      {"relative program runs in the settings folder", u"viewer.exe", DOC, u"viewer.exe", DOC,
       u"C:\\Launcher"},
      {".exe wins over an earlier .cmd", u"C:\\Tools\\run.cmd go.exe %1", DOC,
       u"C:\\Tools\\run.cmd go.exe", DOC, u"C:\\Tools"},
      {".exe in the argument splits", u"C:\\Tools\\open %1", u"D:\\bin\\app.exe --x",
       u"C:\\Tools\\open D:\\bin\\app.exe", u"--x", u"C:\\Tools\\open D:\\bin"},
      {"only the first .exe splits", u"C:\\Tools\\a.exe b.exe %1", u"c", u"C:\\Tools\\a.exe",
       u"b.exe c", u"C:\\Tools"},
      {"further spaces stay", u"C:\\Tools\\viewer.exe  -a  %1", u"x", u"C:\\Tools\\viewer.exe",
       u" -a  x", u"C:\\Tools"},
      {"empty argument, empty parameters", u"C:\\Tools\\viewer.exe", u"", u"C:\\Tools\\viewer.exe",
       u"", u"C:\\Tools"},
      {"capitals do not split", u"C:\\TOOLS\\VIEWER.EXE", DOC,
       u"C:\\TOOLS\\VIEWER.EXE D:\\docs\\a.txt", u"", u"C:\\TOOLS\\VIEWER.EXE D:\\docs"},
      {"quoted program does not split", u"\"C:\\Tools\\v.exe\" %1", DOC,
       u"\"C:\\Tools\\v.exe\" D:\\docs\\a.txt", u"", u"\"C:\\Tools\\v.exe\" D:\\docs"},
      {"batch file does not split", u"C:\\Tools\\a.bat", DOC, u"C:\\Tools\\a.bat D:\\docs\\a.txt",
       u"", u"C:\\Tools\\a.bat D:\\docs"},
      {"shortcut does not split", u"C:\\Links\\v.lnk", u"x", u"C:\\Links\\v.lnk x", u"",
       u"C:\\Links"},
  };
  auto plan = std::make_unique<ShellLaunchPlan>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(PlanShellLaunch(c.command, 0, c.argument, SETTINGS, *plan), LaunchPlanResult::Ready);
    EXPECT_EQ(Text(plan->file), Text(c.file));
    EXPECT_EQ(Text(plan->parameters), Text(c.parameters));
    EXPECT_EQ(Text(plan->directory), Text(c.directory));
  }
}

TEST(DirectLaunch, PassesTheWholeLineAndTakesTheFolderFromTheCommand) {
  struct Case {
    const char* name;
    const WideChar* command;
    const WideChar* line;
    const WideChar* directory;
  };
  const Case cases[] = {
      {"program folder", u"C:\\Tools\\conv.exe -in %1", u"C:\\Tools\\conv.exe -in D:\\docs\\a.txt",
       u"C:\\Tools"},
      // The line holds ":\" from the argument; the command does not.
      {"relative program ignores the argument's drive", u"viewer.exe",
       u"viewer.exe D:\\docs\\a.txt", u"C:\\Launcher"},
      {"quoted program is not split", u"\"C:\\Tools\\v.exe\" /o",
       u"\"C:\\Tools\\v.exe\" /o D:\\docs\\a.txt", u"\"C:\\Tools"},
      {"variables stay unexpanded", u"%SystemRoot%\\notepad.exe",
       u"%SystemRoot%\\notepad.exe D:\\docs\\a.txt", u"C:\\Launcher"},
  };
  auto plan = std::make_unique<DirectLaunchPlan>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(PlanDirectLaunch(c.command, DOC, SETTINGS, *plan), LaunchPlanResult::Ready);
    EXPECT_EQ(Text(plan->commandLine), Text(c.line));
    EXPECT_EQ(Text(plan->directory), Text(c.directory));
  }
}

TEST(Launch, TenLongPathsTravelWhole) {
  Text argument;
  for (int i = 0; i < 10; ++i) {
    if (i > 0) argument += u' ';
    argument +=
        u"\"D:\\" + Text(243, static_cast<char16_t>(u'a' + i)) + u".txt\"";  // 250-unit path
  }
  const Text program = u"C:\\Tools\\viewer.exe";
  auto shell = std::make_unique<ShellLaunchPlan>();
  ASSERT_EQ(PlanShellLaunch(program.c_str(), 0, argument.c_str(), SETTINGS, *shell),
            LaunchPlanResult::Ready);
  EXPECT_EQ(Text(shell->file), program);
  EXPECT_EQ(Text(shell->parameters), argument);
  auto direct = std::make_unique<DirectLaunchPlan>();
  ASSERT_EQ(PlanDirectLaunch(program.c_str(), argument.c_str(), SETTINGS, *direct),
            LaunchPlanResult::Ready);
  EXPECT_EQ(Text(direct->commandLine), program + u" " + argument);
}

TEST(Launch, RefusesWhatDoesNotFitAndPropagatesAnEmptyCommand) {
  const Text longestFile = u"C:\\" + Text(PROGRAM_PATH_CAPACITY - 8, u'f') + u".exe";  // 259 units
  const Text fileTooLong = u"C:\\" + Text(PROGRAM_PATH_CAPACITY - 7, u'f') + u".exe";
  const Text longestFolder = u"C:\\" + Text(WORKING_DIRECTORY_CAPACITY - 4, u'd');  // 255 units
  const Text folderTooLong = longestFolder + u"d";
  struct Case {
    const char* name;
    Text command;
    Text argument;
    LaunchPlanResult shell;
    LaunchPlanResult direct;
  };
  const Case cases[] = {
      {"empty command", u"", DOC, LaunchPlanResult::NoCommand, LaunchPlanResult::NoCommand},
      {"line over the capacity", u"%1", Text(COMMAND_LINE_CAPACITY, u'a'),
       LaunchPlanResult::TooLong, LaunchPlanResult::TooLong},
      {"longest file part", longestFile, DOC, LaunchPlanResult::Ready, LaunchPlanResult::Ready},
      {"file part of 260 units", fileTooLong, DOC, LaunchPlanResult::TooLong,
       LaunchPlanResult::Ready},
      {"unsplit line over the file part", u"C:\\a.bat", Text(260, u'a'), LaunchPlanResult::TooLong,
       LaunchPlanResult::Ready},
      // No ".exe ": the file part is the whole line, still within its own capacity.
      {"longest folder", longestFolder + u"\\v", u"", LaunchPlanResult::Ready,
       LaunchPlanResult::Ready},
      {"folder of 256 units", folderTooLong + u"\\v", u"", LaunchPlanResult::TooLong,
       LaunchPlanResult::TooLong},
  };
  auto shell = std::make_unique<ShellLaunchPlan>();
  auto direct = std::make_unique<DirectLaunchPlan>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlanShellLaunch(c.command.c_str(), 0, c.argument.c_str(), SETTINGS, *shell), c.shell);
    EXPECT_EQ(PlanDirectLaunch(c.command.c_str(), c.argument.c_str(), SETTINGS, *direct), c.direct);
    if (c.shell != LaunchPlanResult::Ready) {
      // Refused, not cut: nothing half-built is left to start.
      EXPECT_EQ(Text(shell->file), Text());
      EXPECT_EQ(Text(shell->parameters), Text());
    }
    if (c.direct != LaunchPlanResult::Ready) {
      EXPECT_EQ(Text(direct->commandLine), Text());
    }
  }
}

TEST(WorkingDirectory, FolderOfAnAbsoluteTextElseOfTheSettingsFile) {
  const Text longName = u"C:\\Tools\\" + Text(COMMAND_LINE_CAPACITY / 2, u'n');
  const Text deepSettings = u"C:\\" + Text(WORKING_DIRECTORY_CAPACITY, u'd') + u"\\P.ini";
  struct Case {
    const char* name;
    Text text;
    const WideChar* settings;
    bool fits;
    const WideChar* directory;
  };
  const Case cases[] = {
      {"drive root keeps its backslash", u"C:\\app.exe", SETTINGS, true, u"C:\\"},
      {"colon-backslash anywhere", u"cmd /c D:\\jobs\\run.bat", SETTINGS, true, u"cmd /c D:\\jobs"},
      {"relative program", u"tools\\viewer.exe", SETTINGS, true, u"C:\\Launcher"},
      {"colon without backslash is relative", u"tool.exe x:y", SETTINGS, true, u"C:\\Launcher"},
      {"network share has no drive: settings folder", u"\\\\server\\share\\x.exe", SETTINGS, true,
       u"C:\\Launcher"},
      {"long name, short folder", longName, SETTINGS, true, u"C:\\Tools"},
      {"settings folder too long", u"viewer.exe", deepSettings.c_str(), false, u""},
      {"no settings path", u"viewer.exe", u"", true, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WideChar directory[WORKING_DIRECTORY_CAPACITY] = u"stale";
    EXPECT_EQ(ChooseWorkingDirectory(c.text.c_str(), c.settings, directory),
              c.fits ? LaunchPlanResult::Ready : LaunchPlanResult::TooLong);
    EXPECT_EQ(Text(directory), Text(c.directory));
  }
}

TEST(WorkingDirectory, RemovesTheTrailingNameAsTheShellDoes) {
  struct Case {
    const char* name;
    const WideChar* path;
    const WideChar* folder;
  };
  const Case cases[] = {
      {"file in a folder", u"C:\\Tools\\app.exe", u"C:\\Tools"},
      {"file in the root", u"C:\\app.exe", u"C:\\"},
      {"root alone", u"C:\\", u"C:\\"},
      {"trailing backslash", u"C:\\Tools\\", u"C:\\Tools"},
      {"bare name", u"app.exe", u""},
      {"drive-relative name", u"C:app.exe", u"C:"},
      {"drive alone", u"C:", u"C:"},
      {"arguments after the program", u"C:\\Tools\\app.exe %1", u"C:\\Tools"},
      {"network share", u"\\\\server\\share\\x.exe", u"\\\\server\\share"},
      {"rooted name", u"\\app.exe", u"\\"},
      {"colon in an argument", u"C:\\a\\b.exe /x:y", u"C:\\a\\b.exe /x:"},
      {"empty", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WideChar path[64] = {};
    ASSERT_TRUE(CopyText(path, c.path));
    RemoveFileSpec(path);
    EXPECT_EQ(Text(path), Text(c.folder));
  }
}

TEST(Launch, HidesCmdCommandsAndElevatesOnlyRunAsOne) {
  struct Case {
    const char* name;
    const WideChar* command;
    int runAs;
    const WideChar* argument;
    bool hidden;
    const WideChar* verb;
  };
  const Case cases[] = {
      {"script alone", u"C:\\Tools\\build.cmd", 0, DOC, true, u"open"},
      {"script in capitals, elevated", u"C:\\TOOLS\\BUILD.CMD", 1, DOC, true, u"runas"},
      {"script with arguments", u"C:\\Tools\\build.cmd %1", 0, DOC, false, u"open"},
      // The line would end in ".cmd"; the command does not.
      {"file argument ending in .cmd", u"C:\\Tools\\viewer.exe", 0, u"D:\\x.cmd", false, u"open"},
      {"batch file", u"C:\\Tools\\build.bat", 0, DOC, false, u"open"},
      {"longer extension", u"C:\\Tools\\build.cmdx", 0, DOC, false, u"open"},
      {"runAs other than one", u"C:\\Tools\\viewer.exe", 2, DOC, false, u"open"},
  };
  auto shell = std::make_unique<ShellLaunchPlan>();
  auto direct = std::make_unique<DirectLaunchPlan>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(StartsHidden(c.command), c.hidden);
    ASSERT_EQ(PlanShellLaunch(c.command, c.runAs, c.argument, SETTINGS, *shell),
              LaunchPlanResult::Ready);
    EXPECT_EQ(shell->hidden, c.hidden);
    EXPECT_EQ(Text(shell->verb), Text(c.verb));
    ASSERT_EQ(PlanDirectLaunch(c.command, c.argument, SETTINGS, *direct), LaunchPlanResult::Ready);
    EXPECT_EQ(direct->hidden, c.hidden);
  }
}

}  // namespace
