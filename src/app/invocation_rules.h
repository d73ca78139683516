#pragma once
// What one start of the launcher is about, worked out from its command line.

#include "common/wide_text.h"

// The name of the section that holds the slots of folders.
extern const WideChar FOLDER_SECTION_NAME[];

// Splits a command line as CommandLineToArgvW does, without loading shell32 at
// every start: programPathLength receives argument 0's length (the program path,
// without its quotes), argument receives argument 1 with the backslash and quote
// rules applied. False when there is no argument 1, or (never for a real command
// line, which is shorter than any target buffer) when it does not fit capacity.
bool FirstArgumentOf(const WideChar* commandLine, size_t& programPathLength, WideChar* argument,
                     size_t capacity);

// The command line handed on to the started commands: the raw line less the
// program's own path token. programPathLength is the length of argument 0 as the
// platform split it (without quotes). A quoted token takes its two quotes and one
// blank with it, an unquoted one its blank; a line shorter than that leaves "".
// The result points into rawCommandLine, so it is as long as the caller's line.
const WideChar* ArgumentStringOf(const WideChar* rawCommandLine, size_t programPathLength);

// The section of a target: "folder" for a directory, else its extension with the
// dot in the target's own letter case, "" when it has none. The result points
// either into targetPath or to FOLDER_SECTION_NAME, so a target of any length
// gets its true section and no copy can be cut.
const WideChar* SectionNameOf(const WideChar* targetPath, bool targetIsDirectory);
