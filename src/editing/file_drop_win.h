#pragma once
#include <windows.h>

#include "settings/command_slot.h"

// A new slot from the first dropped file (the others are ignored): its path as
// the command, its name without folder and extension as the title, nothing else.
// A path longer than a slot holds is refused (false, slot untouched): cut, it
// would name some other file or program. Releases the drop either way.
bool ReadDroppedFile(HDROP drop, CommandSlot& slot);
