// The change-only save against an in-memory settings file: random file contents are
// loaded, the table is edited at random, every slot is saved. Only changed keys are
// written (a change of letter case alone is a change), nothing else in the file
// moves, and loading again gives the edited table.
// Input: section choice, stored entries (count, then section, key, value each),
// edits (count, then slot, field, kind, text each).

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "fuzz_input.h"
#include "settings/slot_store.h"

namespace {

Text Folded(Text text) {
  for (WideChar& unit : text) {
    if (unit >= 'A' && unit <= 'Z') unit = static_cast<WideChar>(unit - 'A' + 'a');
  }
  return text;
}

// The profile API's semantics: names match without regard to case, values are cut
// to the reader's capacity, a null value removes the key. Every write is logged.
class MemoryStore final : public ProfileStore {
 public:
  using Name = std::pair<Text, Text>;  // folded section and key
  std::map<Name, Text> entries;
  std::vector<Name> writes;

  static Name NameOf(const Text& section, const Text& key) {
    return {Folded(section), Folded(key)};
  }
  void ReadText(const WideChar* section, const WideChar* key, const WideChar* fallback,
                WideChar* buffer, size_t capacity) override {
    auto found = entries.find(NameOf(section, key));
    Text value = found != entries.end() ? found->second : Text(fallback);
    value = value.substr(0, capacity - 1);
    value.copy(buffer, value.size());
    buffer[value.size()] = 0;
  }
  void WriteText(const WideChar* section, const WideChar* key, const WideChar* value) override {
    Name name = NameOf(section, key);
    writes.push_back(name);
    if (value == nullptr) {
      entries.erase(name);
    } else {
      entries[name] = value;
    }
  }
};

const WideChar* const FIELD_KEYS[4] = {WIDE("title"), WIDE("command"), WIDE("icon"), WIDE("runas")};

Text KeyOf(int field, int slot) {
  Text key = FIELD_KEYS[field];
  for (char digit : std::to_string(slot + 1)) key += static_cast<WideChar>(digit);
  return key;
}

Text FieldText(const CommandSlot& slot, int field) {
  switch (field) {
    case 0:
      return TextIn(slot.title);
    case 1:
      return TextIn(slot.command);
    case 2:
      return TextIn(slot.icon);
    default:
      return slot.runAs == 1 ? WIDE("ON") : Text();
  }
}

WideChar (&FieldBuffer(CommandSlot& slot, int field))[SLOT_TEXT_CAPACITY] {
  return field == 0 ? slot.title : field == 1 ? slot.command : slot.icon;
}

Text TakeName(FuzzInput& input, const Text* named, size_t count) {
  uint8_t choice = input.Byte();
  return choice < count ? named[choice] : input.TakeText(40);
}

Text TakeKey(FuzzInput& input) {
  uint8_t choice = input.Byte();
  if (choice < 4 * SLOT_COUNT) return KeyOf(choice % 4, choice / 4);
  if (choice < 4 * SLOT_COUNT + 8) return WIDE("link");
  return input.TakeText(20);
}

// What a load gives for a stored text: a title cut to capacity, a command or icon
// that does not fit as empty (a cut one would name another file).
Text Loaded(const Text& stored, int field) {
  if (stored.size() < SLOT_TEXT_CAPACITY) return stored;
  return field == 0 ? stored.substr(0, SLOT_TEXT_CAPACITY - 1) : Text();
}

// Every field loaded from the section as Loaded says, runAs on for "ON" only.
void CheckLoaded(const MemoryStore& store, const Text& section, const SlotTable& table) {
  for (int s = 0; s < SLOT_COUNT; ++s) {
    for (int field = 0; field < 4; ++field) {
      auto found = store.entries.find(MemoryStore::NameOf(section, KeyOf(field, s)));
      Text stored = found != store.entries.end() ? found->second : Text();
      Text expected = field < 3 ? Loaded(stored, field)
                                : (Folded(stored) == WIDE("on") ? WIDE("ON") : Text());
      Check(FieldText(table.slots[s], field) == expected, "a loaded field is what the file holds");
    }
    Check(table.slots[s].runAs == 0 || table.slots[s].runAs == 1, "runAs is 0 or 1");
  }
}

void Edit(FuzzInput& input, SlotTable& table) {
  CommandSlot& slot = table.slots[input.Byte() % SLOT_COUNT];
  int field = input.Byte() % 4;
  if (field == 3) {
    slot.runAs = 1 - slot.runAs;
    return;
  }
  WideChar(&text)[SLOT_TEXT_CAPACITY] = FieldBuffer(slot, field);
  switch (input.Byte() % 3) {
    case 0:
      text[0] = 0;
      break;
    case 1:  // the same text in other ASCII letter case
      for (WideChar* unit = text; *unit != 0; ++unit) {
        if ((*unit | 0x20) >= 'a' && (*unit | 0x20) <= 'z') *unit ^= 0x20;
      }
      break;
    default:
      Put(text, input.TakeText(SLOT_TEXT_CAPACITY + 20));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  const Text sections[4] = {WIDE(".txt"), WIDE(".TXT"), WIDE("folder"), WIDE(".doc")};
  Text sectionName = TakeName(input, sections, 2 + input.Flag());
  MemoryStore store;
  for (int count = input.Byte() % 64; count > 0; --count) {
    Text section = TakeName(input, sections, 4);
    Text key = TakeKey(input);
    store.entries[MemoryStore::NameOf(section, key)] = input.TakeLongText(400);
  }

  auto saved = std::make_unique<SlotTable>();
  WideChar link[LINK_TEXT_CAPACITY];
  Scribble(link);
  LoadSlotTable(store, Terminated(sectionName).data(), *saved, link);
  const Text linkText = TextIn(link);
  auto storedLink = store.entries.find(MemoryStore::NameOf(sectionName, WIDE("link")));
  Text expectedLink = storedLink != store.entries.end() ? storedLink->second : Text();
  if (expectedLink.size() >= LINK_TEXT_CAPACITY) expectedLink.clear();  // a cut link names another section
  Check(linkText == expectedLink, "the link is what the file holds, or none when it does not fit");
  const Text slotSection = linkText.empty() ? sectionName : linkText;
  Check(Text(SlotSectionOf(link, Terminated(sectionName).data())) == slotSection,
        "the link, when there is one, names the slot section");
  CheckLoaded(store, slotSection, *saved);

  auto current = std::make_unique<SlotTable>(*saved);
  for (int count = input.Byte() % 32; count > 0; --count) Edit(input, *current);

  const std::map<MemoryStore::Name, Text> before = store.entries;
  for (int s = 0; s < SLOT_COUNT; ++s) {
    SaveSlot(store, s, Terminated(slotSection).data(), *current, *saved);
  }

  // Exactly the changed fields are written, once each, into the slot section.
  std::map<MemoryStore::Name, Text> expectedEntries = before;
  size_t changed = 0;
  for (int s = 0; s < SLOT_COUNT; ++s) {
    for (int field = 0; field < 4; ++field) {
      Text now = FieldText(current->slots[s], field);
      if (now == FieldText(saved->slots[s], field)) continue;
      ++changed;
      MemoryStore::Name name = MemoryStore::NameOf(slotSection, KeyOf(field, s));
      if (now.empty()) {
        expectedEntries.erase(name);
      } else {
        expectedEntries[name] = now;
      }
    }
  }
  Check(store.writes.size() == changed, "one write per changed field, none for the others");
  std::sort(store.writes.begin(), store.writes.end());
  Check(std::adjacent_find(store.writes.begin(), store.writes.end()) == store.writes.end(),
        "no key written twice");
  Check(store.entries == expectedEntries, "the file holds the changes and nothing else moved");

  auto reloaded = std::make_unique<SlotTable>();
  WideChar linkAgain[LINK_TEXT_CAPACITY];
  LoadSlotTable(store, Terminated(sectionName).data(), *reloaded, linkAgain);
  Check(TextIn(linkAgain) == linkText, "the link is not touched");
  for (int s = 0; s < SLOT_COUNT; ++s) {
    for (int field = 0; field < 4; ++field) {
      Text now = FieldText(current->slots[s], field);
      Check(FieldText(reloaded->slots[s], field) == now, "loading again gives the edits");
    }
  }
  return 0;
}
