// The launcher's own command line and its target: what is handed on to the started
// commands, the section, the extension and the file name.
// Input: raw line (long text), a byte choosing how argument 0's length is found
// (even: as the platform splits the line, odd: two bytes, any length), target path
// (long text), a byte whose low bit says the target is a folder.

#include "app/invocation_rules.h"
#include "common/path_rules.h"
#include "fuzz_input.h"

namespace {

bool IsBlank(WideChar unit) { return unit == ' ' || unit == '\t'; }
bool IsSeparator(WideChar unit) { return unit == '\\' || unit == '/' || unit == ':'; }

// Where argument 0 ends and how long it is, as the platform splits a line: a quoted
// token runs to the next quote, another to the first blank.
struct ProgramToken {
  size_t length;
  size_t end;  // index of the unit after the token
};
ProgramToken SplitProgram(const Text& line) {
  if (!line.empty() && line[0] == '"') {
    size_t close = line.find('"', 1);
    if (close == Text::npos) return {line.size() - 1, line.size()};
    return {close - 1, close + 1};
  }
  size_t blank = 0;
  while (blank < line.size() && !IsBlank(line[blank])) ++blank;
  return {blank, blank};
}

void CheckArgumentString(const Text& line, bool splitAsPlatform, size_t anyLength) {
  std::vector<WideChar> raw = Terminated(line);
  ProgramToken token = SplitProgram(line);
  size_t programLength = splitAsPlatform ? token.length : anyLength;
  const WideChar* rest = ArgumentStringOf(raw.data(), programLength);
  Check(rest >= raw.data() && rest <= raw.data() + line.size(), "argumentString lies in the line");
  // What follows the program token and its one blank is handed on whole.
  if (splitAsPlatform && token.end < line.size() && IsBlank(line[token.end])) {
    Check(Text(rest) == line.substr(token.end + 1), "argumentString is the line after argument 0");
  }
}

void CheckPathRules(const Text& path, bool isDirectory) {
  std::vector<WideChar> units = Terminated(path);
  const WideChar* start = units.data();
  const WideChar* end = start + path.size();

  const WideChar* extension = FindExtension(start);
  Check(extension >= start && extension <= end, "extension lies in the path");
  size_t lastDot = path.rfind('.');
  bool dotCancelled =
      lastDot == Text::npos || path.find_first_of(WIDE("\\ "), lastDot) != Text::npos;
  if (dotCancelled) {
    Check(extension == end, "no extension when the last dot is cancelled");
  } else {
    Check(extension == start + lastDot, "extension starts at the last dot");
  }

  const WideChar* name = FindFileName(start);
  Check(name >= start && name <= end, "file name lies in the path");
  Check(name == start || IsSeparator(name[-1]), "file name follows a separator");
  for (const WideChar* p = name; *p != 0; ++p) {
    Check(!(IsSeparator(p[0]) && p[1] != 0 && p[1] != '\\' && p[1] != '/'),
          "no separator followed by a name inside the file name");
  }

  const WideChar* section = SectionNameOf(start, isDirectory);
  Check(isDirectory ? Text(section) == WIDE("folder") : section == extension,
        "section is the extension, or folder");

  bool drive = path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
               ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
  Check(IsDriveAbsolutePath(start) == drive, "drive-absolute test");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  Text line = input.TakeLongText(COMMAND_LINE_UNITS);
  bool splitAsPlatform = (input.Byte() & 1) == 0;
  size_t anyLength = splitAsPlatform ? 0 : input.U16();
  Text path = input.TakeLongText(COMMAND_LINE_UNITS);
  bool isDirectory = input.Flag();
  CheckArgumentString(line, splitAsPlatform, anyLength);
  CheckPathRules(path, isDirectory);
  return 0;
}
