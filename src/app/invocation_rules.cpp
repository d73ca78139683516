#include "app/invocation_rules.h"

#include "common/path_rules.h"

const WideChar FOLDER_SECTION_NAME[] = WIDE("folder");

namespace {

bool IsArgumentBlank(WideChar unit) { return unit == ' ' || unit == '\t'; }

}  // namespace

bool FirstArgumentOf(const WideChar* commandLine, size_t& programPathLength, WideChar* argument,
                     size_t capacity) {
  if (capacity == 0) return false;
  argument[0] = 0;
  // Argument 0 follows its own rule: a quoted path runs to the next quote, with no
  // escapes; an unquoted one to the first blank.
  const WideChar* s = commandLine;
  if (*s == '"') {
    const WideChar* start = ++s;
    while (*s != 0 && *s != '"') ++s;
    programPathLength = static_cast<size_t>(s - start);
    if (*s == '"') ++s;
  } else {
    while (*s != 0 && !IsArgumentBlank(*s)) ++s;
    programPathLength = static_cast<size_t>(s - commandLine);
  }
  while (IsArgumentBlank(*s)) ++s;
  if (*s == 0) return false;

  // 2n backslashes and a quote give n backslashes and open or close quoting;
  // 2n+1 give n and a literal quote; other backslashes are literal. Within
  // quoting, every third quote of a run of quotes is a literal one.
  size_t d = 0;  // units of the argument so far; only those below capacity are stored
  size_t backslashes = 0;
  int quotes = 0;
  bool cut = false;
  auto put = [&](WideChar unit) {
    if (d + 1 < capacity) {
      argument[d] = unit;
    } else {
      cut = true;
    }
    ++d;
  };
  while (*s != 0 && !(IsArgumentBlank(*s) && quotes == 0)) {
    if (*s == '\\') {
      put(*s++);
      ++backslashes;
    } else if (*s == '"') {
      if (backslashes % 2 == 0) {
        d -= backslashes / 2;
        ++quotes;
      } else {
        d -= backslashes / 2 + 1;
        put('"');
      }
      ++s;
      backslashes = 0;
      while (*s == '"') {
        if (++quotes == 3) {
          put('"');
          quotes = 0;
        }
        ++s;
      }
      if (quotes == 2) quotes = 0;
    } else {
      put(*s++);
      backslashes = 0;
    }
  }
  if (cut) {
    argument[0] = 0;
    return false;
  }
  argument[d] = 0;
  return true;
}

const WideChar* ArgumentStringOf(const WideChar* rawCommandLine, size_t programPathLength) {
  size_t skip = programPathLength + (rawCommandLine[0] == '"' ? 3 : 1);
  size_t length = TextLength(rawCommandLine);
  return skip <= length ? rawCommandLine + skip : rawCommandLine + length;
}

const WideChar* SectionNameOf(const WideChar* targetPath, bool targetIsDirectory) {
  return targetIsDirectory ? FOLDER_SECTION_NAME : FindExtension(targetPath);
}
