#include "editing/slot_clipboard.h"

void CopySlot(const SlotTable& table, int slot, SlotClipboard& clipboard) {
  const CommandSlot& source = table.slots[slot];
  CopyText(clipboard.title, source.title);
  CopyText(clipboard.command, source.command);
  CopyText(clipboard.icon, source.icon);
}

void CutSlot(SlotTable& table, int slot, SlotClipboard& clipboard) {
  CopySlot(table, slot, clipboard);
  ClearSlot(table, slot);
}

void PasteSlot(SlotTable& table, int slot, const SlotClipboard& clipboard) {
  CommandSlot& target = table.slots[slot];
  CopyText(target.title, clipboard.title);
  CopyText(target.command, clipboard.command);
  CopyText(target.icon, clipboard.icon);
}

void ClearSlot(SlotTable& table, int slot) {
  CommandSlot& target = table.slots[slot];
  target.title[0] = 0;
  target.command[0] = 0;
  target.icon[0] = 0;
}

void SwapSlots(SlotTable& table, int a, int b) {
  if (a == b) return;
  // Through a clipboard-shaped temporary so that runAs stays with its position.
  SlotClipboard held;
  CopySlot(table, a, held);
  CommandSlot& first = table.slots[a];
  const CommandSlot& second = table.slots[b];
  CopyText(first.title, second.title);
  CopyText(first.command, second.command);
  CopyText(first.icon, second.icon);
  PasteSlot(table, b, held);
}

bool SlotIsEmpty(const SlotTable& table, int slot) {
  const CommandSlot& source = table.slots[slot];
  return TextIsEmpty(source.title) && TextIsEmpty(source.command) && TextIsEmpty(source.icon);
}
