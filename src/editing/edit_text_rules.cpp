#include "editing/edit_text_rules.h"

#include "common/path_rules.h"

void TitleFromPath(const WideChar* path, WideChar (&title)[260]) {
  // In the shell's order, extension first: a name that is all extension
  // (".gitignore") leaves its folder's name.
  WideChar work[260];
  CopyText(work, path);
  work[FindExtension(work) - work] = 0;
  CopyText(title, FindFileName(work));
}

// Decimal digits of value, with the minus sign; the magnitude is taken unsigned
// so that INT_MIN has one.
static void FormatDecimal(int value, WideChar (&digits)[16]) {
  unsigned int magnitude =
      value < 0 ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
  WideChar reversed[16];
  int count = 0;
  do {
    reversed[count++] = static_cast<WideChar>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  int used = 0;
  if (value < 0) digits[used++] = '-';
  while (count > 0) digits[used++] = reversed[--count];
  digits[used] = 0;
}

bool FormatIconLocation(const WideChar* path, int index, WideChar (&location)[260]) {
  // Composed aside and copied only when whole: a cut path would name another file.
  WideChar composed[260];
  bool fits = CopyText(composed, path);
  if (!TextEqualsIgnoringAsciiCase(FindExtension(path), WIDE(".ico"))) {
    WideChar digits[16];
    FormatDecimal(index, digits);
    fits = fits && AppendText(composed, WIDE(",")) && AppendText(composed, digits);
  }
  if (!fits) return false;
  CopyText(location, composed);
  return true;
}
