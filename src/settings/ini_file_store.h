#pragma once
// The settings file, through the Windows profile API.

#include <windows.h>

#include "settings/profile_store.h"

class IniFileStore final : public ProfileStore {
 public:
  explicit IniFileStore(const wchar_t* path) : path_(path) {}
  ~IniFileStore();
  IniFileStore(const IniFileStore&) = delete;
  IniFileStore& operator=(const IniFileStore&) = delete;

  void ReadText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                wchar_t* buffer, size_t capacity) override;
  void WriteText(const wchar_t* section, const wchar_t* key, const wchar_t* value) override;
  // As WriteText, with the profile API's answer: false, and the reason in
  // GetLastError, when the file could not be written.
  bool WriteValue(const wchar_t* section, const wchar_t* key, const wchar_t* value);

  // The file is there but cannot be opened for reading (another program holds it
  // without sharing, or access is denied): whatever was read came from defaults.
  bool ExistsButUnreadable() const;

 private:
  static constexpr size_t LISTING_CAPACITY = 32768;
  static constexpr size_t LISTED_SECTION_CAPACITY = 260;

  bool ListSection(const wchar_t* section);

  const wchar_t* path_;
  bool fileEnsured_ = false;
  bool holdsAnyText_ = false;  // the file is known to be in an encoding that holds any text
  // The last section read whole; empty-named sections are real, so validity is kept apart.
  wchar_t* listing_ = nullptr;
  size_t listingLength_ = 0;
  bool listingValid_ = false;
  wchar_t listedSection_[LISTED_SECTION_CAPACITY] = {};
};
