#pragma once
// Where a save keeps the settings file as it was until its new bytes are on the
// disk, and what a start makes of what an unfinished save left there.

#include "common/wide_text.h"
#include "settings/settings_path.h"

// A copy's path: the settings path, a suffix, and room for the "\\?\UNC" prefix
// a copy needs when it passes the classic path limit.
constexpr size_t SAVE_COPY_PATH_UNITS = SETTINGS_PATH_UNITS + 40;

// The files beside the settings file ("<settings>" and a suffix). A copy that
// would pass MAX_PATH takes the "\\?\" form (drive paths) or "\\?\UNC\" (shares).
struct SaveCopyPaths {
  // ".before-save": the file as it was before a save's first write. It exists
  // under this name only once every byte of it is written and flushed.
  WideChar whole[SAVE_COPY_PATH_UNITS];
  // ".before-save.partial": that copy while it is being written.
  WideChar partial[SAVE_COPY_PATH_UNITS];
  // ".before-save.done": the copy beside it must never be put back. Written when
  // a copy that is of no more use (its save finished, or the file holds its bytes)
  // cannot be deleted, say while another program holds it.
  WideChar done[SAVE_COPY_PATH_UNITS];
  // ".before-restore": what the settings file held before a recovery wrote a
  // copy's bytes over it (one generation).
  WideChar kept[SAVE_COPY_PATH_UNITS];
};

// False, with every path empty, when a path would not fit; the settings path
// itself (at most 259 units) always does.
bool SaveCopyPathsOf(const WideChar* settingsPath, SaveCopyPaths& paths);

// What a start, and a save before it writes, finds beside the settings file.
struct RecoveryFindings {
  bool wholeCopy;
  bool copyMatchesFile;  // the whole copy holds exactly the settings file's bytes
  bool doneRecord;
  bool partialCopy;
  // ".before-restore" was written after the whole copy was made: an earlier try
  // at this very recovery, cut short, has kept the file's bytes already (what the
  // file holds now may be half put back).
  bool keptSinceCopy;
};

// Only the copy of a cut save is put back: a whole copy without a done record that
// differs from the file. What it replaces is kept first, unless an earlier try
// kept it. Every other whole copy is retired without a word, and a partial copy is
// always just deleted: the settings file is never written while one exists.
struct RecoveryPlan {
  bool keepFileBytes;     // copy the settings file's bytes to ".before-restore"
  bool restoreWholeCopy;  // write the copy's bytes into the settings file, in place
  bool retireWholeCopy;   // delete it (after the restore), or record that it is done
  bool deletePartialCopy;
  bool tellUser;  // the settings changed back: a recent edit may be missing
};
RecoveryPlan PlanRecovery(const RecoveryFindings& found);
