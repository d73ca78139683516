#include "editing/command_edit_dialog.h"

#include "app/app_state.h"
#include "editing/editing_state.h"
#include "settings/settings_state.h"

// The dialog itself (resource 101) is still to come; the hand-off already sets up
// what it will work on, so the callers are final.
void OpenCommandEditDialog(HWND, int slot) {
  editBuffer = currentTable.slots[slot];
  targetSlot = slot;
}
