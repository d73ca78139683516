// Button icons as a user sees them, and the icon cache beside the launcher.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

// The first start extracts and stores the icon; the next shows it from the cache
// though its program is gone, and writes nothing. An empty slot shows none, and
// no cache folder appears while caching is off. A shell32.dll planted beside the
// launcher, lacking what the icon needs, is never bound.
TEST(Icons, CacheIsWrittenThenServesWithoutTheSource) {
  Session s(L"[.txt]\r\ncommand1={dir}\\tool.exe %1\r\ntitle3=only a title\r\n");
  CopyFileW(s.folder.Launcher().c_str(), s.File(L"tool.exe").c_str(), FALSE);
  CopyFileW((BuildFolder() + L"\\pivora_planted.dll").c_str(), s.File(L"shell32.dll").c_str(), FALSE);
  // Wine takes a planted shell32 only when told to prefer it; Windows never does (a known DLL).
  const wchar_t wine[] = L"Software\\Wine\\AppDefaults\\Pivora64.exe";
  RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(wine) + L"\\DllOverrides").c_str(), L"shell32",
                  REG_SZ, L"n,b", sizeof L"n,b");
  HWND window = s.Open();
  RegDeleteTreeW(HKEY_CURRENT_USER, wine);
  ASSERT_NE(window, nullptr);
  EXPECT_NE(s.Image(0), nullptr);
  EXPECT_EQ(s.Image(2), nullptr);
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_FALSE(FileExists(s.File(L"iconcache")));

  WriteSettingsUtf16(s.Settings(), s.Fill(L"[SystemSetting]\r\ncacheIcon=ON\r\n[.txt]\r\ncommand1={dir}\\tool.exe %1\r\n"));
  CreateDirectoryW(s.File(L"iconcache").c_str(), nullptr);
  CreateDirectoryW(s.File(L"iconcash").c_str(), nullptr);  // both there: both stay
  const std::wstring cached = s.File(L"iconcache\\tool.exe.ico");
  ASSERT_NE(s.Open(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return FileExists(cached); }));
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_TRUE(FileExists(s.File(L"iconcash")));
  ASSERT_TRUE(DeleteFileW(s.File(L"tool.exe").c_str()));
  const std::string before = ReadBytes(cached);
  ASSERT_NE(s.Open(), nullptr);
  EXPECT_NE(s.Image(0), nullptr) << "shown from the cache";
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_TRUE(ReadBytes(cached) == before) << "a cache hit writes nothing";
}
