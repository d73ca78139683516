#pragma once
#include <windows.h>

#include "settings/command_slot.h"

// A new slot from the first dropped file (the others are ignored): its path as
// the command, its name without folder and extension as the title, nothing else.
// Releases the drop.
void ReadDroppedFile(HDROP drop, CommandSlot& slot);
