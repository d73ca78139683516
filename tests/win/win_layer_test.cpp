// The Win32 layer in-process: what the platform does with our calls (the profile
// API, icon handles and files, drop handles, menus, CommandLineToArgvW).

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <imm.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winternl.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/button_grid.h"
#include "app/dll_search.h"
#include "app/invocation_rules.h"
#include "app/main_window.h"
#include "editing/command_edit_dialog.h"
#include "editing/file_drop_win.h"
#include "icons/button_icon_win.h"
#include "icons/ico_writer_win.h"
#include "icons/icon_cache_win.h"
#include "launcher_harness.h"
#include "resources/resource.h"
#include "settings/ini_file_store.h"
#include "settings/option_menu_win.h"
#include "settings/settings_file_lock_win.h"
#include "settings/slot_store.h"

using namespace e2e;

namespace {

// The icon's bitmaps; false when the handle is no live icon.
bool BitmapsOf(HICON icon, BITMAP& color, BITMAP& mask) {
  ICONINFO info;
  if (!GetIconInfo(icon, &info)) return false;
  color = mask = BITMAP{};
  GetObjectW(info.hbmColor, sizeof color, &color);
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return true;
}

bool IsLiveIcon(HICON icon) {
  BITMAP color, mask;
  return BitmapsOf(icon, color, mask);
}

// Set by the planted DLL's code when it runs; its icon can be read without it.
bool PlantedCodeRan() { return GetEnvironmentVariableW(L"PIVORA_PLANTED_RAN", nullptr, 0) != 0; }

HICON LoadIconFile(const std::wstring& path) {
  return static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
}

CommandSlot Slot(const wchar_t* command, const wchar_t* icon = L"") {
  CommandSlot slot = {};
  lstrcpynW(slot.command, command, SLOT_TEXT_CAPACITY);
  lstrcpynW(slot.icon, icon, SLOT_TEXT_CAPACITY);
  return slot;
}

struct Button {  // icons show on a BS_BITMAP button only with common controls 6 (the manifest)
  bool controls = [] {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  HWND window = CreateWindowExW(0, L"BUTTON", L"", WS_POPUP | BS_BITMAP, 0, 0, 38, 38, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  ~Button() { DestroyWindow(window); }
  HICON Image() const {
    return reinterpret_cast<HICON>(SendMessageW(window, BM_GETIMAGE, IMAGE_ICON, 0));
  }
  void Show(const CommandSlot& slot, int size = LARGE_ICON_SIZE) {
    RefreshButtonIcon(window, slot, GetModuleHandleW(nullptr), size);
  }
};

// The process's GDI objects (every icon's bitmaps among them). Wine answers 0 to
// GetGuiResources; it keeps them in a table the PEB points to (offset 0xF8 on x64;
// 65,536 entries of 24 bytes, the object type at byte 14): its used entries.
long GdiObjects() {
  if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return counted;
  PROCESS_BASIC_INFORMATION basic = {};
  NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic,
                            nullptr);
  const BYTE* table = reinterpret_cast<const BYTE* const*>(basic.PebBaseAddress)[0xF8 / 8];
  long used = 0;
  for (size_t i = 0; table != nullptr && i < 0x10000; ++i) used += table[i * 24 + 14] != 0;
  return used;
}

// A drop handle as the shell makes it: DROPFILES, each wide path terminated, one more terminator.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  size_t units = 1;
  for (const std::wstring& path : paths) units += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  auto* text = reinterpret_cast<wchar_t*>(header + 1);
  for (const std::wstring& path : paths) text = lstrcpyW(text, path.c_str()) + path.size() + 1;
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace

// One changed field rewrites one line and every other byte stays; a change of letter
// case only is a change; run-as off and an emptied text delete their keys.
TEST(IniFileStore, ChangeOnlySaveRewritesJustTheChangedKeys) {
  TestFolder folder;
  const std::wstring
      path = folder.Settings(),
      before =
          L"; comment\r\n[.txt]\r\ntitle1=Editor\r\ncommand1=C:\\e.exe\r\ntitle3=Viewer\r\n"
          L"command3=C:\\v.exe %1\r\nrunas3=ON\r\n[other]\r\nkey=value\r\n";
  WriteSettingsUtf16(path, before);
  IniFileStore store(path.c_str());
  SlotTable saved, current;
  WideChar link[LINK_TEXT_CAPACITY];
  LoadSlotTable(store, L".TXT", saved, link);
  current = saved;
  lstrcpyW(current.slots[2].command, L"C:\\w.exe %1");
  lstrcpyW(current.slots[0].title, L"EDITOR");
  for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, L".TXT", current, saved);
  std::wstring expected = before;
  expected.replace(expected.find(L"C:\\v.exe"), 8, L"C:\\w.exe")
      .replace(expected.find(L"Editor"), 6, L"EDITOR");
  EXPECT_EQ(ReadSettingsText(path), expected);

