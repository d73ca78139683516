#pragma once
// What the user is told when the settings file could not be written, or was put
// back after a save that did not finish.

#include <windows.h>

#include "settings/save_recovery_win.h"

// The close's warning box, owned by the launcher: the settings could not be
// saved, with the system's message for error. True for 再試行 (retry), false for
// キャンセル (give up: the file stays as it was).
bool AskToRetrySave(HWND owner, DWORD error);

// One line for the status bar, while the window stays open.
constexpr size_t SAVE_REPORT_UNITS = 256;
void DescribeSaveFailure(DWORD error, wchar_t (&text)[SAVE_REPORT_UNITS]);
// A link typed longer than the settings file may hold: stored cut it would name another section.
extern const wchar_t LINK_TOO_LONG_TEXT[];
// What a recovery did to the settings file, naming where what it replaced is kept;
// false when there is nothing to say.
bool DescribeRecovery(StartRecovery recovery, const wchar_t* settingsPath,
                      wchar_t (&text)[SAVE_REPORT_UNITS]);

INT_PTR CALLBACK SaveFailedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
