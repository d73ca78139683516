#include "icons/icon_rules.h"

#include "common/display_scale.h"
#include "common/path_rules.h"

// StrToIntW: an optional minus sign, then decimal digits up to the first other
// unit. Accumulated unsigned so that an overlong number wraps instead of
// overflowing, as the shell's 32-bit arithmetic does.
static int32_t ParseDecimal(const WideChar* text) {
  bool negative = text[0] == '-';
  if (negative) ++text;
  uint32_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10u + static_cast<uint32_t>(*text - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

// PathUnquoteSpacesW: only a text that both starts and ends with a quote loses them.
static void UnquoteSpaces(WideChar* path) {
  if (path[0] != '"') return;
  size_t last = TextLength(path) - 1;
  if (path[last] != '"') return;
  path[last] = 0;
  for (WideChar* p = path; *p != 0; ++p) p[0] = p[1];
}

// PathRemoveBlanksW: leading and trailing spaces only; tabs stay.
static void RemoveBlanks(WideChar* path) {
  size_t start = 0;
  while (path[start] == ' ') ++start;
  size_t length = 0;
  for (; path[start + length] != 0; ++length) path[length] = path[start + length];
  while (length > 0 && path[length - 1] == ' ') --length;
  path[length] = 0;
}

int32_t ParseIconLocation(WideChar* location) {
  int32_t index = 0;
  for (WideChar* p = location; *p != 0; ++p) {
    if (*p == ',') {
      *p = 0;
      index = ParseDecimal(p + 1);
      break;
    }
  }
  UnquoteSpaces(location);
  RemoveBlanks(location);
  return index;
}

// Ends text right after the first occurrence of extension that a space follows.
static void CutAfterExtension(WideChar* text, const WideChar* extension) {
  size_t extensionLength = TextLength(extension);
  for (WideChar* start = text; *start != 0; ++start) {
    size_t i = 0;
    while (i < extensionLength && start[i] == extension[i]) ++i;
    if (i == extensionLength && start[i] == ' ') {
      start[i] = 0;
      return;
    }
  }
}

void ResolveIconSource(const WideChar* iconText, const WideChar* commandText, IconSource& source) {
  if (!TextIsEmpty(iconText)) {
    CopyText(source.path, iconText);
    source.index = ParseIconLocation(source.path);
  } else {
    CopyText(source.path, commandText);
    source.index = 0;
  }
  // Each cut only shortens, so the text ends after the earliest of the three.
  CutAfterExtension(source.path, WIDE(".exe"));
  CutAfterExtension(source.path, WIDE(".bat"));
  CutAfterExtension(source.path, WIDE(".lnk"));
}

int IconSizeForDpi(int dpi) { return ScaleToDpi(LARGE_ICON_SIZE, dpi); }

// number as wsprintfW's "%d" writes it.
static void FormatDecimal(int32_t number, WideChar (&text)[12]) {
  WideChar digits[11];
  size_t count = 0;
  // Widened first: the most negative index has no positive 32-bit counterpart.
  int64_t magnitude = number < 0 ? -static_cast<int64_t>(number) : number;
  do {
    digits[count++] = static_cast<WideChar>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  size_t at = 0;
  if (number < 0) text[at++] = '-';
  while (count > 0) text[at++] = digits[--count];
  text[at] = 0;
}

// "[index].ico", or ".ico" for index 0.
static void FormatCacheSuffix(int32_t index, WideChar (&suffix)[20]) {
  if (index == 0) {
    CopyText(suffix, WIDE(".ico"));
    return;
  }
  WideChar number[12];
  FormatDecimal(index, number);
  CopyText(suffix, WIDE("["));
  AppendText(suffix, number);
  AppendText(suffix, WIDE("].ico"));
}

// A source that ends in a separator names a folder or a drive ("D:\Projects\",
// "C:\Tools\..\"): what is left of it is no file name, and put behind the cache
// folder it would point into a subfolder, a stream or the folder above.
static bool IsPlainFileName(const WideChar* name) {
  for (; *name != 0; ++name) {
    if (*name == '\\' || *name == '/' || *name == ':') return false;
  }
  return true;
}

bool IconCachePath(const WideChar* cacheFolder, const IconSource& source, int iconSize,
                   WideChar (&cachePath)[ICON_PATH_CAPACITY]) {
  cachePath[0] = 0;
  const WideChar* name = FindFileName(source.path);
  if (TextIsEmpty(cacheFolder) || !IsPlainFileName(name)) return false;
  WideChar suffix[20];
  FormatCacheSuffix(source.index, suffix);
  size_t folderLength = TextLength(cacheFolder);
  bool whole = CopyText(cachePath, cacheFolder);
  if (whole && cacheFolder[folderLength - 1] != '\\') whole = AppendText(cachePath, WIDE("\\"));
  if (iconSize != LARGE_ICON_SIZE) {
    WideChar size[12];
    FormatDecimal(iconSize, size);
    whole = whole && AppendText(cachePath, size) && AppendText(cachePath, WIDE("\\"));
  }
  whole = whole && AppendText(cachePath, name) && AppendText(cachePath, suffix);
  if (!whole) cachePath[0] = 0;
  return whole;
}
