#pragma once
// Reading a section's twelve slots (following one level of link) and writing back
// only what changed since start-up.

#include "settings/command_slot.h"
#include "settings/option_rules.h"
#include "settings/profile_store.h"

// The section slots are read from and written to: the link when there is one.
const WideChar* SlotSectionOf(const WideChar* linkTarget, const WideChar* sectionName);

// The link of sectionName as the launcher uses it: a value longer than a link
// holds reads as empty (cut, it would name another section).
void ReadLink(ProfileStore& store, const WideChar* sectionName,
              WideChar (&link)[LINK_TEXT_CAPACITY]);

// Reads "link" of sectionName into linkTarget, then every field of every slot from
// the linked section (or sectionName itself). A linked section's own link is not
// followed. Nothing of the table's earlier content survives.
void LoadSlotTable(ProfileStore& store, const WideChar* sectionName, SlotTable& table,
                   WideChar (&linkTarget)[LINK_TEXT_CAPACITY]);

// Writes the keys of one slot whose value differs from the start-up snapshot;
// an emptied text or runAs 0 deletes its key instead of writing an empty value.
void SaveSlot(ProfileStore& store, int slot, const WideChar* section, const SlotTable& current,
              const SlotTable& saved);

// Whether a close has anything of the user's to write: a slot SaveSlot would
// write, or an option toggled since start-up. The launcher's own tidying of the
// option words (an "on" written back as "ON") is not the user's.
bool SettingsChangedByUser(const SlotTable& current, const SlotTable& saved, const Options& options,
                           const Options& startOptions);

// "title7" and the like: prefix followed by the key number in decimal.
constexpr size_t SLOT_KEY_CAPACITY = 16;
void FormatSlotKey(const WideChar* prefix, int keyNumber, WideChar (&key)[SLOT_KEY_CAPACITY]);
