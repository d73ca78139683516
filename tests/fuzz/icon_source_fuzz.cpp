// Where a button's icon comes from and its name in the icon cache: the name is
// whole or there is none, and the source is the slot's text cut only where the
// rules cut it.
// Input: icon location, command, cache folder (long text), a 32-bit index.

#include <memory>

#include "common/path_rules.h"
#include "fuzz_input.h"
#include "icons/icon_rules.h"

namespace {

struct Location {
  Text path;
  int32_t index;
};

// "path,index": the number is decimal with an optional minus, wrapping as 32-bit
// arithmetic does; the path loses enclosing quotes, then leading and trailing spaces.
Location ParsedLocation(const Text& text) {
  Location parsed = {text.substr(0, text.find(',')), 0};
  if (parsed.path.size() < text.size()) {
    size_t at = parsed.path.size() + 1;
    bool negative = at < text.size() && text[at] == '-';
    if (negative) ++at;
    uint32_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
      value = value * 10u + static_cast<uint32_t>(text[at] - '0');
    }
    parsed.index = static_cast<int32_t>(negative ? 0u - value : value);
  }
  Text& path = parsed.path;
  if (!path.empty() && path.front() == '"' && path.back() == '"') {
    path = path.size() >= 2 ? path.substr(1, path.size() - 2) : Text();
  }
  size_t first = path.find_first_not_of(' ');
  path = first == Text::npos ? Text() : path.substr(first, path.find_last_not_of(' ') + 1 - first);
  return parsed;
}

void CheckParse(const Text& text) {
  std::vector<WideChar> units = Terminated(text);
  int32_t index = ParseIconLocation(units.data());
  Location expected = ParsedLocation(text);
  Check(Text(units.data()) == expected.path && index == expected.index, "icon location parsed");
}

Location ResolvedSource(const Text& icon, const Text& command) {
  const size_t longest = ICON_PATH_CAPACITY - 1;
  Location source = icon.empty() ? Location{command.substr(0, longest), 0}
                                 : ParsedLocation(icon.substr(0, longest));
  for (const WideChar* extension : {WIDE(".exe "), WIDE(".bat "), WIDE(".lnk ")}) {
    size_t found = source.path.find(extension);
    if (found != Text::npos) source.path.resize(found + 4);
  }
  return source;
}

Text CacheSuffix(int32_t index) {
  if (index == 0) return WIDE(".ico");
  Text digits;
  for (char c : std::to_string(index)) digits += static_cast<WideChar>(c);
  return WIDE("[") + digits + WIDE("].ico");
}

void CheckCachePath(const Text& folder, const IconSource& source) {
  auto cachePath = std::make_unique<HeapBuffer<ICON_PATH_CAPACITY>>();
  Scribble(cachePath->units);
  bool whole = IconCachePath(Terminated(folder).data(), source, cachePath->units);
  Text got = TextIn(cachePath->units);
  Text folderPart = folder.empty() || folder.back() == '\\' ? folder : folder + WIDE("\\");
  if (whole) {
    Check(HasPrefix(got, folderPart) &&
              got.find_first_of(WIDE("\\/:"), folderPart.size()) == Text::npos,
          "the cache file lies directly in the cache folder");
  }
  // A source that ends in a separator names a folder ("C:\a\..\"): no file name.
  Text name(FindFileName(source.path));
  bool isFileName = name.find_first_of(WIDE("\\/:")) == Text::npos;
  Text expected = folderPart + name + CacheSuffix(source.index);
  if (!folder.empty() && isFileName && expected.size() < ICON_PATH_CAPACITY) {
    Check(whole && got == expected, "cache name is folder, file name and index");
  } else {
    Check(!whole && got.empty(), "no cache name rather than a cut or stray one");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  Text icon = input.TakeText(400);
  Text command = input.TakeText(400);
  Text folder = input.TakeLongText(400);
  int32_t anyIndex = input.I32();

  CheckParse(icon);
  auto source = std::make_unique<IconSource>();
  ResolveIconSource(Terminated(icon).data(), Terminated(command).data(), *source);
  Location expected = ResolvedSource(icon, command);
  Check(TextIn(source->path) == expected.path && source->index == expected.index,
        "icon source is the location, or the program of the command");
  CheckCachePath(folder, *source);
  source->index = anyIndex;
  CheckCachePath(folder, *source);
  return 0;
}
