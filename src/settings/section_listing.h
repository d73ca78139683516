#pragma once
// A whole section as the profile API lists it ("key=value\0key=value\0\0"), and
// how one key's value is found in it. Reading a section once and looking its keys
// up here gives the same answers as asking the API key by key, at the cost of one
// parse of the settings file instead of one per key.

#include "common/wide_text.h"

enum class ListedValue {
  Found,    // buffer holds the value
  Missing,  // no such key: the caller's fallback applies
};

// listing holds length units and ends with the empty line; key matches without
// regard to ASCII case. As a single-key read would: the first line of that name
// decides, a line with no "=" counts as a key without a value (Missing), blanks
// around name and value are dropped, and one pair of enclosing quotes (" or ')
// is removed. A longer value is cut to capacity - 1 units; always terminated.
ListedValue FindListedValue(const WideChar* listing, size_t length, const WideChar* key,
                            WideChar* buffer, size_t capacity);
