#pragma once
// An in-memory settings file with the profile API's semantics, which also keeps
// a log of every write so a test can tell exactly which keys a save touched.

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "common/wide_text.h"
#include "settings/profile_store.h"

using Text = std::u16string;

// One call of WriteText; deleted stands for the null value that removes a key.
struct WriteRecord {
  Text section;
  Text key;
  Text value;
  bool deleted;

  bool operator==(const WriteRecord& other) const {
    return section == other.section && key == other.key && value == other.value &&
           deleted == other.deleted;
  }
};

inline WriteRecord Written(const Text& section, const Text& key, const Text& value) {
  return {section, key, value, false};
}
inline WriteRecord Deleted(const Text& section, const Text& key) {
  return {section, key, {}, true};
}

inline std::ostream& operator<<(std::ostream& os, const WriteRecord& record) {
  os << "[" << ::testing::PrintToString(record.section) << "] "
     << ::testing::PrintToString(record.key);
  if (record.deleted) return os << " deleted";
  return os << " = " << ::testing::PrintToString(record.value);
}

class FakeProfileStore final : public ProfileStore {
 public:
  std::vector<WriteRecord> writes;

  // Fills the file without logging, as if it had been written before the run.
  void Put(const Text& section, const Text& key, const Text& value) {
    Store(section, key, value);
  }

  // The stored value, or nullptr when the key is missing.
  const Text* Find(const Text& section, const Text& key) const {
    for (const Entry& entry : entries_) {
      if (SameName(entry.section, section) && SameName(entry.key, key)) return &entry.value;
    }
    return nullptr;
  }

  void ReadText(const WideChar* section, const WideChar* key, const WideChar* fallback,
                WideChar* buffer, size_t capacity) override {
    if (capacity == 0) return;
    const Text* found = Find(section, key);
    const Text source = found != nullptr ? *found : Text(fallback != nullptr ? fallback : u"");
    size_t length = source.size() < capacity - 1 ? source.size() : capacity - 1;
    source.copy(buffer, length);
    buffer[length] = 0;
  }

  void WriteText(const WideChar* section, const WideChar* key, const WideChar* value) override {
    if (value == nullptr) {
      writes.push_back(Deleted(section, key));
      for (size_t i = 0; i < entries_.size(); ++i) {
        if (SameName(entries_[i].section, section) && SameName(entries_[i].key, key)) {
          entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
          return;
        }
      }
      return;
    }
    writes.push_back(Written(section, key, value));
    Store(section, key, value);
  }

 private:
  struct Entry {
    Text section;
    Text key;
    Text value;
  };
  std::vector<Entry> entries_;

  // Names match as the profile API matches them; ASCII folding is all the tests
  // need. Folded here rather than with the program's own comparison, so that a
  // fault in that comparison cannot hide inside the fake.
  static bool SameName(const Text& a, const Text& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
  }
  static char16_t Fold(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 32) : unit;
  }

  void Store(const Text& section, const Text& key, const Text& value) {
    for (Entry& entry : entries_) {
      if (SameName(entry.section, section) && SameName(entry.key, key)) {
        entry.value = value;
        return;
      }
    }
    entries_.push_back({section, key, value});
  }
};
