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
    ReadDroppedFile(MakeDrop(c.dropped), slot);
    EXPECT_EQ(std::wstring(slot.title), c.title);
    EXPECT_EQ(std::wstring(slot.command), c.command);
    EXPECT_EQ(std::wstring(slot.icon), L"") << "a drop starts a new slot";
    EXPECT_EQ(slot.runAs, 0);
  }
}

TEST(FileDrop, LongPathIsCutToTheSlotsCapacity) {
  std::wstring path = L"C:\\" + std::wstring(300, L'x') + L".exe";
  CommandSlot slot = {};
  ReadDroppedFile(MakeDrop({path}), slot);
  EXPECT_EQ(std::wstring(slot.command), path.substr(0, SLOT_TEXT_CAPACITY - 1));
}
