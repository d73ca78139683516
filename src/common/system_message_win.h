#pragma once
#include <windows.h>

// The system's own message for an error code, on one line, appended to text
// within capacity; "エラー <code>" when the system has none.
void AppendSystemMessage(DWORD error, wchar_t* text, size_t capacity);
