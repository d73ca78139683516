#include "launch/cmd_line_rules.h"

namespace {

WideChar FoldAscii(WideChar unit) {
  return unit >= 'A' && unit <= 'Z' ? static_cast<WideChar>(unit - 'A' + 'a') : unit;
}

// The length units at span equal word, without regard to ASCII case.
bool SpanIs(const WideChar* span, size_t length, const WideChar* word) {
  size_t i = 0;
  for (; i < length; ++i) {
    if (word[i] == 0 || FoldAscii(span[i]) != FoldAscii(word[i])) return false;
  }
  return word[i] == 0;
}

bool IsBlank(WideChar unit) { return unit == ' ' || unit == '\t'; }

CmdReader ReaderOfProgram(const WideChar* program, size_t length) {
  while (length > 0 && (program[length - 1] == '.' || IsBlank(program[length - 1]))) --length;
  size_t name = 0;
  for (size_t i = 0; i < length; ++i) {
    if (program[i] == '\\' || program[i] == '/' || program[i] == ':') name = i + 1;
  }
  const WideChar* fileName = program + name;
  size_t nameLength = length - name;
  // CreateProcessW adds ".exe" to a name without one; the shell expands %ComSpec%.
  if (SpanIs(fileName, nameLength, WIDE("cmd")) || SpanIs(fileName, nameLength, WIDE("cmd.exe")) ||
      SpanIs(fileName, nameLength, WIDE("%comspec%"))) {
    return CmdReader::Interpreter;
  }
  if (nameLength >= 4) {
    const WideChar* extension = fileName + nameLength - 4;
    if (SpanIs(extension, 4, WIDE(".bat")) || SpanIs(extension, 4, WIDE(".cmd"))) {
      return CmdReader::Script;
    }
  }
  return CmdReader::None;
}

CmdReader Stronger(CmdReader a, CmdReader b) {
  return static_cast<int>(a) > static_cast<int>(b) ? a : b;
}

bool IsCmdOperator(WideChar unit) {
  return unit == '&' || unit == '|' || unit == '<' || unit == '>' || unit == '^' || unit == '(' ||
         unit == ')';
}

// cmd.exe keeps the quotes of its /c or /k text unless that text begins with one.
// A switch must stand before the argument, at the start or after a blank; with
// none there, nothing is known about the quotes and none are relied on.
bool CmdKeepsQuotes(const WideChar* text, size_t argumentStart) {
  for (size_t i = 0; i + 1 < argumentStart; ++i) {
    if (text[i] != '/' || (i > 0 && !IsBlank(text[i - 1]))) continue;
    WideChar option = FoldAscii(text[i + 1]);
    if (option != 'c' && option != 'k') continue;
    size_t start = i + 2;
    while (IsBlank(text[start])) ++start;
    return text[start] != '"';
  }
  return false;
}

}  // namespace

CmdReader CmdReaderOf(const WideChar* text, size_t programEnd) {
  size_t blanks = 0;
  while (IsBlank(text[blanks])) ++blanks;
  text += blanks;
  programEnd = programEnd > blanks ? programEnd - blanks : 0;
  if (*text == '"') {
    size_t end = 1;
    while (text[end] != 0 && text[end] != '"') ++end;
    return ReaderOfProgram(text + 1, end - 1);
  }
  CmdReader reader = CmdReader::None;
  bool runWithinCommand = false;
  for (size_t i = 0;; ++i) {
    // No file name holds a quote, so no longer prefix can name the program.
    if (text[i] == '"') break;
    if (text[i] == 0 || IsBlank(text[i])) {
      if (i <= programEnd) runWithinCommand = true;
      if (i <= programEnd || !runWithinCommand) reader = Stronger(reader, ReaderOfProgram(text, i));
    }
    if (text[i] == 0) break;
  }
  return reader;
}

bool CmdWouldActOnArgument(const WideChar* text, size_t argumentStart, size_t argumentLength,
                           CmdReader reader) {
  if (reader == CmdReader::None) return false;
  const bool quotesProtect = reader == CmdReader::Script || CmdKeepsQuotes(text, argumentStart);
  bool quoted = false;
  for (size_t i = 0; i < argumentStart; ++i) {
    if (text[i] == '"') quoted = !quoted;
  }
  const bool quotedBefore = quoted;
  for (size_t i = argumentStart; i < argumentStart + argumentLength; ++i) {
    WideChar unit = text[i];
    // Control characters end or split the command; expansion ignores quotes.
    if (unit < 0x20 || unit == '%' || unit == '!') return true;
    if (unit == '"') {
      quoted = !quoted;
    } else if (IsCmdOperator(unit) && (!quoted || !quotesProtect)) {
      return true;
    }
  }
  return quoted != quotedBefore;
}
