#pragma once
// The settings file, through the Windows profile API.

#include <windows.h>

#include "settings/profile_store.h"

class IniFileStore final : public ProfileStore {
 public:
  explicit IniFileStore(const wchar_t* path) : path_(path) {}

  void ReadText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback,
                wchar_t* buffer, size_t capacity) override;
  void WriteText(const wchar_t* section, const wchar_t* key, const wchar_t* value) override;

 private:
  const wchar_t* path_;
  bool fileEnsured_ = false;
};
