// Button icons and the icon cache on the real platform, in-process.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "icons/button_icon_win.h"
#include "icons/icon_cache_win.h"
#include "icons/ico_writer_win.h"
#include "resource_counts.h"

namespace {

const wchar_t NOTEPAD[] = L"C:\\windows\\notepad.exe";

std::wstring FreshFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::wstring folder = std::wstring(temp) + L"pivora-icons-" + std::wstring(name.begin(), name.end());
  CreateDirectoryW(folder.c_str(), nullptr);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  while (search != INVALID_HANDLE_VALUE) {
    DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    if (!FindNextFileW(search, &found)) break;
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return folder;
}

DWORD FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

bool IsLiveIcon(HICON icon) {
  ICONINFO info;
  if (!GetIconInfo(icon, &info)) return false;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return true;
}

CommandSlot SlotWithCommand(const wchar_t* command) {
  CommandSlot slot = {};
  lstrcpynW(slot.command, command, SLOT_TEXT_CAPACITY);
  return slot;
}

struct Button {
  bool controls = [] {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  HWND window = CreateWindowExW(0, L"BUTTON", L"", WS_POPUP | BS_BITMAP, 0, 0, 38, 38, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  ~Button() { DestroyWindow(window); }
  HICON Image() const { return reinterpret_cast<HICON>(SendMessageW(window, BM_GETIMAGE, IMAGE_ICON, 0)); }
};

}  // namespace

TEST(IconFile, StoredIconLoadsBackWithItsSizeAndDepth) {
  std::wstring path = FreshFolder() + L"\\notepad.exe.ico";
  HICON icon = ExtractIconW(GetModuleHandleW(nullptr), NOTEPAD, 0);
  ASSERT_NE(icon, nullptr);
  WriteIconFile(icon, path.c_str());
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP color, mask;
  GetObjectW(info.hbmColor, sizeof color, &color);
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  auto padded = [](const BITMAP& b) { return ((b.bmWidthBytes + 3) / 4 * 4) * b.bmHeight; };
  EXPECT_EQ(FileSize(path), static_cast<DWORD>(62 + padded(color) + padded(mask)));

  HICON loaded = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
  ASSERT_NE(loaded, nullptr);
  ASSERT_TRUE(GetIconInfo(loaded, &info));
  BITMAP reloaded;
  GetObjectW(info.hbmColor, sizeof reloaded, &reloaded);
  EXPECT_EQ(reloaded.bmWidth, color.bmWidth);
  EXPECT_EQ(reloaded.bmHeight, color.bmHeight);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(loaded);
  DestroyIcon(icon);
}

// Only a complete, loadable file or none: a monochrome icon and a handle that is
// no icon leave nothing behind.
TEST(IconFile, IconsThatCannotBeStoredLeaveNoFile) {
  std::wstring folder = FreshFolder();
  BYTE andBits[32 * 4];
  BYTE xorBits[32 * 4];
  FillMemory(andBits, sizeof andBits, 0xF0);
  FillMemory(xorBits, sizeof xorBits, 0x0F);
  HICON monochrome = CreateIcon(GetModuleHandleW(nullptr), 32, 32, 1, 1, andBits, xorBits);
  ASSERT_NE(monochrome, nullptr);
  WriteIconFile(monochrome, (folder + L"\\mono.ico").c_str());
  EXPECT_EQ(GetFileAttributesW((folder + L"\\mono.ico").c_str()), INVALID_FILE_ATTRIBUTES);
  DestroyIcon(monochrome);

  WriteIconFile(reinterpret_cast<HICON>(1), (folder + L"\\bogus.ico").c_str());
  EXPECT_EQ(GetFileAttributesW((folder + L"\\bogus.ico").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A changed icon replaces the shown one, which is destroyed exactly once. An
// unchanged one is not set again (a refresh comes with every selection step, and a
// button keeps a copy of each image it is given): the GDI count stays flat over a
// thousand such refreshes. A button whose image was taken away gets it back.
TEST(ButtonIcon, RefreshReplacesChangedIconsOnlyAndReleasesTheReplaced) {
  ClearIconCacheDir();
  Button button;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const CommandSlot slots[2] = {SlotWithCommand(L"C:\\windows\\notepad.exe %1"),
                                SlotWithCommand(L"C:\\windows\\regedit.exe")};
  RefreshButtonIcon(button.window, slots[0], instance);
  for (int i = 1; i <= 100; ++i) {
    HICON before = button.Image();
    RefreshButtonIcon(button.window, slots[i % 2], instance);
    HICON after = button.Image();
    ASSERT_TRUE(IsLiveIcon(after));
    ASSERT_NE(after, before);
    ASSERT_FALSE(IsLiveIcon(before)) << "refresh " << i << " left the replaced icon alive";
  }

  const ResourceCounts start = CountResources(GetCurrentProcess(), GetCurrentProcessId());
  HICON shown = button.Image();
  for (int i = 0; i < 1000; ++i) RefreshButtonIcon(button.window, slots[0], instance);
  EXPECT_EQ(button.Image(), shown);
  const ResourceCounts end = CountResources(GetCurrentProcess(), GetCurrentProcessId());
  EXPECT_GT(start.gdiObjects, 0);
  EXPECT_LE(end.gdiObjects, start.gdiObjects + 2);
  EXPECT_LE(end.kernelHandles, start.kernelHandles + 8);

  // As a drag does: the image is taken away (and destroyed by its taker).
  SendMessageW(button.window, BM_SETIMAGE, IMAGE_ICON, 0);
  DestroyIcon(shown);
  RefreshButtonIcon(button.window, slots[0], instance);
  EXPECT_TRUE(IsLiveIcon(button.Image()));

  CommandSlot empty = {};
  HICON last = button.Image();
  RefreshButtonIcon(button.window, empty, instance);
  EXPECT_EQ(button.Image(), nullptr) << "an empty slot shows no image";
  EXPECT_FALSE(IsLiveIcon(last));
}

TEST(ButtonIcon, CacheIsWrittenOnceAndDamagedFilesAreReplaced) {
  std::wstring folder = FreshFolder();
  lstrcpyW(iconCacheDir, folder.c_str());
  Button button;
  CommandSlot slot = SlotWithCommand(L"C:\\windows\\notepad.exe -x");
  std::wstring cacheFile = folder + L"\\notepad.exe.ico";
  RefreshButtonIcon(button.window, slot, GetModuleHandleW(nullptr));
  ASSERT_GT(FileSize(cacheFile), 62u);

  // Garbage in the cache: extracted again and stored whole.
  HANDLE file = CreateFileW(cacheFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "not an icon", 11, &written, nullptr);
  CloseHandle(file);
  RefreshButtonIcon(button.window, slot, GetModuleHandleW(nullptr));
  EXPECT_TRUE(IsLiveIcon(button.Image()));
  HANDLE reloaded = LoadImageW(nullptr, cacheFile.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
  EXPECT_NE(reloaded, nullptr);
  if (reloaded) DestroyIcon(static_cast<HICON>(reloaded));

  // An icon index other than 0 names the file with it.
  CommandSlot indexed = {};
  lstrcpyW(indexed.icon, L"C:\\windows\\system32\\shell32.dll,4");
  RefreshButtonIcon(button.window, indexed, GetModuleHandleW(nullptr));
  EXPECT_NE(GetFileAttributesW((folder + L"\\shell32.dll[4].ico").c_str()), INVALID_FILE_ATTRIBUTES);
  ClearIconCacheDir();
}

// A file that is no program, library or icon: never the pseudo-handle 1 on the
// button or in the cache.
TEST(ButtonIcon, DocumentsGetTheirAssociatedIconNeverTheValueOne) {
  std::wstring folder = FreshFolder();
  std::wstring document = folder + L"\\notes.txt";
  HANDLE file = CreateFileW(document.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
  lstrcpyW(iconCacheDir, folder.c_str());
  Button button;
  RefreshButtonIcon(button.window, SlotWithCommand(document.c_str()), GetModuleHandleW(nullptr));
  HICON shown = button.Image();
  EXPECT_NE(shown, reinterpret_cast<HICON>(1));
  if (shown != nullptr) {
    EXPECT_TRUE(IsLiveIcon(shown));
  }
  std::wstring cacheFile = folder + L"\\notes.txt.ico";
  if (GetFileAttributesW(cacheFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
    HANDLE loaded = LoadImageW(nullptr, cacheFile.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    EXPECT_NE(loaded, nullptr) << "a cache file is always loadable";
    if (loaded) DestroyIcon(static_cast<HICON>(loaded));
  }
  ClearIconCacheDir();
}

// ExtractIconW reads index -1 as "how many icons": resource number 1 must still
// give a real icon, not that count posing as a handle.
TEST(ButtonIcon, IndexMinusOneIsResourceNumberOne) {
  ClearIconCacheDir();
  CommandSlot slot = {};
  lstrcpyW(slot.icon, L"C:\\windows\\system32\\shell32.dll,-1");
  Button button;
  RefreshButtonIcon(button.window, slot, GetModuleHandleW(nullptr));
  EXPECT_TRUE(IsLiveIcon(button.Image()));
}
