// The link typed into the link dialog: removed when empty, else stored whole with
// its leading dot, or refused; never stored cut.
// Input: the typed text (long text).

#include "fuzz_input.h"
#include "settings/link_rules.h"
#include "settings/slot_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  Text typed = input.TakeLongText(2 * LINK_TEXT_CAPACITY);
  WideChar value[LINK_TEXT_CAPACITY];
  Scribble(value);
  LinkChange change = LinkValueFor(Terminated(typed).data(), value);
  Text stored = TextIn(value);
  Text expected = (typed.empty() || typed[0] == '.' ? Text() : WIDE(".")) + typed;
  if (typed.empty()) {
    Check(change == LinkChange::Remove && stored.empty(), "empty text removes the link");
  } else if (expected.size() >= LINK_TEXT_CAPACITY) {
    Check(change == LinkChange::Refuse && stored.empty(), "too long: refused, not cut");
  } else {
    Check(change == LinkChange::Set && stored == expected, "stored whole with its dot");
    Check(Text(SlotSectionOf(value, WIDE(".txt"))) == expected, "the link becomes the section");
  }
  return 0;
}
