#pragma once
#include <windows.h>

// Full path of the running executable. False (and an empty text) when it does not
// fit: a cut path would name some other file.
bool GetExecutablePath(wchar_t (&path)[MAX_PATH]);
