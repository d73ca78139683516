#pragma once
// What a link typed into the link dialog stores.

#include "settings/command_slot.h"

enum class LinkChange {
  Remove,  // empty: the key is deleted, the section uses its own slots again
  Set,     // value holds the section name to store
  Refuse,  // the name would not fit: stored cut it would name some other section
};

// An extension typed without its dot gets one in front; a text that begins with a
// dot is stored as typed.
LinkChange LinkValueFor(const WideChar* typed, WideChar (&value)[LINK_TEXT_CAPACITY]);
