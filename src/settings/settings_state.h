#pragma once
// The settings of this run: the slot tables and the options, shared by the
// window procedure and the settings, editing and icon code.

#include "settings/command_slot.h"
#include "settings/option_rules.h"

extern SlotTable currentTable;  // shown, edited and launched from
extern SlotTable savedTable;    // the start-up snapshot the change-only save compares with
extern WideChar linkTarget[LINK_TEXT_CAPACITY];  // "link" of the run's own section
extern Options options;
extern Options optionsInFile;  // what the file held at start-up, so a close writes only news
extern Options startOptions;   // as read at start-up: what differs the user toggled
// What the start read may not be what the file holds: a cut save's copy could not
// be put back, another launcher kept the lock past the wait, or the file could not
// be opened. The close then writes only what the user changed in this run.
extern bool startReadingUncertain;
