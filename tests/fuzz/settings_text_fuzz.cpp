// Looking a key up in a section listing, against a plain model of a single-key read;
// and the settings lock's name, which must follow the file and not its spelling.
// Input: up to 16 lines (texts), a key (text), a capacity byte.

#include "fuzz_input.h"
#include "settings/section_listing.h"
#include "settings/settings_path.h"

namespace {

WideChar Folded(WideChar unit) { return unit >= 'A' && unit <= 'Z' ? unit + 32 : unit; }

bool SameName(const Text& a, const Text& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
}

Text Trim(const Text& text) {
  size_t first = text.find_first_not_of(WIDE(" \t"));
  if (first == Text::npos) return Text();
  return text.substr(first, text.find_last_not_of(WIDE(" \t")) - first + 1);
}

// The first line of that name decides: no "=" means no value, else the trimmed
// value less one pair of enclosing quotes.
bool ModelLookup(const std::vector<Text>& lines, const Text& key, Text& value) {
  for (const Text& line : lines) {
    size_t equals = line.find('=');
    if (!SameName(Trim(line.substr(0, equals)), key)) continue;
    if (equals == Text::npos) return false;
    value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
      value = value.substr(1, value.size() - 2);
    }
    return true;
  }
  return false;
}

Text LockName(const Text& path) {
  WideChar name[SETTINGS_LOCK_NAME_UNITS];
  Scribble(name);
  SettingsLockNameOf(Terminated(path).data(), name);
  return TextIn(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  std::vector<Text> lines;
  Text listing;
  for (int count = input.InRange(0, 16); count > 0; --count) {
    Text line = input.TakeText(300);
    if (line.empty()) break;  // an empty line ends a listing
    lines.push_back(line);
    listing += line;
    listing += WideChar(0);
  }
  listing += WideChar(0);
  Text key = input.TakeText(20);
  size_t capacity = input.InRange(1, 64);

  std::vector<WideChar> units(listing.begin(), listing.end());
  std::vector<WideChar> buffer(capacity, 0xAAAA);
  Text expected;
  bool found = !key.empty() && ModelLookup(lines, key, expected);
  ListedValue result =
      FindListedValue(units.data(), units.size(), Terminated(key).data(), buffer.data(), capacity);
  size_t length = 0;
  while (length < capacity && buffer[length] != 0) ++length;
  Check(length < capacity, "the value is terminated within its buffer");
  if (!key.empty()) {
    Check((result == ListedValue::Found) == found, "found exactly when a single-key read finds it");
    if (found) {
      Check(Text(buffer.data(), length) == expected.substr(0, capacity - 1),
            "the value is the single-key read's, cut to the buffer");
    }
  }

  Text path = input.TakeText(300);
  Text upper = path;
  for (WideChar& unit : upper) unit = unit >= 'a' && unit <= 'z' ? unit - 32 : unit;
  Text lock = LockName(path);
  Check(lock == LockName(upper), "the lock does not depend on the ASCII letter case");
  Check(lock.size() == 40 && lock.find('\\', 6) == Text::npos, "one valid object name");
  return 0;
}
