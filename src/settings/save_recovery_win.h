#pragma once
// What a start, and every save before it writes, does with what an unfinished
// save left beside the settings file (see save_copy_rules.h): the copy of a cut
// save is put back, and what it replaces is kept; every other leftover goes.

#include <windows.h>

#include "settings/save_copy_rules.h"

enum class StartRecovery {
  NothingToDo,
  Restored,  // the settings are back as they were before a cut save; what they replaced is kept
  Failed,    // a cut save's copy could not be put back; it stays for the next try
  Skipped,   // another launcher held the file's lock past the wait: nothing was looked at
};

struct RecoveryResult {
  StartRecovery outcome;
  // The system's code for why the recovery failed, or why a leftover (a copy that
  // must not be put back, its record, a partial copy) is still there: a save that
  // would need the names cannot begin. ERROR_SUCCESS when every name is free.
  DWORD error;
};

// Under the settings lock, once it is owned, before anything is read from the file.
RecoveryResult Recover(const wchar_t* settingsPath, const SaveCopyPaths& paths);
StartRecovery RecoverUnfinishedSave(const wchar_t* settingsPath);

// A whole copy of no more use (its save finished, or the file holds its bytes): it
// is deleted, and its done record with it; where another program holds it, the
// record is written instead, so that it is never put back. False when neither
// worked: the copy still looks like a cut save's. stays receives the deletion's
// error while the copy is there, else ERROR_SUCCESS.
bool RetireCopy(const SaveCopyPaths& paths, DWORD& stays);
