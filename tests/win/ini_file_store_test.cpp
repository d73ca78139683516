// The settings store on the real Windows profile API: what reaches the file.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "settings/ini_file_store.h"
#include "settings/slot_store.h"

namespace {

std::wstring TempSettingsPath() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test->name();
  std::wstring path = std::wstring(folder) + L"pivora-store-" + std::wstring(name.begin(), name.end()) + L".ini";
  DeleteFileW(path.c_str());
  return path;
}

std::string ReadAll(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read)
    bytes.append(chunk, read);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return bytes;
}

std::wstring Utf16Text(const std::string& bytes) {
  if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return L"<not UTF-16LE>";
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
}

void WriteUtf16(const std::wstring& path, const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

// The machine's ANSI code page cannot hold these texts; only a UTF-16 file keeps them.
TEST(IniFileStore, NewFileKeepsJapaneseAndNonBmpTextThroughSaveAndReload) {
  std::wstring path = TempSettingsPath();
  const wchar_t title[] = L"テキスト編集 \U0002000B";
  const wchar_t command[] = L"C:\\ツール\\𝄞エディタ.exe \"%1\"";
  const wchar_t icon[] = L"C:\\アイコン\\星.ico";

  SlotTable saved = {};
  SlotTable current = {};
  lstrcpyW(current.slots[4].title, title);
  lstrcpyW(current.slots[4].command, command);
  lstrcpyW(current.slots[4].icon, icon);
  {
    IniFileStore store(path.c_str());
    for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, L".txt", current, saved);
  }
  std::string bytes = ReadAll(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");

  IniFileStore reopened(path.c_str());
  SlotTable loaded;
  WideChar link[LINK_TEXT_CAPACITY];
  LoadSlotTable(reopened, L".txt", loaded, link);
  EXPECT_STREQ(loaded.slots[4].title, title);
  EXPECT_STREQ(loaded.slots[4].command, command);
  EXPECT_STREQ(loaded.slots[4].icon, icon);
  EXPECT_STREQ(loaded.slots[3].title, L"");
  DeleteFileW(path.c_str());
}

TEST(IniFileStore, DeletingKeysOfAMissingFileCreatesNoFile) {
  std::wstring path = TempSettingsPath();
  IniFileStore store(path.c_str());
  store.WriteText(L".txt", L"title1", nullptr);
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

// One changed field rewrites one line; every other byte of the file stays.
TEST(IniFileStore, ChangeOnlySaveRewritesJustTheChangedKeys) {
  std::wstring path = TempSettingsPath();
  const std::wstring before =
      L"; comment\r\n[.txt]\r\ntitle1=Editor\r\ncommand1=C:\\e.exe\r\ntitle3=Viewer\r\n"
      L"command3=C:\\v.exe %1\r\nrunas3=ON\r\n[other]\r\nkey=value\r\n";
  WriteUtf16(path, before);
  IniFileStore store(path.c_str());
  SlotTable saved;
  WideChar link[LINK_TEXT_CAPACITY];
  LoadSlotTable(store, L".TXT", saved, link);
  SlotTable current = saved;
  lstrcpyW(current.slots[2].command, L"C:\\w.exe %1");  // changed
  lstrcpyW(current.slots[0].title, L"EDITOR");           // letter case only: saved too
  current.slots[1].runAs = 0;                            // unchanged
  for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, L".TXT", current, saved);

  std::wstring expected = before;
  expected.replace(expected.find(L"C:\\v.exe"), 8, L"C:\\w.exe");
  expected.replace(expected.find(L"Editor"), 6, L"EDITOR");
  EXPECT_EQ(Utf16Text(ReadAll(path)), expected);

  current.slots[2].runAs = 0;
  current.slots[0].title[0] = 0;
  for (int slot = 0; slot < SLOT_COUNT; ++slot) SaveSlot(store, slot, L".txt", current, saved);
  std::wstring after = Utf16Text(ReadAll(path));
  EXPECT_EQ(after.find(L"runas3"), std::wstring::npos) << "runAs off deletes its key";
  EXPECT_EQ(after.find(L"title1"), std::wstring::npos) << "an emptied text deletes its key";
  EXPECT_NE(after.find(L"command1=C:\\e.exe"), std::wstring::npos);
  DeleteFileW(path.c_str());
}

TEST(IniFileStore, LinkedRunSavesIntoTheLinkTarget) {
  std::wstring path = TempSettingsPath();
  WriteUtf16(path, L"[.log]\r\nlink=.txt\r\n[.txt]\r\ntitle1=Editor\r\n");
  IniFileStore store(path.c_str());
  SlotTable saved;
  WideChar link[LINK_TEXT_CAPACITY];
  LoadSlotTable(store, L".log", saved, link);
  ASSERT_STREQ(link, L".txt");
  SlotTable current = saved;
  lstrcpyW(current.slots[0].title, L"Shared editor");
  SaveSlot(store, 0, SlotSectionOf(link, L".log"), current, saved);

  wchar_t value[64];
  GetPrivateProfileStringW(L".txt", L"title1", L"<missing>", value, 64, path.c_str());
  EXPECT_STREQ(value, L"Shared editor");
  GetPrivateProfileStringW(L".log", L"title1", L"<missing>", value, 64, path.c_str());
  EXPECT_STREQ(value, L"<missing>");
  DeleteFileW(path.c_str());
}

// The store reads a section whole and looks keys up itself; every answer must be
// the one the profile API gives key by key, however odd the file.
TEST(IniFileStore, SectionReadsAnswerAsTheProfileApiDoesKeyByKey) {
  std::wstring path = TempSettingsPath();
  std::wstring big(40000, L'x');  // too long for one listing: read key by key
  WriteUtf16(path,
             L"lead=before any header\r\n"
             L"[.txt]\r\n"
             L"  title1  =  spaced out  \r\n"
             L"TITLE2=\"quoted\"\r\n"
             L"title3='single'\r\n"
             L"title4=\"unbalanced\r\n"
             L"title5=\"\r\n"
             L"title6=a=b=c\r\n"
             L"title7\r\n"
             L"title7=after a bare name\r\n"
             L"title8=first\r\n"
             L"title8=second\r\n"
             L";title9=commented\r\n"
             L"title10=\r\n"
             L"title11=日本語\xD83D\xDE00\r\n"
             L"[.TXT]\r\n"
             L"title12=second section of the same name\r\n"
             L"[.big]\r\n"
             L"command1=" + big + L"\r\n"
             L"command2=after the big one\r\n"
             L"[SystemSetting]\r\n"
             L"topView=on\r\n");
  struct Probe {
    const wchar_t* section;
    const wchar_t* key;
  };
  const Probe probes[] = {
      {L"", L"lead"},          {L".txt", L"title1"},  {L".txt", L"title2"},
      {L".Txt", L"Title3"},    {L".txt", L"title4"},  {L".txt", L"title5"},
      {L".txt", L"title6"},    {L".txt", L"title7"},  {L".txt", L"title8"},
      {L".txt", L";title9"},   {L".txt", L"title9"},  {L".txt", L"title10"},
      {L".txt", L"title11"},   {L".txt", L"title12"}, {L".txt", L"missing"},
      {L".big", L"command2"},  {L".big", L"command1"}, {L"SystemSetting", L"topView"},
      {L"nowhere", L"title1"}, {L".txt", L"lead"},
  };
  IniFileStore store(path.c_str());
  for (const Probe& probe : probes) {
    for (size_t capacity : {size_t{260}, size_t{4}}) {
      std::wstring expected(capacity, L'\0'), actual(capacity, L'\0');
      GetPrivateProfileStringW(probe.section, probe.key, L"<fallback>", &expected[0],
                               static_cast<DWORD>(capacity), path.c_str());
      store.ReadText(probe.section, probe.key, L"<fallback>", &actual[0], capacity);
      EXPECT_STREQ(expected.c_str(), actual.c_str())
          << "[" << probe.section << "] " << probe.key << " capacity " << capacity;
    }
  }
  // A write is seen by the next read through the same store.
  store.WriteText(L".txt", L"title1", L"changed");
  wchar_t value[32];
  store.ReadText(L".txt", L"title1", L"", value, 32);
  EXPECT_STREQ(L"changed", value);
  DeleteFileW(path.c_str());
}
