#include "settings/section_listing.h"

namespace {

struct Span {
  const WideChar* begin;
  const WideChar* end;
};

bool IsBlank(WideChar unit) { return unit == ' ' || unit == '\t'; }

Span Trimmed(Span span) {
  while (span.begin < span.end && IsBlank(*span.begin)) ++span.begin;
  while (span.end > span.begin && IsBlank(span.end[-1])) --span.end;
  return span;
}

WideChar FoldAscii(WideChar unit) {
  return (unit >= 'A' && unit <= 'Z') ? static_cast<WideChar>(unit + ('a' - 'A')) : unit;
}

bool NameMatches(Span name, const WideChar* key) {
  const WideChar* k = key;
  for (const WideChar* p = name.begin; p < name.end; ++p, ++k) {
    if (*k == 0 || FoldAscii(*p) != FoldAscii(*k)) return false;
  }
  return *k == 0;
}

void CopySpan(Span span, WideChar* buffer, size_t capacity) {
  size_t count = static_cast<size_t>(span.end - span.begin);
  if (count > capacity - 1) count = capacity - 1;
  for (size_t i = 0; i < count; ++i) buffer[i] = span.begin[i];
  buffer[count] = 0;
}

}  // namespace

ListedValue FindListedValue(const WideChar* listing, size_t length, const WideChar* key,
                            WideChar* buffer, size_t capacity) {
  if (capacity == 0) return ListedValue::Missing;
  buffer[0] = 0;
  const WideChar* end = listing + length;
  const WideChar* line = listing;
  while (line < end && *line != 0) {
    const WideChar* lineEnd = line;
    while (lineEnd < end && *lineEnd != 0) ++lineEnd;
    const WideChar* equals = line;
    while (equals < lineEnd && *equals != '=') ++equals;
    if (NameMatches(Trimmed({line, equals}), key)) {
      if (equals == lineEnd) return ListedValue::Missing;
      Span value = Trimmed({equals + 1, lineEnd});
      if (value.end - value.begin >= 2 && (*value.begin == '"' || *value.begin == '\'') &&
          value.end[-1] == *value.begin) {
        ++value.begin;
        --value.end;
      }
      CopySpan(value, buffer, capacity);
      return ListedValue::Found;
    }
    line = lineEnd + 1;
  }
  return ListedValue::Missing;
}
