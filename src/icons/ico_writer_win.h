#pragma once
#include <windows.h>

// Stores icon (which stays the caller's) as a single-image .ico file at path.
// Leaves either a complete file that loads, or no file: nothing is created when
// the icon's bitmaps cannot be read (a bad handle, a monochrome icon, no memory),
// and a file that could not be written whole is removed.
void WriteIconFile(HICON icon, const wchar_t* path);
