#pragma once
#include <windows.h>

#include "settings/command_slot.h"

// Sets button's image to the icon of slot (or none), size pixels square: from the
// cache when it holds it at that size, else extracted at that size and, with
// caching on, stored there. The image it replaces is destroyed here, once; a drag
// that takes the image away clears the button first. A button that still shows
// an icon of the same source and size keeps it; the one loaded anew is destroyed.
void RefreshButtonIcon(HWND button, const CommandSlot& slot, HINSTANCE instance, int size);
