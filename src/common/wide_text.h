#pragma once
// UTF-16 text as the program stores it. On Windows a unit is wchar_t, so the
// rules below take the platform's buffers directly; elsewhere (the native unit
// tests) it is char16_t, which keeps the same 16-bit units and lengths.

#include <cstddef>

#if defined(_WIN32)
typedef wchar_t WideChar;
#define WIDE(text) L##text
#else
typedef char16_t WideChar;
#define WIDE(text) u##text
#endif

// Length in UTF-16 units, without the terminator.
size_t TextLength(const WideChar* text);

// Copies as much of source as fits in capacity - 1 units and always terminates.
// Returns false when source had to be cut.
bool CopyTextBounded(WideChar* dest, size_t capacity, const WideChar* source);

// The array form is the one to call: the capacity comes from the type, so a
// pointer whose size is unknown does not compile.
template <size_t Capacity>
inline bool CopyText(WideChar (&dest)[Capacity], const WideChar* source) {
  return CopyTextBounded(dest, Capacity, source);
}

// Appends source behind dest's current text within capacity; false when cut.
template <size_t Capacity>
inline bool AppendText(WideChar (&dest)[Capacity], const WideChar* source) {
  size_t used = TextLength(dest);
  if (used >= Capacity) return false;
  return CopyTextBounded(dest + used, Capacity - used, source);
}

// How the program matches names (extensions, option words): equal length, and
// equal units after folding only the ASCII letters A-Z onto a-z. No locale.
bool TextEqualsIgnoringAsciiCase(const WideChar* a, const WideChar* b);

// Unit for unit. What a user typed is compared this way: "notepad" becoming
// "Notepad" is an edit to keep.
bool TextEquals(const WideChar* a, const WideChar* b);

inline bool TextIsEmpty(const WideChar* text) { return text[0] == 0; }
