#pragma once
#include <windows.h>

#include "settings/command_slot.h"

// Sets button's image to the icon of slot (or none), from the cache when it holds
// it, else extracted and, with caching on, stored there. The image it replaces is
// destroyed here, once; a drag that takes the image away clears the button first.
// A button that still shows an icon of the same source keeps it; the one loaded
// anew is destroyed.
void RefreshButtonIcon(HWND button, const CommandSlot& slot, HINSTANCE instance);
