// A slot's command and the launcher's arguments composed into what is started,
// directly and through the shell: either refused, or carrying every text whole.
// Input: command, argument, settings path (long texts), a byte for runAs.

#include <memory>

#include "common/path_rules.h"
#include "fuzz_input.h"
#include "launch/launch_rules.h"

namespace {

// The line-sized outputs are static: a fresh heap block for each input would cost
// more in page faults than the rules themselves. Globals keep their redzones.

// The line as the user reads the rule: the first "%1" replaced, else appended.
Text ComposedLine(const Text& command, const Text& argument) {
  size_t placeholder = command.find(WIDE("%1"));
  if (placeholder == Text::npos) return command + WIDE(" ") + argument;
  return command.substr(0, placeholder) + argument + command.substr(placeholder + 2);
}

// The folder a launch runs in, worked out in place on an exact copy of its source.
Text FolderOf(const Text& text, const Text& settingsPath) {
  std::vector<WideChar> folder =
      Terminated(text.find(WIDE(":\\")) != Text::npos ? text : settingsPath);
  RemoveFileSpec(folder.data());
  return Text(folder.data());
}

bool IsCmdExtension(const Text& command) {
  std::vector<WideChar> units = Terminated(command);
  Text extension(FindExtension(units.data()));
  if (extension.size() != 4) return false;
  for (WideChar& unit : extension) {
    if (unit >= 'A' && unit <= 'Z') unit = static_cast<WideChar>(unit - 'A' + 'a');
  }
  return extension == WIDE(".cmd");
}

// A launch may be refused for cmd.exe's sake only when cmd.exe could be the reader
// (the line names a .bat or .cmd file, or cmd itself) and the argument holds a unit
// cmd.exe acts on; a plain program's argument never is.
bool CmdMayObject(const Text& line, const Text& argument) {
  Text folded = line;
  for (WideChar& unit : folded) {
    if (unit >= 'A' && unit <= 'Z') unit = static_cast<WideChar>(unit - 'A' + 'a');
  }
  bool cmdReads = folded.find(WIDE(".bat")) != Text::npos ||
                  folded.find(WIDE(".cmd")) != Text::npos || folded.find(WIDE("cmd")) != Text::npos ||
                  folded.find(WIDE("comspec")) != Text::npos;
  bool special = false;
  for (WideChar unit : argument) special = special || unit < 0x20 || Text(WIDE("%!&|<>^()\"")).find(unit) != Text::npos;
  return cmdReads && special;
}

void CheckCompose(const Text& command, const Text& argument) {
  static HeapBuffer<COMMAND_LINE_CAPACITY> line;
  Scribble(line.units);
  LaunchPlanResult result =
      ComposeCommandLine(Terminated(command).data(), Terminated(argument).data(), line.units);
  Text expected = ComposedLine(command, argument);
  Text got = TextIn(line.units);
  if (command.empty()) {
    Check(result == LaunchPlanResult::NoCommand && got.empty(), "empty command: nothing");
  } else if (expected.size() >= COMMAND_LINE_CAPACITY) {
    Check(result == LaunchPlanResult::TooLong && got.empty(), "too long: refused, nothing cut");
  } else {
    Check(result == LaunchPlanResult::Ready && got == expected, "line carries the whole argument");
  }
}

void CheckDirect(const Text& command, const Text& argument, const Text& settingsPath) {
  static DirectLaunchPlan plan;
  Scribble(plan.commandLine);
  Scribble(plan.directory);
  LaunchPlanResult result =
      PlanDirectLaunch(Terminated(command).data(), Terminated(argument).data(),
                       Terminated(settingsPath).data(), plan);
  Text line = TextIn(plan.commandLine);
  Text directory = TextIn(plan.directory);
  Check(plan.hidden == IsCmdExtension(command), "direct: hidden exactly for .cmd commands");

  Text expected = ComposedLine(command, argument);
  Text folder = FolderOf(command, settingsPath);
  if (command.empty()) {
    Check(result == LaunchPlanResult::NoCommand && line.empty(), "direct: empty command");
  } else if (expected.size() >= COMMAND_LINE_CAPACITY ||
             folder.size() >= WORKING_DIRECTORY_CAPACITY) {
    // Either refusal may come first when both apply.
    bool refused = result == LaunchPlanResult::TooLong ||
                   (result == LaunchPlanResult::UnsafeForCmd && CmdMayObject(expected, argument));
    Check(refused && line.empty() && directory.empty(), "direct: refused whole");
  } else if (result == LaunchPlanResult::UnsafeForCmd) {
    Check(CmdMayObject(expected, argument) && line.empty(), "direct: refused for cmd.exe only with cause");
  } else {
    Check(result == LaunchPlanResult::Ready, "direct: ready when everything fits");
    Check(line == expected, "direct: line carries the whole argument");
    Check(directory == folder, "direct: folder of the command or the settings file");
  }
}

void CheckShell(const Text& command, int runAs, const Text& argument, const Text& settingsPath) {
  static ShellLaunchPlan plan;
  Scribble(plan.file);
  Scribble(plan.parameters);
  Scribble(plan.directory);
  LaunchPlanResult result =
      PlanShellLaunch(Terminated(command).data(), runAs, Terminated(argument).data(),
                      Terminated(settingsPath).data(), plan);
  Text file = TextIn(plan.file);
  Text parameters = TextIn(plan.parameters);
  Text directory = TextIn(plan.directory);
  Check(Text(plan.verb) == (runAs == 1 ? WIDE("runas") : WIDE("open")), "shell: verb");
  Check(plan.hidden == IsCmdExtension(command), "shell: hidden exactly for .cmd commands");

  Text line = ComposedLine(command, argument);
  size_t split = line.find(WIDE(".exe "));
  if (split == Text::npos) split = line.find(WIDE(".cmd "));
  Text expectedFile = split == Text::npos ? line : line.substr(0, split + 4);
  Text expectedParameters = split == Text::npos ? Text() : line.substr(split + 5);
  if (command.empty()) {
    Check(result == LaunchPlanResult::NoCommand && file.empty() && parameters.empty(),
          "shell: empty command");
    return;
  }
  bool fits = line.size() < COMMAND_LINE_CAPACITY && expectedFile.size() < PROGRAM_PATH_CAPACITY &&
              FolderOf(expectedFile, settingsPath).size() < WORKING_DIRECTORY_CAPACITY;
  if (!fits) {
    bool refused = result == LaunchPlanResult::TooLong ||
                   (result == LaunchPlanResult::UnsafeForCmd && CmdMayObject(line, argument));
    Check(refused && file.empty() && parameters.empty() && directory.empty(),
          "shell: refused whole");
    return;
  }
  if (result == LaunchPlanResult::UnsafeForCmd) {
    Check(CmdMayObject(line, argument) && file.empty() && parameters.empty(),
          "shell: refused for cmd.exe only with cause");
    return;
  }
  Check(result == LaunchPlanResult::Ready, "shell: ready when everything fits");
  Check(file == expectedFile && parameters == expectedParameters,
        "shell: program and parameters split the whole line");
  Check(directory == FolderOf(file, settingsPath), "shell: folder of the program or settings");
  Check(HasPrefix(file.find(WIDE(":\\")) != Text::npos ? file : settingsPath, directory),
        "shell: folder is a leading part of its source");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  Text command = input.TakeLongText(1000);
  Text argument = input.TakeLongText(COMMAND_LINE_UNITS);
  Text settingsPath = input.TakeLongText(1000);
  int runAs = input.InRange(-1, 2);
  CheckCompose(command, argument);
  CheckDirect(command, argument, settingsPath);
  CheckShell(command, runAs, argument, settingsPath);
  return 0;
}
