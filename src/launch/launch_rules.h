#pragma once
// Turning a slot's command and the launcher's arguments into what is started.
// Texts are carried whole up to what the platform accepts; a launch that cannot be
// carried whole is refused rather than cut, since a cut line runs the wrong program
// or hands on the wrong file.

#include "common/wide_text.h"

// CreateProcessW takes at most 32,767 units, terminator included: 32,766 of text.
constexpr size_t COMMAND_LINE_CAPACITY = 32767;
// A program the shell opens is a file path.
constexpr size_t PROGRAM_PATH_CAPACITY = 260;
// SetCurrentDirectoryW takes fewer than MAX_PATH units.
constexpr size_t WORKING_DIRECTORY_CAPACITY = 256;

enum class LaunchPlanResult {
  Ready,      // the plan holds whole texts
  NoCommand,  // the slot's command is empty: nothing to start
  TooLong,    // a text would not fit the platform: refuse, leave the window open
  UnsafeForCmd,  // cmd.exe would act on characters of the argument: refuse, leave the window open
  StartFailed,   // planned, but the system did not start it: leave the window open
};

// The first "%1" of command (only the first) becomes argument; without one, a
// space and argument are appended (also when argument is empty).
LaunchPlanResult ComposeCommandLine(const WideChar* command, const WideChar* argument,
                                    WideChar (&line)[COMMAND_LINE_CAPACITY]);

// The folder a launch runs in: the folder of text when it holds ":\" anywhere,
// else the folder of the settings file; the trailing name is removed as
// PathRemoveFileSpecW does (a drive root keeps its backslash).
LaunchPlanResult ChooseWorkingDirectory(const WideChar* text, const WideChar* settingsPath,
                                        WideChar (&directory)[WORKING_DIRECTORY_CAPACITY]);

// PathRemoveFileSpecW on a text in place.
void RemoveFileSpec(WideChar* path);

// ".cmd" scripts start hidden; the test looks at the slot's command, not the line.
bool StartsHidden(const WideChar* command);

// Through the shell: program and parameters split at the first ".exe " of the line
// (case-sensitive), or only if there is none at the first ".cmd "; else the whole
// line is the program and the parameters are empty. The shell hands a script (or
// cmd.exe) the program quoted and the parameters after it to cmd.exe.
struct ShellLaunchPlan {
  WideChar file[PROGRAM_PATH_CAPACITY];
  WideChar parameters[COMMAND_LINE_CAPACITY];
  WideChar directory[WORKING_DIRECTORY_CAPACITY];
  const WideChar* verb;  // "runas" or "open"
  bool hidden;
};
LaunchPlanResult PlanShellLaunch(const WideChar* command, int runAs, const WideChar* argument,
                                 const WideChar* settingsPath, ShellLaunchPlan& plan);

// Directly, for a hotkey: the whole line to CreateProcessW; runAs plays no part.
// For a script, cmd.exe reads that very line.
struct DirectLaunchPlan {
  WideChar commandLine[COMMAND_LINE_CAPACITY];
  WideChar directory[WORKING_DIRECTORY_CAPACITY];
  bool hidden;
};
LaunchPlanResult PlanDirectLaunch(const WideChar* command, const WideChar* argument,
                                  const WideChar* settingsPath, DirectLaunchPlan& plan);
