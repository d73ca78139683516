#include "app/slot_commands.h"

#include "app/app_state.h"
#include "app/button_grid.h"
#include "app/grid_rules.h"
#include "app/option_commands.h"
#include "app/slot_editing.h"
#include "app/status_bar.h"
#include "editing/editing_state.h"
#include "launch/slot_launch_win.h"
#include "resources/resource.h"
#include "settings/settings_state.h"

namespace {

// Shift, or a slot with nothing to start, opens the edit dialog instead.
void LaunchOrEdit(HWND window, int slot, const wchar_t* argument) {
  if (GetKeyState(VK_SHIFT) < 0) {
    OpenCommandEditDialog(window, slot);
    return;
  }
  LaunchOutcome outcome = LaunchThroughShell(currentTable.slots[slot], argument, iniPath);
  switch (outcome.result) {
    case LaunchPlanResult::NoCommand:
      OpenCommandEditDialog(window, slot);
      break;
    case LaunchPlanResult::Ready:
      SendMessageW(window, WM_CLOSE, 0, 0);
      break;
    default:
      ReportUnstartedLaunch(outcome);  // nothing started: the window stays
      break;
  }
}

}  // namespace

void RunSlot(HWND window, int commandId, const wchar_t* argument) {
  int slot = SlotOfButtonId(commandId);
  if (slot >= 0) {
    SelectSlot(slot);  // a click under a resting pointer has not moved the frame
    LaunchOrEdit(window, slot, argument);
    return;
  }
  switch (commandId) {
    case IDM_SLOT_EDIT:
      OpenCommandEditDialog(window, selectedSlot);  // the highlighted slot, by design
      break;
    case IDM_SLOT_COPY:
      CopySlot(currentTable, targetSlot, slotClipboard);
      break;
    case IDM_SLOT_CUT:
      CutSlot(currentTable, targetSlot, slotClipboard);
      break;
    case IDM_SLOT_PASTE:
      PasteSlot(currentTable, targetSlot, slotClipboard);
      SelectSlot(targetSlot);
      break;
    case IDM_SLOT_DELETE:
      ClearSlot(currentTable, targetSlot);
      break;
  }
}

void OnCommand(HWND window, WPARAM wParam) {
  if (!PassClickLatch(acceptClick, HIWORD(wParam))) return;
  DismissReport();
  int commandId = LOWORD(wParam);
  if (IsOptionCommand(commandId)) {
    OnOptionCommand(window, commandId);
    return;
  }
  RunSlot(window, commandId, argumentString);
  // Also after a launch, while the window is already closing.
  RefreshSlotButton(selectedSlot);
  RefreshSlotButton(targetSlot);
  ShowSlotTitle(targetSlot);
}
