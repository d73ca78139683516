#include "launch/slot_launch_win.h"

#include <shellapi.h>

#include "common/system_message_win.h"

namespace {
// Plans hold whole command lines (up to 64 KB); the one UI thread launches one
// at a time, so they live in static storage rather than on the stack.
ShellLaunchPlan shellPlan;
DirectLaunchPlan directPlan;
}  // namespace

LaunchOutcome LaunchThroughShell(const CommandSlot& slot, const wchar_t* argument,
                                 const wchar_t* settingsPath) {
  LaunchPlanResult result =
      PlanShellLaunch(slot.command, slot.runAs, argument, settingsPath, shellPlan);
  if (result != LaunchPlanResult::Ready) return {result, ERROR_SUCCESS};

  SetCurrentDirectoryW(shellPlan.directory);
  SHELLEXECUTEINFOW execute = {sizeof execute};
  execute.fMask = SEE_MASK_UNICODE | SEE_MASK_FLAG_NO_UI | SEE_MASK_DOENVSUBST;
  execute.hwnd = GetDesktopWindow();
  execute.lpVerb = shellPlan.verb;
  execute.lpFile = shellPlan.file;
  execute.lpParameters = shellPlan.parameters;
  execute.lpDirectory = shellPlan.directory;
  execute.nShow = shellPlan.hidden ? SW_HIDE : SW_SHOWNORMAL;
  // A declined elevation fails too (ERROR_CANCELLED): the window stays for another try.
  if (!ShellExecuteExW(&execute)) return {LaunchPlanResult::StartFailed, GetLastError()};
  return {LaunchPlanResult::Ready, ERROR_SUCCESS};
}

LaunchOutcome LaunchDirectly(const CommandSlot& slot, const wchar_t* argument,
                             const wchar_t* settingsPath) {
  LaunchPlanResult result = PlanDirectLaunch(slot.command, argument, settingsPath, directPlan);
  if (result != LaunchPlanResult::Ready) return {result, ERROR_SUCCESS};

  SetCurrentDirectoryW(directPlan.directory);
  STARTUPINFOW startup = {sizeof startup};
  if (directPlan.hidden) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  PROCESS_INFORMATION process = {};
  // CreateProcessW may write into the command line, so it gets the plan's own buffer.
  if (!CreateProcessW(nullptr, directPlan.commandLine, nullptr, nullptr, FALSE,
                      NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
    return {LaunchPlanResult::StartFailed, GetLastError()};
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {LaunchPlanResult::Ready, ERROR_SUCCESS};
}

void DescribeUnstartedLaunch(const LaunchOutcome& outcome, wchar_t (&text)[LAUNCH_REPORT_UNITS]) {
  switch (outcome.result) {
    case LaunchPlanResult::TooLong:
      CopyText(text, L"長すぎて Windows に渡せないため起動しません");
      return;
    case LaunchPlanResult::UnsafeForCmd:
      CopyText(text, L"cmd.exe が解釈する文字を含む名前のため起動しません");
      return;
    default:
      break;
  }
  CopyText(text, L"起動できません: ");
  AppendSystemMessage(outcome.error, text, LAUNCH_REPORT_UNITS);
}
