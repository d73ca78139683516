// What cmd.exe would do with a file name handed to a batch script, and the
// launches that are refused for it.

#include "launch/cmd_line_rules.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "launch/launch_rules.h"

namespace {

using Text = std::u16string;

TEST(CmdReader, ScriptsAndCmdItselfAmongTheProgramsALineMayName) {
  struct Case {
    const char* name;
    const WideChar* line;
    CmdReader reader;
  };
  const Case cases[] = {
      {"script", u"C:\\Tools\\build.cmd D:\\a.txt", CmdReader::Script},
      {"batch file in capitals", u"C:\\TOOLS\\BUILD.BAT", CmdReader::Script},
      {"quoted script", u"\"C:\\My Tools\\run.cmd\" \"x\"", CmdReader::Script},
      {"trailing dot still a script", u"C:\\Tools\\run.cmd. x", CmdReader::Script},
      {"trailing blanks in quotes", u"  \"C:\\Tools\\run.bat  \" x", CmdReader::Script},
      {"unquoted folder with a blank", u"C:\\My Tools\\run.cmd x", CmdReader::Script},
      {"a later prefix counts", u"C:\\Tools\\viewer.exe D:\\a.cmd", CmdReader::Script},
      {"cmd by its bare name", u"cmd /c x", CmdReader::Interpreter},
      {"cmd.exe with a folder", u"C:\\Windows\\System32\\CMD.EXE /c x", CmdReader::Interpreter},
      {"ComSpec for the shell", u"%ComSpec% /c x", CmdReader::Interpreter},
      {"program", u"C:\\Tools\\viewer.exe D:\\a.txt", CmdReader::None},
      {"quote ends the prefixes", u"C:\\Tools\\viewer.exe \"D:\\a.cmd\"", CmdReader::None},
      {"quoted program only", u"\"C:\\Tools\\viewer.exe\" C:\\x.cmd", CmdReader::None},
      {"longer extension", u"C:\\Tools\\build.cmdx", CmdReader::None},
      {"name ending in cmd.exe", u"C:\\Tools\\mycmd.exe x", CmdReader::None},
      {".bat inside the name", u"C:\\Tools\\a.bat.exe x", CmdReader::None},
      {"empty", u"", CmdReader::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CmdReaderOf(c.line, std::u16string(c.line).size()), c.reader);
  }
}

TEST(CmdReader, ActsOnOperatorsOutsideQuotesAndExpansionAnywhere) {
  struct Case {
    const char* name;
    Text before;  // the command's text ahead of the argument
    Text argument;
    Text after;
    CmdReader reader;
    bool acts;
  };
  const Text RUN = u"C:\\Tools\\run.cmd ";
  const Case cases[] = {
      {"plain quoted path", RUN, u"\"D:\\docs\\a.txt\"", u"", CmdReader::Script, false},
      {"plain unquoted path", RUN, u"D:\\docs\\a.txt", u"", CmdReader::Script, false},
      {"empty argument", RUN, u"", u"", CmdReader::Script, false},
      {"ampersand in quotes", RUN, u"\"D:\\Tom & Jerry.txt\"", u"", CmdReader::Script, false},
      {"caret and brackets in quotes", RUN, u"\"C:\\Files (x86)\\a^b.txt\"", u"", CmdReader::Script,
       false},
      {"beyond the plane", RUN, u"\"D:\\\U0001D11E.txt\"", u"", CmdReader::Script, false},
      {"operators of the command itself", u"C:\\Tools\\run.cmd x&y ", u"D:\\a.txt", u"",
       CmdReader::Script, false},
      {"%1 in quotes leaves the ampersand bare", RUN + u"\"", u"\"D:\\a&calc.txt\"", u"\"",
       CmdReader::Script, true},
      {"unquoted ampersand", RUN, u"D:\\a&calc.txt", u"", CmdReader::Script, true},
      {"unquoted caret", RUN, u"D:\\a^b.txt", u"", CmdReader::Script, true},
      {"unquoted bracket", RUN, u"D:\\a(1).txt", u"", CmdReader::Script, true},
      {"unquoted pipe", RUN, u"D:\\a|b.txt", u"", CmdReader::Script, true},
      {"unquoted redirection", RUN, u"D:\\a>b.txt", u"", CmdReader::Script, true},
      {"percent in quotes", RUN, u"\"D:\\%PATH%.txt\"", u"", CmdReader::Script, true},
      {"exclamation mark in quotes", RUN, u"\"D:\\hi!.txt\"", u"", CmdReader::Script, true},
      {"line break", RUN, u"D:\\a.txt\r\nx", u"", CmdReader::Script, true},
      {"unbalanced quote turns the tail", RUN, u"\"D:\\a.txt", u" \"x&y\"", CmdReader::Script,
       true},
      {"cmd itself: no quoting protects", u"cmd /c \"C:\\run.cmd\" ", u"\"D:\\Tom & Jerry.txt\"",
       u"", CmdReader::Interpreter, true},
      {"cmd itself: plain path", u"cmd /c C:\\run.cmd ", u"\"D:\\a b.txt\"", u"",
       CmdReader::Interpreter, false},
      {"not read by cmd", u"C:\\Tools\\viewer.exe ", u"D:\\a&b%PATH%.txt", u"", CmdReader::None,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Text line = c.before + c.argument + c.after;
    EXPECT_EQ(CmdWouldActOnArgument(line.c_str(), c.before.size(), c.argument.size(), c.reader),
              c.acts);
  }
}

// Both launch paths refuse what cmd.exe would act on, leave nothing half-built,
// and start every other program as before.
TEST(CmdReader, LaunchesRefusedForScriptsOnly) {
  const WideChar* const SETTINGS = u"C:\\Launcher\\Pivora64.ini";
  const LaunchPlanResult READY = LaunchPlanResult::Ready;
  const LaunchPlanResult UNSAFE = LaunchPlanResult::UnsafeForCmd;
  struct Case {
    const char* name;
    const WideChar* command;
    const WideChar* argument;
    LaunchPlanResult shell;
    LaunchPlanResult direct;
  };
  const Case cases[] = {
      {"script, quoted name", u"C:\\Tools\\run.cmd", u"\"D:\\Tom & Jerry.txt\"", READY, READY},
      {"script, %1 in quotes", u"C:\\Tools\\run.cmd \"%1\"", u"\"D:\\a&calc.txt\"", UNSAFE, UNSAFE},
      {"script, unquoted name", u"C:\\Tools\\run.cmd %1", u"D:\\a&calc.txt", UNSAFE, UNSAFE},
      {"script, variable in the name", u"C:\\Tools\\run.cmd", u"\"D:\\%PATH%.txt\"", UNSAFE,
       UNSAFE},
      // Not split for the shell: the name would be part of the file the shell is given.
      {"batch file, quoted name", u"C:\\Tools\\run.bat", u"\"D:\\a&b.txt\"", UNSAFE, READY},
      // cmd.exe keeps quotes unless the text after /c or /k begins with one.
      {"cmd.exe running a script", u"C:\\Windows\\System32\\cmd.exe /c C:\\Tools\\run.cmd",
       u"\"D:\\Tom & Jerry.txt\"", READY, READY},
      {"cmd.exe /k type, brackets in quotes", u"cmd.exe /k type %1", u"\"D:\\report (1).txt\"",
       READY, READY},
      {"cmd.exe /c text opening with a quote", u"cmd.exe /c \"C:\\Tools\\run.cmd\"",
       u"\"D:\\Tom & Jerry.txt\"", UNSAFE, UNSAFE},
      {"cmd.exe /k type, bare ampersand", u"cmd.exe /k type %1", u"D:\\a&calc.exe", UNSAFE, UNSAFE},
      {"cmd.exe /k type, variable", u"cmd.exe /k type %1", u"\"D:\\%PATH%.txt\"", UNSAFE, UNSAFE},
      // Only the program decides who reads the line, not the target's own name.
      {"program given an unquoted script", u"C:\\Tools\\viewer.exe", u"C:\\scripts\\deploy!.cmd",
       READY, READY},
      {"program, %1 in quotes", u"C:\\Tools\\viewer.exe \"%1\"", u"\"D:\\a&calc.txt\"", READY,
       READY},
      {"program, variable in the name", u"C:\\Tools\\viewer.exe", u"\"D:\\%PATH%.txt\"", READY,
       READY},
      {"script, plain name", u"C:\\Tools\\run.cmd", u"\"D:\\docs\\a.txt\"", READY, READY},
  };
  auto shell = std::make_unique<ShellLaunchPlan>();
  auto direct = std::make_unique<DirectLaunchPlan>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlanShellLaunch(c.command, 0, c.argument, SETTINGS, *shell), c.shell);
    EXPECT_EQ(PlanDirectLaunch(c.command, c.argument, SETTINGS, *direct), c.direct);
    if (c.shell != READY) {
      EXPECT_EQ(Text(shell->file), Text());
      EXPECT_EQ(Text(shell->parameters), Text());
    }
    if (c.direct != READY) {
      EXPECT_EQ(Text(direct->commandLine), Text());
    }
  }
}

}  // namespace
