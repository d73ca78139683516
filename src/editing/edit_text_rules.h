#pragma once
// The texts the command edit dialog derives from a chosen or dropped file.

#include "common/wide_text.h"

// The name a file gets as a title: its last extension removed, then only the
// last path component kept. A folder is treated the same way.
void TitleFromPath(const WideChar* path, WideChar (&title)[260]);

// The icon field for a picked icon: the path alone for an .ico file (ASCII case
// ignored), else "path,index". Returns false and leaves location untouched when
// the text would not fit in 259 units, so the field is never written cut.
bool FormatIconLocation(const WideChar* path, int index, WideChar (&location)[260]);
