#pragma once
// Path rules the program applies to its own texts. They follow the shell's
// path functions so that what the tests check is what Windows would do.

#include "common/wide_text.h"

// The extension as PathFindExtensionW finds it: from the last dot to the end,
// where a later backslash or space cancels the dot. Returns a pointer to the dot,
// or to the terminator when there is no extension.
const WideChar* FindExtension(const WideChar* path);

// The last path component as PathFindFileNameW finds it (what PathStripPathW keeps):
// the text after the last backslash, slash or colon that is followed by a name.
const WideChar* FindFileName(const WideChar* path);

// True when path begins with a drive letter, a colon and a backslash ("C:\").
bool IsDriveAbsolutePath(const WideChar* path);
