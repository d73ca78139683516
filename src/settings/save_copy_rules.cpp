#include "settings/save_copy_rules.h"

#include "common/path_rules.h"

namespace {

constexpr size_t CLASSIC_PATH_LIMIT = 260;  // MAX_PATH, terminator included

bool CopyPathOf(const WideChar* settingsPath, const WideChar* suffix,
                WideChar (&copyPath)[SAVE_COPY_PATH_UNITS]) {
  copyPath[0] = 0;
  bool fits = true;
  if (TextLength(settingsPath) + TextLength(suffix) >= CLASSIC_PATH_LIMIT) {
    if (IsDriveAbsolutePath(settingsPath)) {
      fits = CopyText(copyPath, WIDE("\\\\?\\")) && AppendText(copyPath, settingsPath);
    } else if (settingsPath[0] == '\\' && settingsPath[1] == '\\' && settingsPath[2] != '?') {
      fits = CopyText(copyPath, WIDE("\\\\?\\UNC")) && AppendText(copyPath, settingsPath + 1);
    }
  }
  if (TextIsEmpty(copyPath)) fits = CopyText(copyPath, settingsPath);
  return fits && AppendText(copyPath, suffix);
}

}  // namespace

bool SaveCopyPathsOf(const WideChar* settingsPath, SaveCopyPaths& paths) {
  if (!TextIsEmpty(settingsPath) && CopyPathOf(settingsPath, WIDE(".before-save"), paths.whole) &&
      CopyPathOf(settingsPath, WIDE(".before-save.partial"), paths.partial) &&
      CopyPathOf(settingsPath, WIDE(".before-save.done"), paths.done) &&
      CopyPathOf(settingsPath, WIDE(".before-restore"), paths.kept)) {
    return true;
  }
  paths.whole[0] = paths.partial[0] = paths.done[0] = paths.kept[0] = 0;
  return false;
}

RecoveryPlan PlanRecovery(const RecoveryFindings& found) {
  const bool restore = found.wholeCopy && !found.doneRecord && !found.copyMatchesFile;
  return {restore && !found.keptSinceCopy, restore, found.wholeCopy, found.partialCopy, restore};
}
