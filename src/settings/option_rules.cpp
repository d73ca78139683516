#include "settings/option_rules.h"

const WideChar SYSTEM_SECTION[] = WIDE("SystemSetting");
const WideChar OPTION_ON[] = WIDE("ON");
const WideChar OPTION_OFF[] = WIDE("OFF");
const WideChar ON_MOUSE_KEY[] = WIDE("onMouse");

namespace {
const WideChar TOP_VIEW_KEY[] = WIDE("topView");
const WideChar AUTO_CLOSE_KEY[] = WIDE("autoClose");
const WideChar LOOP_CURSOR_KEY[] = WIDE("loopCursor");
const WideChar CACHE_ICON_KEY[] = WIDE("cacheIcon");

const WideChar NOT_STORED_WORD[] = WIDE("");

int ReadFlag(ProfileStore& store, const WideChar* key, int& inFile) {
  WideChar value[OPTION_VALUE_CAPACITY];
  store.ReadText(SYSTEM_SECTION, key, NOT_STORED_WORD, value, OPTION_VALUE_CAPACITY);
  int flag = OptionWordIsOn(value) ? 1 : 0;
  // Exact words only: "on" means on, but the file does not yet hold "ON".
  bool exact = true;
  const WideChar* word = OptionWord(flag);
  for (size_t i = 0; exact && (word[i] != 0 || value[i] != 0); ++i) exact = word[i] == value[i];
  inFile = exact ? flag : OPTION_NOT_STORED;
  return flag;
}

void WriteFlag(ProfileStore& store, const WideChar* key, int flag, int inFile) {
  if (flag != inFile) store.WriteText(SYSTEM_SECTION, key, OptionWord(flag));
}
}  // namespace

bool OptionWordIsOn(const WideChar* value) { return TextEqualsIgnoringAsciiCase(value, OPTION_ON); }

bool OnMouseWordIsOn(const WideChar* value) {
  return !TextEqualsIgnoringAsciiCase(value, OPTION_OFF);
}

const WideChar* OptionWord(int flag) { return flag == 1 ? OPTION_ON : OPTION_OFF; }

Options ReadOptions(ProfileStore& store, Options& inFile) {
  Options options;
  options.loopCursor = ReadFlag(store, LOOP_CURSOR_KEY, inFile.loopCursor);
  options.topView = ReadFlag(store, TOP_VIEW_KEY, inFile.topView);
  options.autoClose = ReadFlag(store, AUTO_CLOSE_KEY, inFile.autoClose);
  options.cacheIcon = ReadFlag(store, CACHE_ICON_KEY, inFile.cacheIcon);
  return options;
}

bool ReadOnMouse(ProfileStore& store) {
  WideChar value[OPTION_VALUE_CAPACITY];
  store.ReadText(SYSTEM_SECTION, ON_MOUSE_KEY, OPTION_OFF, value, OPTION_VALUE_CAPACITY);
  return OnMouseWordIsOn(value);
}

void WriteOptions(ProfileStore& store, const Options& options, const Options& inFile) {
  WriteFlag(store, TOP_VIEW_KEY, options.topView, inFile.topView);
  WriteFlag(store, AUTO_CLOSE_KEY, options.autoClose, inFile.autoClose);
  WriteFlag(store, LOOP_CURSOR_KEY, options.loopCursor, inFile.loopCursor);
  WriteFlag(store, CACHE_ICON_KEY, options.cacheIcon, inFile.cacheIcon);
}
