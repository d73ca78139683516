#include "settings/save_recovery_win.h"

#include "settings/save_files_win.h"

bool RetireCopy(const SaveCopyPaths& paths, DWORD& stays) {
  stays = ERROR_SUCCESS;
  if (DeleteCopy(paths.whole)) {
    DeleteCopy(paths.done);  // what it spoke for is gone; one left over goes at the next save
    return true;
  }
  stays = LastErrorOrWriteFault();
  return WriteRecord(paths.done);
}

RecoveryResult Recover(const wchar_t* settingsPath, const SaveCopyPaths& paths) {
  RecoveryFindings found = {};
  found.wholeCopy = Exists(paths.whole);
  found.partialCopy = Exists(paths.partial);
  found.doneRecord = Exists(paths.done);
  if (!found.wholeCopy && !found.partialCopy && !found.doneRecord) {
    return {StartRecovery::NothingToDo, ERROR_SUCCESS};  // every normal start
  }
  if (found.wholeCopy && !found.doneRecord) {
    found.copyMatchesFile = SameBytes(paths.whole, settingsPath);
    found.keptSinceCopy = WrittenSince(paths.kept, paths.whole);
  }
  RecoveryPlan plan = PlanRecovery(found);
  DWORD error = ERROR_SUCCESS;
  if (plan.deletePartialCopy && !DeleteCopy(paths.partial)) error = LastErrorOrWriteFault();
  // Nothing is written over the file before what it holds is kept: a section added
  // by hand after the cut save would be lost for good.
  if (plan.keepFileBytes && !CopyWholeFile(settingsPath, paths.kept)) {
    return {StartRecovery::Failed, LastErrorOrWriteFault()};
  }
  if (plan.restoreWholeCopy && !PutCopyBack(settingsPath, paths.whole)) {
    return {StartRecovery::Failed, LastErrorOrWriteFault()};
  }
  DWORD stays = ERROR_SUCCESS;
  if (plan.retireWholeCopy) {
    RetireCopy(paths, stays);  // the file holds the copy's bytes now, or never will
  } else if (found.doneRecord && !DeleteCopy(paths.done)) {
    stays = LastErrorOrWriteFault();
  }
  if (stays != ERROR_SUCCESS) error = stays;
  return {plan.tellUser ? StartRecovery::Restored : StartRecovery::NothingToDo, error};
}

StartRecovery RecoverUnfinishedSave(const wchar_t* settingsPath) {
  SaveCopyPaths paths;
  if (!SaveCopyPathsOf(settingsPath, paths)) return StartRecovery::NothingToDo;
  return Recover(settingsPath, paths).outcome;
}
