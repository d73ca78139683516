// Button icons as a user sees them, and the icon cache folder beside the launcher.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

HICON ButtonImage(HWND mainWindow, int slot) {
  return reinterpret_cast<HICON>(SendMessageW(SlotButton(mainWindow, slot), BM_GETIMAGE, IMAGE_ICON, 0));
}

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A program with an icon of its own, in the test folder.
std::wstring AddProgramWithIcon(const TestFolder& folder) {
  std::wstring tool = folder.File(L"tool.exe");
  CopyFileW(folder.Launcher().c_str(), tool.c_str(), FALSE);
  return tool;
}

}  // namespace

TEST(Icons, SlotsShowTheIconOfTheirProgramAndEmptySlotsNone) {
  TestFolder folder;
  std::wstring tool = AddProgramWithIcon(folder);
  WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\ncommand1=" + tool + L" %1\r\n"
                                        L"title3=only a title\r\n");
  LauncherProcess launcher(folder, L"\"" + folder.File(L"a.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_NE(ButtonImage(window, 0), nullptr);
  EXPECT_EQ(ButtonImage(window, 1), nullptr);
  EXPECT_EQ(ButtonImage(window, 2), nullptr);
  EXPECT_FALSE(IsFolder(folder.File(L"iconcache"))) << "no cache folder while caching is off";
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);
}

// The first start extracts and stores the icon; the next one shows it from the
// cache even though the program it came from is gone.
TEST(Icons, CacheIsWrittenThenServesWithoutTheSource) {
  TestFolder folder;
  std::wstring tool = AddProgramWithIcon(folder);
  WriteSettingsUtf16(folder.Settings(), L"[SystemSetting]\r\ncacheIcon=ON\r\n"
                                        L"[.txt]\r\ncommand1=" + tool + L" %1\r\n");
  std::wstring cacheFile = folder.File(L"iconcache\\tool.exe.ico");
  {
    LauncherProcess launcher(folder, L"\"" + folder.File(L"a.txt") + L"\"");
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(ButtonImage(window, 0), nullptr);
    EXPECT_EQ(launcher.CloseWithEscape(window), 0u);
  }
  ASSERT_TRUE(FileExists(cacheFile));
  HANDLE loaded = LoadImageW(nullptr, cacheFile.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
  EXPECT_NE(loaded, nullptr);
  if (loaded) DestroyIcon(static_cast<HICON>(loaded));

  ASSERT_TRUE(DeleteFileW(tool.c_str()));
  std::string before = ReadBytes(cacheFile);
  LauncherProcess again(folder, L"\"" + folder.File(L"a.txt") + L"\"");
  HWND window = again.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_NE(ButtonImage(window, 0), nullptr) << "shown from the cache";
  EXPECT_EQ(ReadBytes(cacheFile), before) << "a cache hit writes nothing";
  EXPECT_EQ(again.CloseWithEscape(window), 0u);
}

TEST(Icons, LegacyCacheFolderIsRenamedUnlessBothExist) {
  {
    TestFolder folder;
    CreateDirectoryW(folder.File(L"iconcash").c_str(), nullptr);
    WriteBytes(folder.File(L"iconcash\\old.exe.ico"), "x");
    // Even a refused start moves it: the move comes before the argument check.
    LauncherProcess launcher(folder, L"");
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      return (box = FindProcessWindow(launcher.ProcessId(), L"#32770", L"Pivora")) != nullptr;
    }));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_FALSE(IsFolder(folder.File(L"iconcash")));
    EXPECT_TRUE(FileExists(folder.File(L"iconcache\\old.exe.ico")));
  }
  {
    TestFolder folder;
    CreateDirectoryW(folder.File(L"iconcash").c_str(), nullptr);
    CreateDirectoryW(folder.File(L"iconcache").c_str(), nullptr);
    WriteBytes(folder.File(L"iconcash\\old.exe.ico"), "x");
    LauncherProcess launcher(folder, L"\"" + folder.File(L"a.txt") + L"\"");
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(launcher.CloseWithEscape(window), 0u);
    EXPECT_TRUE(FileExists(folder.File(L"iconcash\\old.exe.ico"))) << "both present: both stay";
    EXPECT_TRUE(IsFolder(folder.File(L"iconcache")));
  }
}
