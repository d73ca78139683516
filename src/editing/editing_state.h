#pragma once
// State of slot editing: the edit dialog's scratch record and the slot clipboard.

#include "editing/slot_clipboard.h"
#include "settings/command_slot.h"

extern CommandSlot editBuffer;
extern SlotClipboard slotClipboard;
