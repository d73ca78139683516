#include "settings/save_copy_rules.h"

#include "common/path_rules.h"

namespace {

const WideChar WHOLE_COPY_SUFFIX[] = WIDE(".before-save");
const WideChar PARTIAL_COPY_SUFFIX[] = WIDE(".before-save.partial");
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

bool SaveCopyPathsOf(const WideChar* settingsPath, WideChar (&wholeCopy)[SAVE_COPY_PATH_UNITS],
                     WideChar (&partialCopy)[SAVE_COPY_PATH_UNITS]) {
  if (!TextIsEmpty(settingsPath) && CopyPathOf(settingsPath, WHOLE_COPY_SUFFIX, wholeCopy) &&
      CopyPathOf(settingsPath, PARTIAL_COPY_SUFFIX, partialCopy)) {
    return true;
  }
  wholeCopy[0] = partialCopy[0] = 0;
  return false;
}

RecoveryPlan PlanRecovery(bool wholeCopyFound, bool copyMatchesFile, bool partialCopyFound) {
  bool restore = wholeCopyFound && !copyMatchesFile;
  return {restore, wholeCopyFound, partialCopyFound, restore};
}