  current.slots[2].runAs = 0;
  current.slots[0].title[0] = 0;
  for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, L".txt", current, saved);
  expected.erase(expected.find(L"runas3"), 11).erase(expected.find(L"title1"), 15);
  EXPECT_EQ(ReadSettingsText(path), expected);
}

// The store reads a section whole and looks keys up itself; every answer must be
// the one the profile API gives key by key, however odd the file, and a write is
// seen by the next read.
TEST(IniFileStore, SectionReadsAnswerAsTheProfileApiDoesKeyByKey) {
  TestFolder folder;
  const std::wstring path = folder.Settings();
  WriteSettingsUtf16(
      path,
      L"lead=before any header\r\n[.txt]\r\n  title1  =  spaced out  \r\nTITLE2=\"quoted\"\r\n"
      L"title3='single'\r\ntitle4=\"unbalanced\r\ntitle5=\"\r\ntitle6=a=b=c\r\ntitle7\r\n"
      L"title7=after a bare name\r\ntitle8=first\r\ntitle8=second\r\n;title9=commented\r\n"
      L"title10=\r\ntitle11=日本語\xD83D\xDE00\r\n[.TXT]\r\ntitle12=second section of that name\r\n"
      L"[.big]\r\ncommand1=" +
          std::wstring(40000, L'x') +  // too long for one listing
          L"\r\ncommand2=after the big one\r\n[SystemSetting]\r\ntopView=on\r\n");
  const wchar_t* probes[][2] = {
      {L"", L"lead"},          {L".txt", L"title1"},   {L".txt", L"title2"},
      {L".Txt", L"Title3"},    {L".txt", L"title4"},   {L".txt", L"title5"},
      {L".txt", L"title6"},    {L".txt", L"title7"},   {L".txt", L"title8"},
      {L".txt", L";title9"},   {L".txt", L"title9"},   {L".txt", L"title10"},
      {L".txt", L"title11"},   {L".txt", L"title12"},  {L".txt", L"missing"},
      {L".big", L"command2"},  {L".big", L"command1"}, {L"SystemSetting", L"topView"},
      {L"nowhere", L"title1"}, {L".txt", L"lead"},
  };
  IniFileStore store(path.c_str());
  for (auto& probe : probes) {
    for (size_t capacity : {size_t{260}, size_t{4}}) {
      std::wstring expected(capacity, L'\0'), actual(capacity, L'\0');
      GetPrivateProfileStringW(probe[0], probe[1], L"<fallback>", &expected[0],
                               static_cast<DWORD>(capacity), path.c_str());
      store.ReadText(probe[0], probe[1], L"<fallback>", &actual[0], capacity);
      EXPECT_STREQ(expected.c_str(), actual.c_str())
          << "[" << probe[0] << "] " << probe[1] << " in " << capacity;
    }
  }
  store.WriteText(L".txt", L"title1", L"changed");
  wchar_t value[32];
  store.ReadText(L".txt", L"title1", L"", value, 32);
  EXPECT_STREQ(value, L"changed");
}

