#pragma once
// The one-slot clipboard of the grid, and exchanging two slots. None of these
// touches runAs: running as administrator belongs to the grid position.

#include "settings/command_slot.h"

struct SlotClipboard {
  WideChar title[SLOT_TEXT_CAPACITY];
  WideChar command[SLOT_TEXT_CAPACITY];
  WideChar icon[SLOT_TEXT_CAPACITY];
};

void CopySlot(const SlotTable& table, int slot, SlotClipboard& clipboard);
void CutSlot(SlotTable& table, int slot, SlotClipboard& clipboard);
void PasteSlot(SlotTable& table, int slot, const SlotClipboard& clipboard);
void ClearSlot(SlotTable& table, int slot);
void SwapSlots(SlotTable& table, int a, int b);
// Title, command and icon all empty; runAs is not considered.
bool SlotIsEmpty(const SlotTable& table, int slot);
