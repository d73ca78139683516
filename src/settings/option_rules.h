#pragma once
// The four options of section SystemSetting, and how their words read and write.

#include "common/wide_text.h"
#include "settings/profile_store.h"

extern const WideChar SYSTEM_SECTION[];  // "SystemSetting"
extern const WideChar OPTION_ON[];       // "ON"
extern const WideChar OPTION_OFF[];      // "OFF"
extern const WideChar ON_MOUSE_KEY[];    // "onMouse"

constexpr size_t OPTION_VALUE_CAPACITY = 10;

// Flags are 1 = on, 0 = off.
struct Options {
  int topView;     // always on top
  int autoClose;   // close when the focus is lost
  int loopCursor;  // arrow keys wrap at the grid's edges
  int cacheIcon;   // keep extracted icons as .ico files
};

// "ON" in any ASCII letter case is on; every other word (1, yes, TRUE) is off.
bool OptionWordIsOn(const WideChar* value);
// onMouse inverts the test: anything but "OFF", an empty value included, is on.
bool OnMouseWordIsOn(const WideChar* value);
const WideChar* OptionWord(int flag);

// Missing keys read as "OFF".
Options ReadOptions(ProfileStore& store);
bool ReadOnMouse(ProfileStore& store);
// All four, changed or not, in the order topView, autoClose, loopCursor, cacheIcon.
void WriteOptions(ProfileStore& store, const Options& options);