// One file, one lock: its folder spelled in another letter case (the file system
// folds "É" onto "é") or by its short name, or a hard link, names the same file
// lock; a file not there yet gets a path lock alike for every spelling; another
// file, another lock.
TEST(SettingsFileLock, NamesTheFileNotItsSpelling) {
  TestFolder folder;
  const std::wstring home = folder.File(L"\u00E9 long folder name");
  CreateDirectoryW(home.c_str(), nullptr);
  wchar_t shortHome[MAX_PATH];
  ASSERT_NE(GetShortPathNameW(home.c_str(), shortHome, MAX_PATH), 0u);
  WriteBytes(home + L"\\P.ini", "x");
  WriteBytes(folder.File(L"other.ini"), "y");
  ASSERT_TRUE(CreateHardLinkW(folder.File(L"link.ini").c_str(), (home + L"\\P.ini").c_str(), nullptr));
  auto names = [](const std::wstring& path) {
    SettingsLockNames n;
    SettingsLockNamesOf(path.c_str(), n);
    return std::wstring(n.path) + L"|" + n.file;
  };
  const std::wstring file = names(home + L"\\P.ini"), missing = names(home + L"\\\u00E4.ini");
  for (const std::wstring& spelling : {folder.File(L"\u00C9 LONG folder name"), std::wstring(shortHome)}) {
    EXPECT_EQ(names(spelling + L"\\p.INI"), file) << spelling;
    EXPECT_EQ(names(spelling + L"\\\u00C4.INI"), missing) << spelling;
  }
  EXPECT_EQ(names(folder.File(L"link.ini")).substr(file.find(L'|')), file.substr(file.find(L'|')));
  EXPECT_NE(names(folder.File(L"other.ini")).substr(file.find(L'|')), file.substr(file.find(L'|')));
  EXPECT_TRUE(missing.back() == L'|' && file.back() != L'|') << "a file lock only for a file there";
}

