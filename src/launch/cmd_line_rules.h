#pragma once
// What cmd.exe would make of a file name handed to a batch script. CreateProcessW
// and the shell start every .bat or .cmd script as "cmd /c <line>", and cmd.exe
// reads that line with a syntax of its own: outside double quotes "&", "|", "<" and
// ">" chain and redirect commands, "^" escapes, "(" and ")" group; "%" (and "!",
// where delayed expansion is on) expand variables even inside quotes. File names
// may hold every one of these, so a target named "a&calc.exe" handed to a script
// as "%1" in quotes would start a second program beside it. Such a launch is
// refused; a program that cmd.exe does not read is not affected.

#include "common/wide_text.h"

enum class CmdReader {
  None,         // not cmd.exe: the argument is the program's own business
  Script,       // a .bat or .cmd script: cmd.exe reads the line as it stands
  Interpreter,  // cmd.exe itself: "/c" may drop a quote, so no quoting protects
};

// Who reads a line whose program is picked out of text as CreateProcessW does:
// the quoted first token, else every run up to a blank (which of them exists is
// not known here, so each counts). Only runs that end by programEnd count, where
// the slot's own command ends and the target begins: a target named like a
// script does not make cmd.exe read the line of an ordinary program. When even
// the first run reaches past programEnd, the target is part of the program's
// name and every run counts. Trailing dots and blanks are ignored, as the file
// system ignores them.
CmdReader CmdReaderOf(const WideChar* text, size_t programEnd);

// True when reader would act on a unit of the argument that lies at
// [argumentStart, argumentStart + argumentLength) of text, which cmd.exe reads
// from its start; also when the argument's quotes are unbalanced, since they
// would change how the rest of the line reads. Always false for None. cmd.exe
// itself keeps quotes as a script does, unless the text after its /c or /k
// begins with a quote: then it strips that quote and the line's last one, and
// no quoting protects.
bool CmdWouldActOnArgument(const WideChar* text, size_t argumentStart, size_t argumentLength,
                           CmdReader reader);
