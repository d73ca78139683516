#include "common/wide_text.h"

size_t TextLength(const WideChar* text) {
  size_t length = 0;
  while (text[length] != 0) ++length;
  return length;
}

bool CopyTextBounded(WideChar* dest, size_t capacity, const WideChar* source) {
  if (capacity == 0) return false;
  size_t i = 0;
  for (; i + 1 < capacity && source[i] != 0; ++i) dest[i] = source[i];
  dest[i] = 0;
  return source[i] == 0;
}

static WideChar FoldAscii(WideChar unit) {
  return (unit >= 'A' && unit <= 'Z') ? static_cast<WideChar>(unit - 'A' + 'a') : unit;
}

bool TextEqualsIgnoringAsciiCase(const WideChar* a, const WideChar* b) {
  size_t i = 0;
  for (; a[i] != 0 && b[i] != 0; ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return a[i] == b[i];
}

bool TextEquals(const WideChar* a, const WideChar* b) {
  size_t i = 0;
  for (; a[i] != 0 && a[i] == b[i]; ++i) {
  }
  return a[i] == b[i];
}
