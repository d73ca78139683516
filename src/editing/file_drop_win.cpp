#include "editing/file_drop_win.h"

#include <shellapi.h>

#include "editing/edit_text_rules.h"

bool ReadDroppedFile(HDROP drop, CommandSlot& slot) {
  bool fits = DragQueryFileW(drop, 0, nullptr, 0) < SLOT_TEXT_CAPACITY;
  if (fits) {
    slot = CommandSlot{};
    DragQueryFileW(drop, 0, slot.command, SLOT_TEXT_CAPACITY);
    TitleFromPath(slot.command, slot.title);
  }
  DragFinish(drop);
  return fits;
}
