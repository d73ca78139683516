// Settings files no program of ours wrote: the launcher starts, shows what the
// profile API can read, closes with exit code 0, and leaves every key it did not
// change saying what it said before.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher_harness.h"

using namespace e2e;

namespace {

struct Probe {
  const wchar_t* section;
  const wchar_t* key;
};

std::string Utf16Le(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  return bytes;
}

std::string Utf16Be(const std::wstring& text) {
  std::string bytes = "\xFE\xFF";
  for (wchar_t unit : text) {
    bytes += static_cast<char>(unit >> 8);
    bytes += static_cast<char>(unit & 0xFF);
  }
  return bytes;
}

std::string Garbage(size_t size) {
  std::string bytes(size, '\0');
  unsigned state = 2024;
  for (char& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 16);
  }
  return bytes;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// What a user sees in the status bar for a title: the first 259 units.
std::wstring AsShown(const std::wstring& title) { return title.substr(0, 259); }

// Starts the launcher on target, checks the status bar, walks the grid once
// (every slot's title goes through the status bar), closes, and checks that
// every probe reads as before.
void RunAndExpectNothingLost(const TestFolder& folder, const std::wstring& target,
                             const std::vector<Probe>& probes) {
  std::vector<std::wstring> before;
  for (const Probe& probe : probes) before.push_back(IniValue(folder.Settings(), probe.section, probe.key));
  std::wstring section = target.substr(target.rfind(L'.'));
  std::wstring firstTitle = IniValue(folder.Settings(), section.c_str(), L"title1");

  LauncherProcess launcher(folder, L"\"" + folder.File(target) + L"\"");
  HWND window = launcher.WaitForWindow(60000);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(StatusBarText(window), firstTitle == MISSING ? L"" : AsShown(firstTitle));
  ASSERT_TRUE(Activate(window));
  for (int step = 0; step < 11; ++step) PressKey(VK_TAB);
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);

  for (size_t i = 0; i < probes.size(); ++i) {
    EXPECT_EQ(Narrow(IniValue(folder.Settings(), probes[i].section, probes[i].key)),
              Narrow(before[i]))
        << "[" << Narrow(probes[i].section) << "] " << Narrow(probes[i].key);
  }
}

const std::vector<Probe> TXT_PROBES = {{L".txt", L"title1"}, {L".txt", L"command1"},
                                       {L".txt", L"title2"}, {L".log", L"title1"},
                                       {L"SystemSetting", L"onMouse"}};

}  // namespace

TEST(BadSettings, DamagedOrForeignFilesStartShowAndLoseNothing) {
  const std::wstring tail = L"[.txt]\r\ntitle1=Editor\r\ncommand1=notepad.exe\r\n"
                            L"[.log]\r\ntitle1=Viewer\r\n";
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"binary garbage, then sections", Garbage(65536) + "\r\n" + Narrow(tail)},
      {"lines without brackets or =",
       "loose words\r\n[.txt\r\n=no name\r\n[.txt]\r\njust words here\r\ntitle1=Editor\r\n"
       "title2\r\n]odd[\r\n[.log]\r\ntitle1=Viewer\r\n[]\r\nempty=section\r\n"},
      {"UTF-8 with a byte-order mark",
       "\xEF\xBB\xBF[.txt]\r\ntitle1=\xE7\xB7\xA8\xE9\x9B\x86\r\n[.log]\r\ntitle1=Viewer\r\n"},
      {"UTF-16 big-endian", Utf16Be(L"[.txt]\r\ntitle1=編集\r\n[.log]\r\ntitle1=Viewer\r\n")},
      {"UTF-16 with a NUL inside a value", Utf16Le(std::wstring(L"[.txt]\r\ntitle1=a\0b\r\n", 19) +
                                                   L"[.log]\r\ntitle1=Viewer\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    WriteBytes(folder.Settings(), c.bytes);
    RunAndExpectNothingLost(folder, L"notes.txt", TXT_PROBES);
  }
}

