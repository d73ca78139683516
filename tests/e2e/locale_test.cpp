// What depends on the system's locale: its code page, the language of its messages,
// its IME. scripts/test.sh runs these cases a second time with Wine in Japanese
// (code page 932, UI language 0411, the Japanese IME), the system of most users.

#include <gtest/gtest.h>

#include <algorithm>

#include "launcher_harness.h"

using namespace e2e;

namespace {

// A key the IME took anyway: VK_PROCESSKEY, with the key's own scan code.
void PostImeKey(HWND window, UINT scanCode) {
  PostMessageW(window, WM_KEYDOWN, VK_PROCESSKEY, 1 | scanCode << 16);
}

}  // namespace

// A file without a byte-order mark, in the system's code page as users and older tools
// write it (表 and ソ end in the byte of a backslash in Shift-JIS): its titles are shown,
// a path in a command reaches the program exactly, and a title typed in the edit dialog
// is saved in that code page with every other byte kept. A start that fails and a save
// whose copy cannot be made (until the way is clear and it is retried) are told in the
// system's words, in the user's language. The grid's keys come as an IME that took
// them anyway hands them on.
TEST(Locale, TheUsersCodePageLanguageAndIme) {
  struct Row {
    UINT codePage;
    const wchar_t *title, *path, *typed;
  } rows[] = {
      {932, L"予定表 (ソフト)", L"表\\ソフト.txt", L"新しい名前"},
      {1252, L"Café crème", L"André\\résumé.txt", L"Crème brûlée"},
  };
  wchar_t pass[8] = L"";  // the code page the pass started Wine in, when it names one
  if (GetEnvironmentVariableW(L"PIVORA_CODE_PAGE", pass, 8)) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(_wtoi(pass)));
  }
  const Row* row =
      std::find_if(rows, std::end(rows), [](auto& r) { return r.codePage == GetACP(); });
  ASSERT_NE(row, std::end(rows)) << "no row for code page " << GetACP();
  Session s;
  const std::wstring argument = s.File(row->path),
                     copyInTheWay = s.Settings() + L".before-save.partial";
  auto file = [&](const wchar_t* title) {
    std::wstring text = s.Fill(
        L"; " + std::wstring(row->title) +
        L"\r\n[SystemSetting]\r\ntopView=OFF\r\nautoClose=OFF\r\nloopCursor=OFF"
        L"\r\ncacheIcon=OFF\r\n[.txt]\r\ntitle1=" +
        title + L"\r\ncommand1={rec} " + argument + L" %1\r\ncommand2={dir}\\missing.exe\r\n");
    std::string bytes(text.size() * 2, '\0');
    bytes.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                     bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                     nullptr));
    return bytes;
  };
  WriteBytes(s.Settings(), file(row->title));
  ASSERT_NE(s.Open(), nullptr);
  EXPECT_EQ(s.Status(), row->title);
  PostImeKey(s.window, 0x11);  // W
  EXPECT_TRUE(s.StatusBecomes(L"起動できません: " + SystemMessage(ERROR_FILE_NOT_FOUND)));
  PostImeKey(s.window, 0x4B);  // Left, back on slot 1
  EXPECT_TRUE(s.StatusBecomes(row->title));
  ASSERT_TRUE(s.TypeTitle(row->typed));
  CreateDirectoryW(copyInTheWay.c_str(), nullptr);
  PostImeKey(s.window, 0x10);  // Q: starts slot 1, then the save cannot copy the file
  HWND box = s.WaitForDialog(L"Pivora");
  ASSERT_NE(box, nullptr);
  const std::wstring told = L"設定を保存できませんでした。\n" + SystemMessage(ERROR_ACCESS_DENIED);
  EXPECT_EQ(WindowText(GetDlgItem(box, 1001)).rfind(told, 0), 0u);
  RemoveDirectoryW(copyInTheWay.c_str());
  SendMessageW(GetDlgItem(box, IDRETRY), BM_CLICK, 0, 0);
  EXPECT_EQ(s.Exit(), 0u);
  ASSERT_EQ(s.Starts(1).size(), 1u);
  EXPECT_EQ(ArgumentsOf(s.Starts(1)[0].commandLine), argument + L" \"" + s.File(L"a.txt") + L"\"");
  EXPECT_TRUE(ReadBytes(s.Settings()) == file(row->typed));
}

// A first run creates the file in UTF-16. A file without a byte-order mark is in
// the system's code page, which may not hold what the user types: the file then
// becomes UTF-16 before the value is written, every line (a comment too) as it was
// read; a value the code page holds leaves the file in its encoding (as above).
// Code page 1252 holds Latin-1 letters, 932 kanji, neither an emoji.
TEST(Locale, AValueTheCodePageCannotHoldMakesTheFileUtf16) {
  const std::string ansi = "; kept as it is\r\n[SystemSetting]\r\ntopView=OFF\r\nautoClose=OFF\r\n"
                           "loopCursor=OFF\r\ncacheIcon=OFF\r\n[.txt]\r\ntitle1=plain\r\ntitle2=two\r\n";
  const struct {
    const wchar_t* typed;
    bool utf16On1252, utf16On932, noFile = false;
  } rows[] = {{L"Plain", true, true, true}, {L"Caf\u00E9", false, true}, {L"\u65E5\u672C", true, false},
              {L"Caf\u00E9 \u65E5\u672C \U0001F389", true, true}};
  ASSERT_TRUE(GetACP() == 1252 || GetACP() == 932) << "a code page this table does not know: " << GetACP();
  Session s;
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(row.typed)));
    if (row.noFile) {
      DeleteFileW(s.Settings().c_str());
    } else {
      WriteBytes(s.Settings(), ansi);
    }
    ASSERT_NE(s.Open(), nullptr);
    EXPECT_EQ(s.Status(), row.noFile ? L"" : L"plain");
    ASSERT_TRUE(s.TypeTitle(row.typed));
    EXPECT_EQ(s.Close(), 0u);
    EXPECT_EQ(ReadBytes(s.Settings()).rfind("\xFF\xFE", 0) == 0, GetACP() == 932 ? row.utf16On932 : row.utf16On1252);
    std::wstring expected(ansi.begin(), ansi.end());
    if (row.noFile) {  // the four options and the title, nothing else
      size_t options = expected.find(L"[System");
      expected = L"[.txt]\r\ntitle1=plain\r\n" + expected.substr(options, expected.find(L"[.txt]") - options);
    }
    EXPECT_EQ(ReadSettingsText(s.Settings()), expected.replace(expected.find(L"plain"), 5, row.typed));
  }
}
