#include "launch/launch_rules.h"

#include "common/path_rules.h"
#include "launch/cmd_line_rules.h"

static const WideChar RUNAS_VERB[] = WIDE("runas");
static const WideChar OPEN_VERB[] = WIDE("open");
static const WideChar CMD_EXTENSION[] = WIDE(".cmd");

// The first occurrence of needle in text, or null.
static const WideChar* FindText(const WideChar* text, const WideChar* needle) {
  for (const WideChar* start = text; *start != 0; ++start) {
    size_t i = 0;
    while (needle[i] != 0 && start[i] == needle[i]) ++i;
    if (needle[i] == 0) return start;
  }
  return nullptr;
}

// Copies exactly count units of source to dest and terminates; the caller has
// checked that count < capacity.
static void CopyUnits(WideChar* dest, size_t capacity, const WideChar* source, size_t count) {
  if (count >= capacity) count = capacity - 1;
  for (size_t i = 0; i < count; ++i) dest[i] = source[i];
  dest[count] = 0;
}

// How many units of path PathRemoveFileSpecW keeps. Worked out without writing so
// that a text too long for the directory buffer can still yield a folder that fits.
static size_t FolderLength(const WideChar* path) {
  size_t scan = 0;
  // A UNC or rooted path keeps its leading backslashes.
  if (path[scan] == '\\') ++scan;
  if (path[scan] == '\\') ++scan;
  size_t cut = scan;
  for (; path[scan] != 0; ++scan) {
    if (path[scan] == '\\') {
      cut = scan;
    } else if (path[scan] == ':') {
      cut = scan + 1;
      // "C:\" keeps its backslash: it is the root, not a separator before a name.
      if (path[scan + 1] == '\\') {
        ++scan;
        cut = scan + 1;
      }
    }
  }
  return path[cut] != 0 ? cut : scan;
}

void RemoveFileSpec(WideChar* path) { path[FolderLength(path)] = 0; }

// Where the argument goes in the line: after head units of command (and a blank
// when there is no "%1"), followed by tail units of command.
struct ArgumentPlace {
  const WideChar* placeholder;
  size_t head;
  size_t gap;
  size_t tail;
};

static ArgumentPlace PlaceArgument(const WideChar* command) {
  const WideChar* placeholder = FindText(command, WIDE("%1"));
  size_t commandLength = TextLength(command);
  if (placeholder == nullptr) return {nullptr, commandLength, 1, 0};
  size_t head = static_cast<size_t>(placeholder - command);
  return {placeholder, head, 0, commandLength - head - 2};
}

// Where the argument begins in the composed line.
static size_t ArgumentStart(const WideChar* command) {
  ArgumentPlace place = PlaceArgument(command);
  return place.head + place.gap;
}

LaunchPlanResult ComposeCommandLine(const WideChar* command, const WideChar* argument,
                                    WideChar (&line)[COMMAND_LINE_CAPACITY]) {
  line[0] = 0;
  if (TextIsEmpty(command)) return LaunchPlanResult::NoCommand;
  size_t argumentLength = TextLength(argument);
  ArgumentPlace place = PlaceArgument(command);
  if (place.head + place.gap + argumentLength + place.tail >= COMMAND_LINE_CAPACITY) {
    return LaunchPlanResult::TooLong;
  }

  size_t at = 0;
  CopyUnits(line + at, COMMAND_LINE_CAPACITY - at, command, place.head);
  at += place.head;
  if (place.gap != 0) line[at++] = ' ';
  CopyUnits(line + at, COMMAND_LINE_CAPACITY - at, argument, argumentLength);
  at += argumentLength;
  if (place.placeholder != nullptr) {
    CopyUnits(line + at, COMMAND_LINE_CAPACITY - at, place.placeholder + 2, place.tail);
  }
  return LaunchPlanResult::Ready;
}

