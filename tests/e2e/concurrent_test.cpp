// Several launchers on one settings file, each changing its own slot and all
// closing at once: every change must reach the file.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "launcher_harness.h"

using namespace e2e;

TEST(Concurrent, EightInstancesClosingAtOnceKeepEveryChange) {
  constexpr int INSTANCES = 8;
  TestFolder folder;
  std::wstring text = L"[SystemSetting]\r\ntopView=OFF\r\nautoClose=OFF\r\nloopCursor=OFF\r\n"
                      L"cacheIcon=OFF\r\n[.txt]\r\n";
  for (int n = 1; n <= 12; ++n) {
    std::wstring k = std::to_wstring(n);
    text += L"title" + k + L"=slot " + k + L"\r\ncommand" + k + L"=tool" + k + L".exe\r\n";
  }
  WriteSettingsUtf16(folder.Settings(), text);

  std::vector<std::unique_ptr<LauncherProcess>> launchers;
  std::vector<HWND> windows;
  for (int i = 0; i < INSTANCES; ++i) {
    launchers.push_back(
        std::make_unique<LauncherProcess>(folder, L"\"" + folder.File(L"notes.txt") + L"\""));
    windows.push_back(launchers.back()->WaitForWindow());
    ASSERT_NE(windows.back(), nullptr);
  }
  // Instance i clears slot i: i steps of Tab from the first slot, then Delete.
  for (int i = 0; i < INSTANCES; ++i) {
    ASSERT_TRUE(Activate(windows[i]));
    for (int step = 0; step < i; ++step) PressKey(VK_TAB);
    PressKey(VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return StatusBarText(windows[i]).empty(); }))
        << "instance " << i << " did not clear its slot";
  }
  for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
  for (auto& launcher : launchers) EXPECT_EQ(launcher->WaitForExit(), 0u);

  for (int n = 1; n <= 12; ++n) {
    std::wstring k = std::to_wstring(n);
    bool cleared = n <= INSTANCES;
    EXPECT_EQ(IniValue(folder.Settings(), L".txt", (L"title" + k).c_str()),
              cleared ? std::wstring(MISSING) : L"slot " + k)
        << "title" << n;
    EXPECT_EQ(IniValue(folder.Settings(), L".txt", (L"command" + k).c_str()),
              cleared ? std::wstring(MISSING) : L"tool" + k + L".exe")
        << "command" << n;
  }
}

// Eight launchers starting at once on a cold icon cache all extract and store the
// same icons: every cache file left behind loads, and no temporary file remains.
TEST(Concurrent, EightInstancesFillingOneIconCacheLeaveOnlyWholeFiles) {
  constexpr int INSTANCES = 8;
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  std::wstring text = L"[SystemSetting]\r\ncacheIcon=ON\r\n[.txt]\r\n";
  for (int n = 1; n <= 12; ++n) {
    text += L"command" + std::to_wstring(n) + L"=" + (n % 2 ? recorder : folder.Launcher()) +
            L"\r\nicon" + std::to_wstring(n) + L"=shell32.dll," + std::to_wstring(n) + L"\r\n";
  }
  WriteSettingsUtf16(folder.Settings(), text);
  std::vector<std::unique_ptr<LauncherProcess>> launchers;
  for (int i = 0; i < INSTANCES; ++i) {
    launchers.push_back(
        std::make_unique<LauncherProcess>(folder, L"\"" + folder.File(L"notes.txt") + L"\""));
  }
  for (auto& launcher : launchers) {
    HWND window = launcher->WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  for (auto& launcher : launchers) EXPECT_EQ(launcher->WaitForExit(), 0u);

  int files = 0;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder.File(L"iconcache") + L"\\*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    ++files;
    EXPECT_EQ(name.substr(name.size() - 4), L".ico") << "left behind: " << std::string(name.begin(), name.end());
    HANDLE icon = LoadImageW(nullptr, folder.File(L"iconcache\\" + name).c_str(), IMAGE_ICON, 0, 0,
                             LR_LOADFROMFILE);
    EXPECT_NE(icon, nullptr) << "does not load: " << std::string(name.begin(), name.end());
    if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  EXPECT_EQ(files, 12) << "one file per distinct icon";
}