// Each option's check mark follows its own option, in the menu built into Pivora64.exe.
TEST(OptionMenu, EachCheckFollowsItsOwnOption) {
  HMODULE module = LoadLibraryExW((BuildFolder() + L"\\Pivora64.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
  HMENU optionMenu = LoadMenuW(module, OPTION_MENU_NAME);
  ASSERT_TRUE(optionMenu);
  HMENU options = GetSubMenu(optionMenu, 0);
  const UINT ids[] = {IDM_TOP_VIEW, IDM_AUTO_CLOSE, IDM_LOOP_CURSOR, IDM_CACHE_ICON, IDM_LINK};
  for (int on = 0; on < 4; ++on) {
    int flags[4] = {};
    flags[on] = 1;
    SetInitialOptionChecks(options, Options{flags[0], flags[1], flags[2], flags[3]});
    SetOptionCheck(options, ids[(on + 1) % 4], 1);
    SetOptionCheck(options, ids[(on + 1) % 4], 0);
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ((GetMenuState(options, ids[i], MF_BYCOMMAND) & MF_CHECKED) != 0, i == on);
  }
  DestroyMenu(optionMenu);
  FreeLibrary(module);
}

// What the writer cannot store leaves no file: a monochrome icon and a handle that
// is no icon.
TEST(IconFile, NothingIsWrittenForWhatCannotBeStored) {
  TestFolder folder;
  const std::wstring path = folder.File(L"unstorable.ico");
  BYTE andBits[128], xorBits[128];
  FillMemory(andBits, sizeof andBits, 0xF0);
  FillMemory(xorBits, sizeof xorBits, 0x0F);
  HICON monochrome = CreateIcon(GetModuleHandleW(nullptr), 32, 32, 1, 1, andBits, xorBits);
  for (HICON unstorable : {monochrome, reinterpret_cast<HICON>(1)}) {
    WriteIconFile(unstorable, path.c_str());
    EXPECT_FALSE(FileExists(path));
  }
  DestroyIcon(monochrome);
}

// Every kind of source shows a live icon of the size asked for and leaves a whole
// cache file (header, colour and mask rows padded to four bytes) that loads at that
// size, named by it in "iconcache" beside the executable (the folder Scoop keeps
// across updates), sizes other than 32 px in a folder of their own: a damaged file
// is replaced; index -1 is resource number 1, not the icon count ExtractIconW
// answers for -1, and a file that is no module (the bench's .ico) falls back as
// other indexes do. A library's icon is read as data, never run.
TEST(ButtonIcon, EverySourceShowsALiveIconAndCachesAWholeFile) {
  SetIconCacheDir();
  SetEnvironmentVariableW(L"PIVORA_PLANTED_RAN", nullptr);
  struct Case {
    CommandSlot slot;
    const wchar_t* cacheFile;
    const char* before;  // the cache file's bytes before, or null for none
    int size = 32;
  } cases[] = {
      {Slot(L"C:\\windows\\notepad.exe -x"), L"notepad.exe.ico", nullptr},
      {Slot(L"C:\\windows\\notepad.exe"), L"48\\notepad.exe.ico", nullptr, 48},
      {Slot(L"C:\\windows\\notepad.exe"), L"notepad.exe.ico", "not an icon"},
      {Slot(L"", L"C:\\windows\\system32\\shell32.dll,4"), L"shell32.dll[4].ico", nullptr},
      {Slot(L"", L"C:\\windows\\system32\\shell32.dll,-1"), L"shell32.dll[-1].ico", nullptr},
      {Slot(L"", (BuildFolder() + L"\\floor.ico,-1").c_str()), L"floor.ico[-1].ico", nullptr},
      {Slot(L"", (BuildFolder() + L"\\pivora_planted.dll,-1").c_str()),
       L"pivora_planted.dll[-1].ico", nullptr},
  };
  for (const Case& c : cases) {
    std::wstring cacheFile = BuildFolder() + L"\\iconcache\\" + c.cacheFile;
    DeleteFileW(cacheFile.c_str());
    if (c.before != nullptr) WriteBytes(cacheFile, c.before);
    Button button;
    button.Show(c.slot, c.size);
    BITMAP color, mask, reloaded, ignored;
    HICON cached = LoadIconFile(cacheFile);
    ASSERT_TRUE(BitmapsOf(button.Image(), color, mask) && BitmapsOf(cached, reloaded, ignored))
        << cacheFile;
    auto padded = [](const BITMAP& b) { return (b.bmWidthBytes + 3) / 4 * 4 * b.bmHeight; };
    EXPECT_EQ(ReadBytes(cacheFile).size(), static_cast<size_t>(62 + padded(color) + padded(mask)));
    EXPECT_TRUE(color.bmWidth == c.size && reloaded.bmHeight == c.size) << cacheFile;
    DestroyIcon(cached);
  }
  EXPECT_FALSE(PlantedCodeRan());
  ClearIconCacheDir();
}

// A changed icon replaces the shown one, which is destroyed exactly once. One of the
// same source is not set again (a refresh comes with every selection step, and a
// button keeps a copy of each image it is given): the GDI count stays flat. A
// button whose image a drag took away gets it back; an empty slot shows none.
TEST(ButtonIcon, RefreshReplacesChangedIconsOnlyAndReleasesTheReplaced) {
  ClearIconCacheDir();
  Button button;
  const CommandSlot slots[2] = {Slot(L"C:\\windows\\notepad.exe %1"),
                                Slot(L"C:\\windows\\regedit.exe")};
  button.Show(slots[0]);
  for (int i = 1; i <= 100; ++i) {
    HICON before = button.Image();
    button.Show(slots[i % 2]);
    ASSERT_NE(button.Image(), before);
    ASSERT_FALSE(IsLiveIcon(before)) << "refresh " << i << " left the replaced icon alive";
  }
  const long start = GdiObjects();
  HICON shown = button.Image();
  for (int i = 0; i < 1000; ++i) button.Show(slots[0]);
  EXPECT_EQ(button.Image(), shown);
  EXPECT_GT(start, 0);
  EXPECT_LE(GdiObjects(), start + 2);

  SendMessageW(button.window, BM_SETIMAGE, IMAGE_ICON, 0);
  DestroyIcon(shown);
  button.Show(slots[0]);
  HICON last = button.Image();
  EXPECT_TRUE(IsLiveIcon(last));
  button.Show(CommandSlot{});
  EXPECT_EQ(button.Image(), nullptr);
  EXPECT_FALSE(IsLiveIcon(last));
}

// The real main window in-process, moved to a monitor of 150 % (Wine sends no
// WM_DPICHANGED of its own) and back: it takes the rectangle the system suggests,
// the buttons and the status bar with its font follow the DPI, the icons come at
// its size, never from a cache file of another; the selection and the status
// text stay.
TEST(MainWindow, ADpiChangeLaysItOutAgain) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(),
                     L"[SystemSetting]\r\ncacheIcon=ON\r\n[.txt]\r\n"
                     L"command1=C:\\windows\\notepad.exe\r\ntitle2=second\r\n");
  lstrcpyW(iniPath, folder.Settings().c_str());
  lstrcpyW(targetPath, folder.File(L"a.txt").c_str());
  WNDCLASSW windowClass = {0,       MainWindowProc, 0,       0,       nullptr,
                           nullptr, nullptr,        nullptr, nullptr, MAIN_WINDOW_CLASS};
  RegisterClassW(&windowClass);
  IniFileStore store(iniPath);
  StartContext context = {true, 0, &store, StartRecovery::NothingToDo};
  HWND window = CreateWindowExW(0, MAIN_WINDOW_CLASS, L"", MAIN_WINDOW_STYLE, 0, 0, 99, 99, nullptr,
                                nullptr, GetModuleHandleW(nullptr), &context);
  ASSERT_NE(window, nullptr);
  SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);  // selects slot 1, "second"
  auto laidOutFor = [&](int dpi) {                // the status bar's height
    const int b = MulDiv(38, dpi, 96);
    RECT client,
        places[2] = {WindowRect(GetDlgItem(window, 2100)), WindowRect(GetDlgItem(window, 3500))};
    GetClientRect(window, &client);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(places), 4);
    const RECT &last = places[0], &bar = places[1];
    EXPECT_TRUE(client.right == 4 * b && last.left == 3 * b && last.top == 2 * b &&
                last.right == 4 * b);
    EXPECT_TRUE(bar.top >= 3 * b - 1 && bar.bottom == client.bottom)
        << bar.top << " " << client.bottom;
    BITMAP color = {}, mask;
    BitmapsOf(reinterpret_cast<HICON>(SendDlgItemMessageW(window, 1000, BM_GETIMAGE, 1, 0)), color,
              mask);
    EXPECT_EQ(color.bmWidth, MulDiv(32, dpi, 96));
    EXPECT_TRUE(StatusBarText(window) == L"second" &&
                (GetWindowLongW(GetDlgItem(window, 1100), GWL_STYLE) & BS_DEFPUSHBUTTON));
    return bar.bottom - bar.top;
  };
  const int bar96 = laidOutFor(96);
  const std::wstring cache = iconCacheDir + std::wstring(L"\\");  // 32 px where 48 belongs:
  CreateDirectoryW((cache + L"48").c_str(), nullptr);
  CopyFileW((cache + L"notepad.exe.ico").c_str(), (cache + L"48\\notepad.exe.ico").c_str(), FALSE);
  for (int dpi : {144, 96}) {
    SCOPED_TRACE(dpi);
    RECT suggested = {10, 20, 10 + MulDiv(158, dpi, 96), 20 + MulDiv(163, dpi, 96)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_TRUE(WindowRect(window).left == 10 && WindowRect(window).top == 20);
    const int bar = laidOutFor(dpi);
    EXPECT_TRUE(dpi == 96 ? bar == bar96 : bar > bar96 * 5 / 4) << bar << " its font's height";
  }
  DestroyWindow(window);
}