LaunchPlanResult ChooseWorkingDirectory(const WideChar* text, const WideChar* settingsPath,
                                        WideChar (&directory)[WORKING_DIRECTORY_CAPACITY]) {
  directory[0] = 0;
  const WideChar* source = FindText(text, WIDE(":\\")) != nullptr ? text : settingsPath;
  size_t kept = FolderLength(source);
  if (kept >= WORKING_DIRECTORY_CAPACITY) return LaunchPlanResult::TooLong;
  CopyUnits(directory, WORKING_DIRECTORY_CAPACITY, source, kept);
  return LaunchPlanResult::Ready;
}

bool StartsHidden(const WideChar* command) {
  return TextEqualsIgnoringAsciiCase(FindExtension(command), CMD_EXTENSION);
}

LaunchPlanResult PlanShellLaunch(const WideChar* command, int runAs, const WideChar* argument,
                                 const WideChar* settingsPath, ShellLaunchPlan& plan) {
  plan.file[0] = 0;
  plan.directory[0] = 0;
  plan.verb = runAs == 1 ? RUNAS_VERB : OPEN_VERB;
  plan.hidden = StartsHidden(command);

  // The line is composed where the parameters end up, so no second line-sized buffer
  // is needed; the parameters are then moved to its start.
  WideChar* line = plan.parameters;
  LaunchPlanResult composed = ComposeCommandLine(command, argument, plan.parameters);
  if (composed != LaunchPlanResult::Ready) return composed;

  const WideChar* split = FindText(line, WIDE(".exe "));
  if (split == nullptr) split = FindText(line, WIDE(".cmd "));
  size_t fileLength = split != nullptr ? static_cast<size_t>(split - line) + 4 : TextLength(line);
  if (fileLength >= PROGRAM_PATH_CAPACITY) {
    line[0] = 0;
    return LaunchPlanResult::TooLong;
  }
  CopyUnits(plan.file, PROGRAM_PATH_CAPACITY, line, fileLength);

  // cmd.exe gets the file quoted and reads the parameters from their start; an
  // argument that reaches into the file is held to the strictest reading.
  size_t parametersStart = split != nullptr ? fileLength + 1 : TextLength(line);
  size_t argumentStart = ArgumentStart(command);
  size_t argumentLength = TextLength(argument);
  CmdReader reader = CmdReaderOf(plan.file, fileLength);
  bool unsafe = false;
  if (argumentStart >= parametersStart) {
    unsafe = CmdWouldActOnArgument(line + parametersStart, argumentStart - parametersStart,
                                   argumentLength, reader);
  } else if (reader != CmdReader::None) {
    unsafe = CmdWouldActOnArgument(line, argumentStart, argumentLength, CmdReader::Interpreter);
  }
  if (unsafe) {
    plan.file[0] = 0;
    line[0] = 0;
    return LaunchPlanResult::UnsafeForCmd;
  }

  size_t to = 0;
  if (split != nullptr) {
    // Moving towards the start, so each unit is read before it is overwritten.
    for (size_t from = fileLength + 1; line[from] != 0; ++from) line[to++] = line[from];
  }
  line[to] = 0;

  LaunchPlanResult folder = ChooseWorkingDirectory(plan.file, settingsPath, plan.directory);
  if (folder != LaunchPlanResult::Ready) {
    plan.file[0] = 0;
    line[0] = 0;
  }
  return folder;
}

LaunchPlanResult PlanDirectLaunch(const WideChar* command, const WideChar* argument,
                                  const WideChar* settingsPath, DirectLaunchPlan& plan) {
  plan.directory[0] = 0;
  plan.hidden = StartsHidden(command);
  LaunchPlanResult composed = ComposeCommandLine(command, argument, plan.commandLine);
  if (composed != LaunchPlanResult::Ready) return composed;
  size_t argumentStart = ArgumentStart(command);
  if (CmdWouldActOnArgument(plan.commandLine, argumentStart, TextLength(argument),
                            CmdReaderOf(plan.commandLine, argumentStart))) {
    plan.commandLine[0] = 0;
    return LaunchPlanResult::UnsafeForCmd;
  }
  // CreateProcessW finds the program itself; the folder comes from the slot's command.
  LaunchPlanResult folder = ChooseWorkingDirectory(command, settingsPath, plan.directory);
  if (folder != LaunchPlanResult::Ready) plan.commandLine[0] = 0;
  return folder;
}
