// The options take effect at once and are saved at close; only the link is
// written to the settings file straight away.

#include "app/option_commands.h"

#include "app/app_state.h"
#include "app/button_grid.h"
#include "app/grid_input.h"
#include "app/status_bar.h"
#include "icons/icon_cache_win.h"
#include "resources/resource.h"
#include "settings/ini_file_store.h"
#include "settings/link_dialog_win.h"
#include "settings/link_rules.h"
#include "settings/option_menu_win.h"
#include "settings/save_report_win.h"
#include "settings/settings_save_win.h"
#include "settings/settings_state.h"
#include "settings/slot_store.h"

namespace {

void RefreshAllSlots() {
  for (int slot = 0; slot < SLOT_COUNT; ++slot) RefreshSlotButton(slot);
}

int* OptionFlag(int commandId) {
  switch (commandId) {
    case IDM_TOP_VIEW:
      return &options.topView;
    case IDM_AUTO_CLOSE:
      return &options.autoClose;
    case IDM_LOOP_CURSOR:
      return &options.loopCursor;
    case IDM_CACHE_ICON:
      return &options.cacheIcon;
  }
  return nullptr;
}

}  // namespace

bool IsOptionCommand(int commandId) {
  return commandId == IDM_LINK || OptionFlag(commandId) != nullptr;
}

void OnOptionCommand(HWND window, int commandId) {
  if (commandId == IDM_LINK) {
    // Always the run's own section, not the one it links to now.
    IniFileStore store(iniPath);
    ReadLink(store, sectionName, linkEditText);  // what the slots use, never a cut name
    RunLinkDialog(window);
    IgnoreRestingPointer();  // the dialog lay over the grid: its report stays
    return;
  }
  int* flag = OptionFlag(commandId);
  *flag = *flag == 1 ? 0 : 1;
  switch (commandId) {
    case IDM_TOP_VIEW:
      SetWindowPos(window, *flag == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE);
      break;
    case IDM_CACHE_ICON:
      if (*flag == 1) {
        SetIconCacheDir();
        RefreshAllSlots();  // every icon goes into, or comes from, the cache now
      } else {
        ClearIconCacheDir();  // the folder and its files stay
      }
      break;
  }
  SetOptionCheck(optionMenu, commandId, *flag);
}

void OnLinkChanged(HWND) {
  wchar_t value[LINK_TEXT_CAPACITY];
  LinkChange change = LinkValueFor(linkEditText, value);
  if (change == LinkChange::Refuse) {
    ShowWarning(LINK_TOO_LONG_TEXT);
    return;
  }
  DWORD error = ERROR_SUCCESS;
  StartRecovery recovered = StartRecovery::NothingToDo;
  {
    // The save holds the lock for the file access only: the icons that follow may
    // take a while to extract.
    SettingsSave save(iniPath);
    save.WriteText(sectionName, L"link", change == LinkChange::Set ? value : nullptr);
    error = save.Finish();
    recovered = save.Recovered();
    // A link that did not get onto the disk changes nothing here either: the slots,
    // and where the close writes them, stay those of the link the file keeps.
    if (error == ERROR_SUCCESS) {
      // Unsaved slot edits give way to the linked section's slots, which are the
      // base the close compares with from now on: an edit back to a value the old
      // section held is still an edit.
      LoadSlotTable(save, sectionName, currentTable, linkTarget);
      savedTable = currentTable;
    }
  }
  wchar_t report[SAVE_REPORT_UNITS];
  if (error != ERROR_SUCCESS) {
    DescribeSaveFailure(error, report);
    ShowWarning(report);
    return;
  }
  RefreshAllSlots();
  if (DescribeRecovery(recovered, iniPath, report)) {
    ShowReport(report);
  } else {
    ShowSlotTitle(selectedSlot);
  }
}
