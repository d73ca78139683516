// Button icons as a user sees them, the icon cache beside the launcher, and a long
// session's resources.

#include <gtest/gtest.h>

#include <cstdio>

#include "launcher_harness.h"
#include "resource_counts.h"

using namespace e2e;

// The first start extracts and stores the icon; the next shows it from the cache
// though its program is gone, and writes nothing. An empty slot shows none, and
// no cache folder appears while caching is off.
TEST(Icons, CacheIsWrittenThenServesWithoutTheSource) {
  Session s(L"[.txt]\r\ncommand1={dir}\\tool.exe %1\r\ntitle3=only a title\r\n");
  CopyFileW(s.folder.Launcher().c_str(), s.File(L"tool.exe").c_str(), FALSE);
  ASSERT_NE(s.Open(), nullptr);
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

// Hundreds of navigation steps (each refreshes an icon) and of edit-dialog
// round trips leave the handles, GDI objects and windows where they were.
TEST(Icons, ALongSessionLeavesTheCountsFlat) {
  const wchar_t* programs[] = {L"notepad.exe", L"regedit.exe", L"system32\\winemine.exe", L"system32\\cmd.exe"};
  std::wstring settings = L"[.txt]\r\n";
  for (int n = 1; n <= 12; ++n) {
    settings += L"command" + std::to_wstring(n) + L"=C:\\windows\\" + programs[n % 4] + L" %1\r\n";
    if (n > 8) settings += L"icon" + std::to_wstring(n) + L"=C:\\windows\\system32\\shell32.dll," + std::to_wstring(n) + L"\r\n";
  }
  Session s(settings);
  ASSERT_NE(s.Open(), nullptr);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, s.launcher->ProcessId());
  ASSERT_NE(process, nullptr);
  const WPARAM round[] = {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_LEFT, VK_LEFT, VK_LEFT, VK_UP, VK_UP};
  // Sent keys return once handled: no waiting, none lost.
  auto navigate = [&](int steps) {
    for (int i = 0; i < steps; ++i) SendMessageW(s.window, WM_KEYDOWN, round[i % 10], 0);
  };
  auto editRoundTrips = [&](int trips) {
    for (int i = 0; i < trips; ++i) {
      PostMessageW(s.window, WM_COMMAND, 100, 0);  // the button menu's edit
      HWND dialog = nullptr;
      while (!(dialog = FindProcessWindow(s.launcher->ProcessId(), L"#32770", EDIT_CAPTION))) Sleep(1);
      SendMessageW(dialog, WM_COMMAND, IDOK, 0);
      while (IsWindow(dialog)) Sleep(1);
    }
  };
  navigate(20);
  editRoundTrips(20);
  ResourceCounts start = CountResources(process, s.launcher->ProcessId());
  navigate(500);
  ResourceCounts navigated = CountResources(process, s.launcher->ProcessId());
  editRoundTrips(120);
  ResourceCounts edited = CountResources(process, s.launcher->ProcessId());
  for (const ResourceCounts* counts : {&start, &navigated, &edited}) {
    std::printf("handles %4ld, GDI objects %4ld, windows %3ld\n", counts->kernelHandles, counts->gdiObjects, counts->windows);
  }
  EXPECT_GT(start.gdiObjects, 0);
  // A first use may leave a few; Wine keeps some device contexts for dialogs that
  // come and go (about 17 after the first hundreds, then no more).
  EXPECT_LE(navigated.gdiObjects, start.gdiObjects + 8);
  EXPECT_LE(navigated.kernelHandles, start.kernelHandles + 8);
  EXPECT_LE(edited.gdiObjects, navigated.gdiObjects + 96);
  EXPECT_LE(edited.windows, navigated.windows + 8);
  EXPECT_EQ(s.Close(), 0u);
  CloseHandle(process);
}
