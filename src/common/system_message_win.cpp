#include "common/system_message_win.h"

#include <strsafe.h>

void AppendSystemMessage(DWORD error, wchar_t* text, size_t capacity) {
  size_t used = static_cast<size_t>(lstrlenW(text));
  if (used + 1 >= capacity) return;
  wchar_t* message = text + used;
  DWORD room = static_cast<DWORD>(capacity - used);
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, message, room, nullptr);
  if (length == 0) {
    StringCchPrintfW(message, room, L"エラー %lu", error);
    return;
  }
  // The system's messages end in a line break, which a one-line bar would show as a box.
  while (length > 0 && message[length - 1] <= L' ') message[--length] = 0;
}
