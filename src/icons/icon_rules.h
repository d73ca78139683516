#pragma once
// Where a button's icon comes from, and the name it has in the icon cache.

#include <cstdint>

#include "common/wide_text.h"

constexpr size_t ICON_PATH_CAPACITY = 260;

// The icon's file and index within it.
struct IconSource {
  WideChar path[ICON_PATH_CAPACITY];
  int32_t index;
};

// PathParseIconLocationW on a text in place: cut at the first comma, the decimal
// number after it (optional minus sign) is the index, 0 without one; then
// surrounding quotes and blanks are removed from the path.
int32_t ParseIconLocation(WideChar* location);

// From a slot's icon location, or else its command: the command's arguments are
// cut after the first ".exe ", then ".bat ", then ".lnk " (case-sensitive, in
// that order). An empty path means no icon.
void ResolveIconSource(const WideChar* iconText, const WideChar* commandText, IconSource& source);

// A button's icon is the system's large icon at the display's scale: 32 px at 96
// DPI, 40 at 120, 48 at 144, 64 at 192.
constexpr int LARGE_ICON_SIZE = 32;
int IconSizeForDpi(int dpi);

// The cache file of a source at an icon size: the folder, one backslash, for any
// size but 32 a subfolder named by the size ("48\"), the source's file name, then
// "[index].ico" or, for index 0, ".ico". So the 32-px files stay where they always
// were, and no size is served another's. False when it would not fit in
// ICON_PATH_CAPACITY - 1 units: such an icon is not cached at all, since a cut
// name could be another icon's. False too for a source ending in a separator (a
// folder or drive): its cache file would not lie in the cache folder.
bool IconCachePath(const WideChar* cacheFolder, const IconSource& source, int iconSize,
                   WideChar (&cachePath)[ICON_PATH_CAPACITY]);
