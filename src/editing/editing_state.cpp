#include "editing/editing_state.h"

CommandSlot editBuffer;
SlotClipboard slotClipboard;
