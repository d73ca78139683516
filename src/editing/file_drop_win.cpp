#include "editing/file_drop_win.h"

#include <shellapi.h>

#include "editing/edit_text_rules.h"

void ReadDroppedFile(HDROP drop, CommandSlot& slot) {
  slot = CommandSlot{};
  // A path longer than the slot holds is cut, as any text typed into the dialog.
  DragQueryFileW(drop, 0, slot.command, SLOT_TEXT_CAPACITY);
  DragFinish(drop);
  TitleFromPath(slot.command, slot.title);
}
