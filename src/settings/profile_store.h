#pragma once
// The settings file as the slot and option rules see it: a keyed text store with
// the semantics of the Windows profile API. The program backs it with that API;
// the unit tests back it with a map.

#include "common/wide_text.h"

class ProfileStore {
 public:
  // Section and key match without regard to case. A missing file, section or key
  // yields fallback; a longer value is cut to capacity - 1 units; always terminated.
  virtual void ReadText(const WideChar* section, const WideChar* key, const WideChar* fallback,
                        WideChar* buffer, size_t capacity) = 0;
  // value == nullptr removes the key. Every other key stays as it was.
  virtual void WriteText(const WideChar* section, const WideChar* key, const WideChar* value) = 0;

 protected:
  ~ProfileStore() = default;
};
