#pragma once
#include <windows.h>

// Stores icon (which stays the caller's) as a single-image .ico file at path.
// Leaves either a complete file that loads, or no file: nothing is created when
// the icon's bitmaps cannot be read (a bad handle, a monochrome icon, no memory),
// and a file that could not be written whole never takes the name. A path whose
// folder leaves no room for the temporary name beside it is not written.
void WriteIconFile(HICON icon, const wchar_t* path);
