#include "app/slot_editing.h"

#include "app/app_state.h"
#include "app/button_grid.h"
#include "app/grid_input.h"
#include "editing/command_edit_dialog.h"
#include "editing/editing_state.h"
#include "editing/file_drop_win.h"
#include "settings/settings_state.h"

void OpenCommandEditDialog(HWND window, int slot) {
  editBuffer = currentTable.slots[slot];
  targetSlot = slot;
  RunCommandEditDialog(window);
  IgnoreRestingPointer();
}

void OnSlotCommitted() {
  if (targetSlot < 0 || targetSlot >= SLOT_COUNT) return;
  currentTable.slots[targetSlot] = editBuffer;
  RefreshSlotButton(targetSlot);
}

// A drop beside the buttons (on the caption or the status bar) names no slot: it
// opens nothing, rather than a dialog whose register could store nowhere.
// targetSlot therefore always stays a slot index.
void OnDropFiles(HWND window, HDROP drop) {
  int slot = SlotAtCursor();
  if (!ReadDroppedFile(drop, editBuffer) || slot < 0) return;
  targetSlot = slot;
  RunCommandEditDialog(window);
  IgnoreRestingPointer();
}