// Values longer than any buffer of the launcher: what fits is shown, and the
// file keeps every value whole.
TEST(BadSettings, OverlongValuesAreShownCutAndKeptWhole) {
  TestFolder folder;
  const std::wstring hugeTitle(1 << 20, L'T');
  const std::wstring longCommand = L"C:\\" + std::wstring(40000, L'c') + L".exe";
  const std::wstring longLink = L"." + std::wstring(300, L'l');
  WriteSettingsUtf16(folder.Settings(),
                     L"[.txt]\r\ntitle1=" + hugeTitle + L"\r\ncommand1=" + longCommand +
                         L"\r\nicon1=" + std::wstring(1000, L'i') + L",3\r\nrunas1=ON" +
                         std::wstring(500, L'!') + L"\r\ntitle2=second\r\n[.log]\r\nlink=" +
                         longLink + L"\r\ntitle1=Viewer\r\n[SystemSetting]\r\nonMouse=" +
                         std::wstring(300, L'o') + L"\r\n");
  const size_t sizeBefore = ReadBytes(folder.Settings()).size();
  RunAndExpectNothingLost(folder, L"notes.txt",
                          {{L".txt", L"icon1"}, {L".txt", L"runas1"}, {L".txt", L"title2"},
                           {L".log", L"link"}, {L".log", L"title1"}});
  RunAndExpectNothingLost(folder, L"notes.log", {{L".log", L"link"}, {L".txt", L"title2"}});
  std::wstring text = ReadSettingsText(folder.Settings());
  EXPECT_NE(text.find(L"title1=" + hugeTitle + L"\r\n"), std::wstring::npos) << "1 MB title cut";
  EXPECT_NE(text.find(L"command1=" + longCommand + L"\r\n"), std::wstring::npos);
  EXPECT_GE(ReadBytes(folder.Settings()).size(), sizeBefore);
}

TEST(BadSettings, TenThousandSectionsStartAndStayWhole) {
  TestFolder folder;
  std::wstring text = L"[SystemSetting]\r\ntopView=OFF\r\nautoClose=OFF\r\nloopCursor=OFF\r\n"
                      L"cacheIcon=OFF\r\n";
  for (int i = 0; i < 10000; ++i) {
    std::wstring n = std::to_wstring(i);
    text += L"[.x" + n + L"]\r\ntitle1=t" + n + L"\r\ncommand1=c" + n + L".exe\r\n";
  }
  text += L"[.txt]\r\ntitle1=found at the end\r\n";
  WriteSettingsUtf16(folder.Settings(), text);
  RunAndExpectNothingLost(folder, L"notes.txt",
                          {{L".x0", L"title1"}, {L".x5000", L"command1"}, {L".x9999", L"title1"}});
  EXPECT_EQ(ReadSettingsText(folder.Settings()), text) << "an unchanged run rewrote the file";
}

// A file the launcher cannot read at start-up (another program holds it open
// without sharing) reads as empty; once released, the close must not write the
// defaults it showed over the options the user had.
TEST(BadSettings, FileHeldByAnotherProgramAtStartIsNotOverwrittenWithDefaults) {
  TestFolder folder;
  const std::wstring text = L"[SystemSetting]\r\ntopView=ON\r\nautoClose=OFF\r\nloopCursor=ON\r\n"
                            L"[.txt]\r\ntitle1=Editor\r\n";
  WriteSettingsUtf16(folder.Settings(), text);
  HANDLE held = CreateFileW(folder.Settings().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  LauncherProcess launcher(folder, L"\"" + folder.File(L"notes.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(StatusBarText(window), L"") << "the held file could be read";
  CloseHandle(held);
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);
  EXPECT_EQ(ReadSettingsText(folder.Settings()), text);
}

// Nothing can be written: the settings "file" is a folder, and so is in the way
// of the icon cache. The launcher still starts, shows its icons and closes cleanly.
TEST(BadSettings, UnwritableSettingsAndCacheStillStartAndClose) {
  TestFolder folder;
  ASSERT_TRUE(CreateDirectoryW(folder.Settings().c_str(), nullptr));
  LauncherProcess launcher(folder, L"\"" + folder.File(L"notes.txt") + L"\"");
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);

  TestFolder cached;
  WriteSettingsUtf16(cached.Settings(), L"[SystemSetting]\r\ncacheIcon=ON\r\n[.txt]\r\n"
                                        L"command1=" + cached.Launcher() + L"\r\n");
  WriteBytes(cached.File(L"iconcache"), "a file where the cache folder would be");
  LauncherProcess second(cached, L"\"" + cached.File(L"notes.txt") + L"\"");
  window = second.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_NE(SendMessageW(SlotButton(window, 0), BM_GETIMAGE, IMAGE_ICON, 0), 0)
      << "the icon shows without its cache";
  EXPECT_EQ(second.CloseWithEscape(window), 0u);
  EXPECT_EQ(ReadBytes(cached.File(L"iconcache")), "a file where the cache folder would be");
}

// Windows refuses the writes; Wine run as root does not enforce the attribute and
// lets the options be added. Either way every key reads as before.
TEST(BadSettings, ReadOnlyFileIsReadAndKeepsItsKeys) {
  TestFolder folder;
  const std::wstring text = L"[.txt]\r\ntitle1=Editor\r\ncommand1=notepad.exe\r\n";
  WriteSettingsUtf16(folder.Settings(), text);
  ASSERT_TRUE(SetFileAttributesW(folder.Settings().c_str(), FILE_ATTRIBUTE_READONLY));
  RunAndExpectNothingLost(folder, L"notes.txt", TXT_PROBES);
  SetFileAttributesW(folder.Settings().c_str(), FILE_ATTRIBUTE_NORMAL);
}
