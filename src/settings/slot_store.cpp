#include "settings/slot_store.h"

#include "settings/option_rules.h"

namespace {

const WideChar LINK_KEY[] = WIDE("link");
const WideChar TITLE_KEY[] = WIDE("title");
const WideChar COMMAND_KEY[] = WIDE("command");
const WideChar ICON_KEY[] = WIDE("icon");
const WideChar RUNAS_KEY[] = WIDE("runas");
const WideChar EMPTY[] = WIDE("");

constexpr size_t RUNAS_VALUE_CAPACITY = 256;

// What a read does with a value longer than the field: a title is shown cut, but
// a cut command or icon path would name another file and a cut link another
// section, so those read as empty (the key itself stays in the file untouched).
enum class Overlong { Cut, Empty };

template <size_t Capacity>
void ReadBounded(ProfileStore& store, const WideChar* section, const WideChar* key,
                 Overlong overlong, WideChar (&field)[Capacity]) {
  WideChar value[Capacity + 1];  // one unit more than fits tells a cut value apart
  store.ReadText(section, key, EMPTY, value, Capacity + 1);
  if (TextLength(value) >= Capacity && overlong == Overlong::Empty) value[0] = 0;
  CopyText(field, value);
}

void ReadSlotText(ProfileStore& store, const WideChar* section, const WideChar* prefix,
                  int keyNumber, Overlong overlong, WideChar (&field)[SLOT_TEXT_CAPACITY]) {
  WideChar key[SLOT_KEY_CAPACITY];
  FormatSlotKey(prefix, keyNumber, key);
  ReadBounded(store, section, key, overlong, field);
}

void SaveSlotText(ProfileStore& store, const WideChar* section, const WideChar* prefix,
                  int keyNumber, const WideChar* current, const WideChar* saved) {
  if (TextEquals(current, saved)) return;
  WideChar key[SLOT_KEY_CAPACITY];
  FormatSlotKey(prefix, keyNumber, key);
  store.WriteText(section, key, TextIsEmpty(current) ? nullptr : current);
}

}  // namespace

const WideChar* SlotSectionOf(const WideChar* linkTarget, const WideChar* sectionName) {
  return TextIsEmpty(linkTarget) ? sectionName : linkTarget;
}

void FormatSlotKey(const WideChar* prefix, int keyNumber, WideChar (&key)[SLOT_KEY_CAPACITY]) {
  CopyText(key, prefix);
  WideChar digits[12];
  int count = 0;
  unsigned value = keyNumber < 0 ? 0u : static_cast<unsigned>(keyNumber);
  do {
    digits[count++] = static_cast<WideChar>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  WideChar number[12];
  for (int i = 0; i < count; ++i) number[i] = digits[count - 1 - i];
  number[count] = 0;
  AppendText(key, number);
}

void ReadLink(ProfileStore& store, const WideChar* sectionName,
              WideChar (&link)[LINK_TEXT_CAPACITY]) {
  ReadBounded(store, sectionName, LINK_KEY, Overlong::Empty, link);
}

void LoadSlotTable(ProfileStore& store, const WideChar* sectionName, SlotTable& table,
                   WideChar (&linkTarget)[LINK_TEXT_CAPACITY]) {
  ReadLink(store, sectionName, linkTarget);
  const WideChar* section = SlotSectionOf(linkTarget, sectionName);
  for (int n = 1; n <= SLOT_COUNT; ++n) {
    CommandSlot& slot = table.slots[n - 1];
    ReadSlotText(store, section, TITLE_KEY, n, Overlong::Cut, slot.title);
    ReadSlotText(store, section, COMMAND_KEY, n, Overlong::Empty, slot.command);
    ReadSlotText(store, section, ICON_KEY, n, Overlong::Empty, slot.icon);
    WideChar runAs[RUNAS_VALUE_CAPACITY];
    WideChar key[SLOT_KEY_CAPACITY];
    FormatSlotKey(RUNAS_KEY, n, key);
    store.ReadText(section, key, OPTION_OFF, runAs, RUNAS_VALUE_CAPACITY);
    slot.runAs = OptionWordIsOn(runAs) ? 1 : 0;
  }
}

void SaveSlot(ProfileStore& store, int slot, const WideChar* section, const SlotTable& current,
              const SlotTable& saved) {
  const CommandSlot& now = current.slots[slot];
  const CommandSlot& then = saved.slots[slot];
  int n = slot + 1;
  SaveSlotText(store, section, TITLE_KEY, n, now.title, then.title);
  SaveSlotText(store, section, COMMAND_KEY, n, now.command, then.command);
  SaveSlotText(store, section, ICON_KEY, n, now.icon, then.icon);
  if (now.runAs != then.runAs) {
    WideChar key[SLOT_KEY_CAPACITY];
    FormatSlotKey(RUNAS_KEY, n, key);
    store.WriteText(section, key, now.runAs == 1 ? OPTION_ON : nullptr);
  }
}

bool SettingsChangedByUser(const SlotTable& current, const SlotTable& saved, const Options& options,
                           const Options& startOptions) {
  for (int slot = 0; slot < SLOT_COUNT; ++slot) {
    const CommandSlot& now = current.slots[slot];
    const CommandSlot& then = saved.slots[slot];
    if (!TextEquals(now.title, then.title) || !TextEquals(now.command, then.command) ||
        !TextEquals(now.icon, then.icon) || now.runAs != then.runAs) {
      return true;
    }
  }
  return options.topView != startOptions.topView || options.autoClose != startOptions.autoClose ||
         options.loopCursor != startOptions.loopCursor || options.cacheIcon != startOptions.cacheIcon;
}
