#pragma once
// Where a save keeps the settings file as it was until its new bytes are on the
// disk, and what a start makes of what an unfinished save left there.

#include "common/wide_text.h"
#include "settings/settings_path.h"

// A copy's path: the settings path, a suffix, and room for the "\\?\UNC" prefix
// a copy needs when it passes the classic path limit.
constexpr size_t SAVE_COPY_PATH_UNITS = SETTINGS_PATH_UNITS + 40;

// "<settings>.before-save" is the whole copy: it exists only under that name once
// every byte is written and flushed. "<settings>.before-save.partial" is the copy
// being written. A copy that would pass MAX_PATH takes the "\\?\" form (drive
// paths) or "\\?\UNC\" (shares). False, with both empty, when a path would not
// fit; the settings path itself (at most 259 units) always does.
bool SaveCopyPathsOf(const WideChar* settingsPath, WideChar (&wholeCopy)[SAVE_COPY_PATH_UNITS],
                     WideChar (&partialCopy)[SAVE_COPY_PATH_UNITS]);

// What a start, and a save before its first write, does with what it finds. A
// whole copy means the last save did not finish: its bytes go back into the
// settings file, and the user is told, unless the file still holds exactly those
// bytes (the save stopped before it wrote), when the copy is only deleted. A
// partial copy is always just deleted: the settings file is never written while
// one exists.
struct RecoveryPlan {
  bool restoreWholeCopy;  // write the copy's bytes into the settings file, in place
  bool deleteWholeCopy;   // after the restore, if any, is on the disk
  bool deletePartialCopy;
  bool tellUser;  // the settings changed back: a recent edit may be missing
};
RecoveryPlan PlanRecovery(bool wholeCopyFound, bool copyMatchesFile, bool partialCopyFound);
