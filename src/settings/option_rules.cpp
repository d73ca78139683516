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

int ReadFlag(ProfileStore& store, const WideChar* key) {
  WideChar value[OPTION_VALUE_CAPACITY];
  store.ReadText(SYSTEM_SECTION, key, OPTION_OFF, value, OPTION_VALUE_CAPACITY);
  return OptionWordIsOn(value) ? 1 : 0;
}
}  // namespace

bool OptionWordIsOn(const WideChar* value) { return TextEqualsIgnoringAsciiCase(value, OPTION_ON); }

bool OnMouseWordIsOn(const WideChar* value) {
  return !TextEqualsIgnoringAsciiCase(value, OPTION_OFF);
}

const WideChar* OptionWord(int flag) { return flag == 1 ? OPTION_ON : OPTION_OFF; }

Options ReadOptions(ProfileStore& store) {
  Options options;
  options.loopCursor = ReadFlag(store, LOOP_CURSOR_KEY);
  options.topView = ReadFlag(store, TOP_VIEW_KEY);
  options.autoClose = ReadFlag(store, AUTO_CLOSE_KEY);
  options.cacheIcon = ReadFlag(store, CACHE_ICON_KEY);
  return options;
}

bool ReadOnMouse(ProfileStore& store) {
  WideChar value[OPTION_VALUE_CAPACITY];
  store.ReadText(SYSTEM_SECTION, ON_MOUSE_KEY, OPTION_OFF, value, OPTION_VALUE_CAPACITY);
  return OnMouseWordIsOn(value);
}

void WriteOptions(ProfileStore& store, const Options& options) {
  store.WriteText(SYSTEM_SECTION, TOP_VIEW_KEY, OptionWord(options.topView));
  store.WriteText(SYSTEM_SECTION, AUTO_CLOSE_KEY, OptionWord(options.autoClose));
  store.WriteText(SYSTEM_SECTION, LOOP_CURSOR_KEY, OptionWord(options.loopCursor));
  store.WriteText(SYSTEM_SECTION, CACHE_ICON_KEY, OptionWord(options.cacheIcon));
}
