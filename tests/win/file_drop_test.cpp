// A file dropped from the shell becomes a new slot: built here from a real HDROP,
// since Wine does not deliver an OLE drag to a window that only accepts drops.

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "editing/file_drop_win.h"

namespace {

// A drop handle as the shell makes it: DROPFILES, then the wide paths, each
// terminated, and one more terminator.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  size_t units = 1;
  for (const std::wstring& path : paths) units += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(header + 1);
  for (const std::wstring& path : paths) {
    lstrcpyW(text, path.c_str());
    text += path.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace

TEST(FileDrop, FirstDroppedFileBecomesCommandAndTitle) {
  struct Case {
    std::vector<std::wstring> dropped;
    std::wstring title;
    std::wstring command;
  } cases[] = {
      {{L"C:\\Tools\\viewer.exe"}, L"viewer", L"C:\\Tools\\viewer.exe"},
      {{L"D:\\archive.tar.gz", L"C:\\b.txt", L"C:\\c.txt"}, L"archive.tar", L"D:\\archive.tar.gz"},
      {{L"C:\\My Photos"}, L"My Photos", L"C:\\My Photos"},
      {{L"C:\\data.old"}, L"data", L"C:\\data.old"},
  };
  for (const Case& c : cases) {
    CommandSlot slot = {};
    lstrcpyW(slot.icon, L"left over");
    slot.runAs = 1;
    EXPECT_TRUE(ReadDroppedFile(MakeDrop(c.dropped), slot));
    EXPECT_EQ(std::wstring(slot.title), c.title);
    EXPECT_EQ(std::wstring(slot.command), c.command);
    EXPECT_EQ(std::wstring(slot.icon), L"") << "a drop starts a new slot";
    EXPECT_EQ(slot.runAs, 0);
  }
}

// A cut path would name some other file: the longest that fits is taken, a longer
// one is refused and leaves the slot as it was.
TEST(FileDrop, LongPathIsTakenWholeOrRefused) {
  const std::wstring longest = L"C:\\" + std::wstring(SLOT_TEXT_CAPACITY - 8, L'x') + L".exe";
  const std::wstring tooLong = L"C:\\" + std::wstring(SLOT_TEXT_CAPACITY - 7, L'x') + L".exe";
  ASSERT_EQ(longest.size(), SLOT_TEXT_CAPACITY - 1);
  CommandSlot slot = {};
  EXPECT_TRUE(ReadDroppedFile(MakeDrop({longest}), slot));
  EXPECT_EQ(std::wstring(slot.command), longest);
  lstrcpyW(slot.title, L"before");
  EXPECT_FALSE(ReadDroppedFile(MakeDrop({tooLong}), slot));
  EXPECT_EQ(std::wstring(slot.command), longest);
  EXPECT_EQ(std::wstring(slot.title), L"before");
}
