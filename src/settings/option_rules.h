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

// A flag of inFile when the file does not hold that option as "ON" or "OFF" exactly.
constexpr int OPTION_NOT_STORED = -1;

// Missing keys read as "OFF". inFile receives, for each option, the flag whose
// word the file already holds exactly, or OPTION_NOT_STORED.
Options ReadOptions(ProfileStore& store, Options& inFile);
bool ReadOnMouse(ProfileStore& store);
// In the order topView, autoClose, loopCursor, cacheIcon, each option whose word
// the file did not already hold at start-up. After a close the file holds all four
// in their exact words, as if all had been written, but an option another
// instance changed meanwhile is not put back, and a large file is not parsed four
// times for nothing.
void WriteOptions(ProfileStore& store, const Options& options, const Options& inFile);