// A DLL beside the program loads by its bare name, and runs, until the launcher's
// start-up hardening; from then on a bare name finds System32 only.
TEST(DllSearch, APlantedDllLoadsOnlyBeforeTheStartUpHardening) {
  HMODULE planted = LoadLibraryW(L"pivora_planted.dll");
  ASSERT_NE(planted, nullptr);
  EXPECT_TRUE(PlantedCodeRan());
  FreeLibrary(planted);
  RestrictDllSearch();
  EXPECT_EQ(LoadLibraryW(L"pivora_planted.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleW(L"comdlg32.dll"), nullptr);  // so the next load searches
  EXPECT_NE(LoadLibraryW(L"comdlg32.dll"), nullptr);
}

// The first dropped file makes a new slot; a path longer than a slot holds is
// refused rather than cut (it would name another file) and leaves the slot alone.
TEST(FileDrop, FirstFileBecomesANewSlotUnlessItsPathDoesNotFit) {
  const std::wstring longest = L"C:\\" + std::wstring(SLOT_TEXT_CAPACITY - 8, L'x') + L".exe";
  CommandSlot slot = Slot(L"", L"left over");
  slot.runAs = 1;
  EXPECT_TRUE(ReadDroppedFile(MakeDrop({L"D:\\archive.tar.gz", L"C:\\b.txt"}), slot));
  EXPECT_EQ(std::wstring(slot.title) + L"|" + slot.command + L"|" + slot.icon,
            L"archive.tar|D:\\archive.tar.gz|");
  EXPECT_EQ(slot.runAs, 0);
  EXPECT_TRUE(ReadDroppedFile(MakeDrop({longest}), slot));
  EXPECT_EQ(slot.command, longest);
  EXPECT_FALSE(ReadDroppedFile(MakeDrop({longest + L"x"}), slot));
  EXPECT_EQ(slot.command, longest);
}

// The launcher splits its own command line; CommandLineToArgvW must agree on the
// program's length and the first argument. Listed lines, then lines from a fixed seed.
TEST(CommandLine, SplitsAsCommandLineToArgvW) {
  // clang-format off
  std::vector<std::wstring> lines = {
      L"p.exe", L"p.exe ", L"p.exe a.txt", L"p.exe \t a.txt  b",
      L"\"C:\\Program Files\\p.exe\" \"C:\\a b\\c.txt\" x", L"\"C:\\p.exe\"a.txt",
      L"\"unclosed program a.txt", L"p.exe \"\"", L"p.exe \"a\"\"b\"", L"p.exe \"a\"\"\"b c\"",
      L"p.exe \"\"\"\"\"\" x", L"p.exe a\\\\\\\"b", L"p.exe \"a\\\\\" b", L"p.exe C:\\dir\\",
      L"p.exe \"C:\\dir\\\\\"", L"p.exe \"C:\\dir\\\"", L"p.exe 日本語\xD83D\xDE00.txt",
      L"p.exe a\"b c\"d"};
  // clang-format on
  const wchar_t alphabet[] = L"a \t\"\\.\xE9\"\\";
  unsigned state = 12345;
  for (int round = 0; round < 3000; ++round) {
    std::wstring line;
    for (int i = 1 + state % 14; i > 0; --i)
      line += alphabet[((state = state * 1103515245u + 12345u) >> 16) % 9];
    if (line.find_first_not_of(L" \t") != std::wstring::npos)
      lines.push_back(line);  // else the platform names the exe
  }
  for (const std::wstring& line : lines) {
    int count = 0;
    wchar_t** platform = CommandLineToArgvW(line.c_str(), &count);
    std::vector<wchar_t> argument(line.size() + 1);
    size_t programLength = 0;
    bool has = FirstArgumentOf(line.c_str(), programLength, argument.data(), argument.size());
    EXPECT_EQ(has, count >= 2) << "[" << line << "]";
    EXPECT_STREQ(argument.data(), count >= 2 ? platform[1] : L"") << "[" << line << "]";
    EXPECT_EQ(programLength, static_cast<size_t>(lstrlenW(platform[0]))) << "[" << line << "]";
    LocalFree(platform);
    if (HasFailure()) return;
  }
}

// The grid takes single keys as commands, so no window of it has an input context,
// neither the main window nor a focused button; the edit dialog's fields keep
// theirs for Japanese titles. The real grid and dialog, with the exe's resources.
TEST(Locale, TheImeStaysOutOfTheGridAndInTheEditDialog) {
  HMODULE exe = LoadLibraryExW((BuildFolder() + L"\\Pivora64.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE);
  mainWindow = CreateWindowExW(0, L"STATIC", L"", WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, exe,
                               nullptr);
  ASSERT_NE(ImmGetContext(mainWindow), nullptr) << "a new window has the default context";
  CreateButtonGrid(mainWindow, exe, 96);
  SetFocus(slotButtons[5]);
  EXPECT_EQ(GetFocus(), slotButtons[5]);
  EXPECT_TRUE(ImmGetContext(mainWindow) == nullptr && ImmGetContext(slotButtons[5]) == nullptr);
  HWND dialog = CreateDialogParamW(exe, MAKEINTRESOURCEW(IDD_COMMAND_EDIT), mainWindow,
                                   CommandEditDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  for (int field : {IDC_EDIT_TITLE, IDC_EDIT_COMMAND, IDC_EDIT_ICON})
    EXPECT_NE(ImmGetContext(GetDlgItem(dialog, field)), nullptr) << field;
  DestroyWindow(dialog);
  DestroyWindow(mainWindow);
}
