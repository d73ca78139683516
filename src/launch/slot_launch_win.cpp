#include "launch/slot_launch_win.h"

#include <shellapi.h>

namespace {
// Plans hold whole command lines (up to 64 KB); the one UI thread launches one
// at a time, so they live in static storage rather than on the stack.
ShellLaunchPlan shellPlan;
DirectLaunchPlan directPlan;
}  // namespace

LaunchPlanResult LaunchThroughShell(const CommandSlot& slot, const wchar_t* argument,
                                    const wchar_t* settingsPath) {
  LaunchPlanResult result =
      PlanShellLaunch(slot.command, slot.runAs, argument, settingsPath, shellPlan);
  if (result != LaunchPlanResult::Ready) return result;

  SetCurrentDirectoryW(shellPlan.directory);
  SHELLEXECUTEINFOW execute = {sizeof execute};
  execute.fMask = SEE_MASK_UNICODE | SEE_MASK_FLAG_NO_UI | SEE_MASK_DOENVSUBST;
  execute.hwnd = GetDesktopWindow();
  execute.lpVerb = shellPlan.verb;
  execute.lpFile = shellPlan.file;
  execute.lpParameters = shellPlan.parameters;
  execute.lpDirectory = shellPlan.directory;
  execute.nShow = shellPlan.hidden ? SW_HIDE : SW_SHOWNORMAL;
  ShellExecuteExW(&execute);  // a failed start is not reported; the window closes all the same
  return result;
}

LaunchPlanResult LaunchDirectly(const CommandSlot& slot, const wchar_t* argument,
                                const wchar_t* settingsPath) {
  LaunchPlanResult result = PlanDirectLaunch(slot.command, argument, settingsPath, directPlan);
  if (result != LaunchPlanResult::Ready) return result;

  SetCurrentDirectoryW(directPlan.directory);
  STARTUPINFOW startup = {sizeof startup};
  if (directPlan.hidden) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  PROCESS_INFORMATION process = {};
  // CreateProcessW may write into the command line, so it gets the plan's own buffer.
  CreateProcessW(nullptr, directPlan.commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                 nullptr, nullptr, &startup, &process);
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);
  return result;
}
