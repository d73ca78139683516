// What a slot's command and the launcher's arguments turn into (the line, the
// program and parameters for the shell, the folder, the show mode), and the
// launches refused because cmd.exe would act on a file name.

#include <memory>

#include "launch/launch_rules.h"
#include "unit_test.h"

const WideChar* const SETTINGS = u"C:\\Launcher\\Pivora64.ini";
const WideChar* const DOC = u"D:\\docs\\a.txt";
const LaunchPlanResult READY = LaunchPlanResult::Ready;
const LaunchPlanResult TOO_LONG = LaunchPlanResult::TooLong;
const LaunchPlanResult UNSAFE = LaunchPlanResult::UnsafeForCmd;

TEST(ComposeCommandLine, ReplacesTheFirstPercentOneOrAppendsAndNeverCuts) {
  const size_t longest = 32766;  // CreateProcessW takes 32,767 units, the terminator included
  const Text fill = Text(longest - 9, u'a');  // appended to "C:\t.exe ", exactly the longest
  const struct {
    Text command, argument;
    LaunchPlanResult result;
    Text line;
  } cases[] = {
      {u"C:\\Tools\\viewer.exe", DOC, READY, u"C:\\Tools\\viewer.exe D:\\docs\\a.txt"},
      {u"conv.exe -in %1 -out x", DOC, READY, u"conv.exe -in D:\\docs\\a.txt -out x"},
      {u"cmp.exe %1 %1", DOC, READY, u"cmp.exe D:\\docs\\a.txt %1"},
      {u"t.exe 100%", DOC, READY, u"t.exe 100% D:\\docs\\a.txt"},
      {u"t.exe [%1]", u"", READY, u"t.exe []"},
      {u"C:\\t.exe", fill, READY, u"C:\\t.exe " + fill},
      {u"C:\\t.exe", fill + u"a", TOO_LONG, u""},
      {u"%1", Text(longest, u'a'), READY, Text(longest, u'a')},
      {u"%1", Text(longest + 1, u'a'), TOO_LONG, u""},
      {u"%1" + Text(10, u't'), Text(longest - 9, u'a'), TOO_LONG, u""},  // the tail counts
  };
  auto lines = std::make_unique<WideChar[][COMMAND_LINE_CAPACITY]>(1);  // 64 KiB: on the heap
  WideChar(&line)[COMMAND_LINE_CAPACITY] = lines[0];
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.command.substr(0, 30)));
    line[0] = 'x';
    EXPECT_EQ(ComposeCommandLine(c.command.c_str(), c.argument.c_str(), line), c.result);
    EXPECT_EQ(Text(line), c.line);
  }
}

// Both launch paths: what the shell is given (split after the first ".exe ", else
// ".cmd "), the folders, the show mode and verb. DOC is D:\docs\a.txt.
TEST(Launch, SplitsForTheShellAndRunsInTheProgramFolder) {
  const struct {
    const WideChar *command, *argument, *file, *parameters, *directory, *directDirectory;
    int runAs;
    bool hidden;
  } cases[] = {
      {u"C:\\T\\v.exe", u"D:\\x.cmd", u"C:\\T\\v.exe", u"D:\\x.cmd", u"C:\\T", u"C:\\T", 2, false},
      {u"C:\\T\\B.CMD", u"x", u"C:\\T\\B.CMD x", u"", u"C:\\T", u"C:\\T", 1, true},
      {u"C:\\T\\b.cmd %1", DOC, u"C:\\T\\b.cmd", DOC, u"C:\\T", u"C:\\T", 0, false},
      {u"C:\\T\\b.bat", DOC, u"C:\\T\\b.bat D:\\docs\\a.txt", u"", u"C:\\T\\b.bat D:\\docs",
       u"C:\\T", 0, false},
      // The line holds ":\" from the argument; the command does not.
      {u"v.exe", DOC, u"v.exe", DOC, u"C:\\Launcher", u"C:\\Launcher", 0, false},
      {u"C:\\T\\r.cmd g.exe %1", u"x", u"C:\\T\\r.cmd g.exe", u"x", u"C:\\T", u"C:\\T", 0, false},
      {u"C:\\T\\o %1", u"D:\\b\\a.exe -x", u"C:\\T\\o D:\\b\\a.exe", u"-x", u"C:\\T\\o D:\\b",
       u"C:\\T", 0, false},
      {u"C:\\a.exe", u"x", u"C:\\a.exe", u"x", u"C:\\", u"C:\\", 0, false},
      {u"cmd /c D:\\j\\r.bat", u"x", u"cmd /c D:\\j\\r.bat x", u"", u"cmd /c D:\\j",
       u"cmd /c D:\\j", 0, false},
      {u"\"C:\\T\\v.exe\" %1", u"x", u"\"C:\\T\\v.exe\" x", u"", u"\"C:\\T", u"\"C:\\T", 0, false},
  };
  auto shell = std::make_unique<ShellLaunchPlan>();
  auto direct = std::make_unique<DirectLaunchPlan>();
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(Text(c.command)));
    ASSERT_EQ(PlanShellLaunch(c.command, c.runAs, c.argument, SETTINGS, *shell), READY);
    ASSERT_EQ(PlanDirectLaunch(c.command, c.argument, SETTINGS, *direct), READY);
    EXPECT_EQ(Text(shell->file) + u"|" + shell->parameters + u"|" + shell->directory + u"|" +
                  direct->directory,
              Text(c.file) + u"|" + c.parameters + u"|" + c.directory + u"|" + c.directDirectory);
    EXPECT_EQ(Text(shell->verb), Text(c.runAs == 1 ? u"runas" : u"open"));
    EXPECT_TRUE(shell->hidden == c.hidden && direct->hidden == c.hidden);
  }
}

