// The texts the edit dialog derives from a chosen or dropped file: a title that is
// part of the file's name, and an icon location that is whole or not written.
// Input: path (long text), a 32-bit icon index.

#include <memory>

#include "editing/edit_text_rules.h"
#include "fuzz_input.h"

namespace {

const size_t FIELD = 260;

bool IsIco(const Text& path) {
  size_t dot = path.rfind('.');
  if (dot == Text::npos || path.find_first_of(WIDE("\\ "), dot) != Text::npos) return false;
  Text extension = path.substr(dot);
  for (WideChar& unit : extension) {
    if (unit >= 'A' && unit <= 'Z') unit = static_cast<WideChar>(unit - 'A' + 'a');
  }
  return extension == WIDE(".ico");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  Text path = input.TakeLongText(2 * FIELD);
  int32_t index = input.I32();
  std::vector<WideChar> units = Terminated(path);

  auto title = std::make_unique<HeapBuffer<FIELD>>();
  Scribble(title->units);
  TitleFromPath(units.data(), title->units);
  Text name = TextIn(title->units);
  Check(path.substr(0, FIELD - 1).find(name) != Text::npos, "the title is part of the path");

  auto location = std::make_unique<HeapBuffer<FIELD>>();
  Put(location->units, WIDE("untouched"));
  Text expected = path;
  if (!IsIco(path)) {
    expected += WIDE(",");
    for (char c : std::to_string(index)) expected += static_cast<WideChar>(c);
  }
  bool written = FormatIconLocation(units.data(), index, location->units);
  Text got = TextIn(location->units);
  if (expected.size() < FIELD) {
    Check(written && got == expected, "icon location is the path, and the index unless .ico");
  } else {
    Check(!written && got == WIDE("untouched"),
          "an icon location that does not fit is not written");
  }
  return 0;
}