TEST(Launch, RefusesWhatDoesNotFitOrWhatCmdWouldActOnAndLeavesNothingHalfBuilt) {
  const Text file259 = u"C:\\" + Text(PROGRAM_PATH_CAPACITY - 8, u'f') + u".exe";
  const Text folder255 = u"C:\\" + Text(WORKING_DIRECTORY_CAPACITY - 4, u'd');
  const WideChar *const RUN = u"C:\\T\\run.cmd", *const TOM = u"\"D:\\Tom & Jerry.txt\"";
  const WideChar* const VAR = u"\"D:\\%PATH%.txt\"";
  const struct {
    Text command, argument;
    LaunchPlanResult shell, direct;
  } cases[] = {
      {u"", DOC, LaunchPlanResult::NoCommand, LaunchPlanResult::NoCommand},
      {file259, DOC, READY, READY},
      {file259 + u"x", DOC, TOO_LONG, READY},
      {u"C:\\a.bat", Text(260, u'a'), TOO_LONG, READY},  // unsplit: the whole line is the file
      {folder255 + u"\\v", u"", READY, READY},
      {folder255 + u"d\\v", u"", TOO_LONG, TOO_LONG},
      {RUN, TOM, READY, READY},  // inside quotes, but "%1" then puts the & outside them:
      {RUN + Text(u" \"%1\""), u"\"D:\\a&calc.txt\"", UNSAFE, UNSAFE},
      {RUN, u"\"D:\\%PATH%.txt\"", UNSAFE, UNSAFE},
      // Not split for the shell: the name would be part of the file the shell is given.
      {u"C:\\T\\run.bat", u"\"D:\\a&b.txt\"", UNSAFE, READY},
      // cmd.exe keeps quotes unless the text after /c or /k begins with one.
      {u"C:\\Windows\\System32\\cmd.exe /c C:\\T\\run.cmd", TOM, READY, READY},
      {u"cmd.exe /k type %1", u"\"D:\\report (1).txt\"", READY, READY},
      {u"cmd.exe /c \"C:\\T\\run.cmd\"", TOM, UNSAFE, UNSAFE},
      {u"cmd.exe /k type %1", u"D:\\a&calc.exe", UNSAFE, UNSAFE},
      // Scripts and cmd itself as the program a line names, in any of its spellings.
      {u"\"C:\\My T\\run.bat  \" %1", VAR, UNSAFE, UNSAFE},
      {u"C:\\My T\\run.cmd. %1", VAR, UNSAFE, UNSAFE},
      {u"%ComSpec% /c type %1", VAR, UNSAFE, UNSAFE},
      {u"C:\\T\\mycmd.exe", VAR, READY, READY},
      {u"C:\\T\\run.cmdx", VAR, READY, READY},
      // What cmd.exe acts on: operators outside quotes, expansion and line breaks anywhere.
      {RUN + Text(u" %1"), u"D:\\a^b.txt", UNSAFE, UNSAFE},
      {RUN, u"\"D:\\hi!.txt\"", UNSAFE, UNSAFE},
      {RUN, u"D:\\a.txt\r\nx", UNSAFE, UNSAFE},
      {RUN + Text(u" %1 \"x&y\""), u"\"D:\\a.txt", UNSAFE, UNSAFE},  // an unbalanced quote
      {RUN + Text(u" x&y"), DOC, READY, READY},  // the command's own operators are its own
      {RUN, u"\"C:\\Files (x86)\\a^b.txt\"", READY, READY},
      // Only the program decides who reads the line, not the target's own name.
      {u"C:\\T\\viewer.exe", u"C:\\scripts\\deploy!.cmd", READY, READY},
      {u"C:\\T\\viewer.exe \"%1\"", u"\"D:\\a&calc.txt\"", READY, READY},
      {u"C:\\T\\viewer.exe", u"\"D:\\%PATH%.txt\"", READY, READY},
  };
  auto shell = std::make_unique<ShellLaunchPlan>();
  auto direct = std::make_unique<DirectLaunchPlan>();
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.command.substr(0, 40) + u" " + c.argument));
    EXPECT_EQ(PlanShellLaunch(c.command.c_str(), 0, c.argument.c_str(), SETTINGS, *shell), c.shell);
    EXPECT_EQ(PlanDirectLaunch(c.command.c_str(), c.argument.c_str(), SETTINGS, *direct), c.direct);
    // Refused, not cut: nothing half-built is left to start.
    EXPECT_EQ((Text(shell->file) + shell->parameters).empty(), c.shell != READY);
    EXPECT_EQ(Text(direct->commandLine).empty(), c.direct != READY);
  }
}
