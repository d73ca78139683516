// Editing slots in place: the edit dialog, the button menu, the clipboard keys and
// the drag; what the close then saves: exactly the changed keys, into the section
// the slots came from.

#include <gtest/gtest.h>

#include "launcher_harness.h"
// after windows.h
#include <tlhelp32.h>

using namespace e2e;

namespace {

std::wstring Field(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetField(HWND dialog, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool ModuleLoaded(DWORD processId, const wchar_t* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  MODULEENTRY32W module = {sizeof module};
  BOOL more = Module32FirstW(snapshot, &module);
  while (more && lstrcmpiW(module.szModule, name) != 0) more = Module32NextW(snapshot, &module);
  CloseHandle(snapshot);
  return more != FALSE;
}

bool DialogGone(const Session& s) {
  return WaitUntil([&] { return FindProcessWindow(s.launcher->ProcessId(), L"#32770") == nullptr; });
}

}  // namespace

// Shift+Enter edits the selection and register stores every field, a change of
// letter case too; with autoClose on, the launcher's own dialog does not close it.
// A click on an empty slot edits it; Escape cancels.
TEST(Editing, TheEditDialogStoresWhatIsRegistered) {
  Session s(L"[SystemSetting]\r\nautoClose=ON\r\n[.txt]\r\ntitle1=Editor\r\ncommand1=C:\\e.exe %1\r\n"
            L"icon1=C:\\i.dll,2\r\nrunas1=ON\r\ntitle2=keep\r\n");
  ASSERT_NE(s.Open(), nullptr);
  s.Key(VK_RETURN, {VK_SHIFT});
  HWND dialog = s.WaitForDialog(EDIT_CAPTION);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Field(dialog, 1000) + L"|" + Field(dialog, 1003) + L"|" + Field(dialog, 1004),
            L"Editor|C:\\e.exe %1|C:\\i.dll,2");
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog, 1002), BM_GETCHECK, 0, 0), BST_CHECKED);
  SetField(dialog, 1000, L"エディタ");
  SetField(dialog, 1003, L"C:\\E.exe %1");  // letter case only: an edit too
  SendMessageW(GetDlgItem(dialog, 1002), BM_SETCHECK, BST_UNCHECKED, 0);
  PressKey(VK_RETURN);
  ASSERT_TRUE(DialogGone(s));
  EXPECT_TRUE(s.launcher->Running()) << "our own dialog does not close the launcher";

  ASSERT_TRUE(Activate(s.window));
  s.Click(2);  // empty: edits it
  ASSERT_NE(dialog = s.WaitForDialog(EDIT_CAPTION), nullptr);
  SetField(dialog, 1000, L"cancelled");
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(DialogGone(s));
  EXPECT_EQ(s.Close(), 0u);
  const wchar_t* expected[][2] = {{L"title1", L"エディタ"}, {L"command1", L"C:\\E.exe %1"},
                                  {L"runas1", MISSING}, {L"title2", L"keep"}, {L"title3", MISSING}};
  for (auto& [key, value] : expected) EXPECT_EQ(s.Ini(L".txt", key), value) << key;
}

// The button menu acts on the slot right-clicked, the keys on the selection; runAs
// stays with its button; a linked run saves into the section it links to.
TEST(Editing, ClipboardAndDeleteSaveOnlyTheChangedKeys) {
  Session s(L"[.log]\r\nlink=.txt\r\n[.txt]\r\ntitle1=テキスト \U0002000B\r\ncommand1=C:\\a.exe %1\r\n"
            L"icon1=C:\\i.ico,3\r\nrunas1=ON\r\ntitle3=Three\r\ntitle4=Four\r\nrunas6=ON\r\n"
            L"title8=Eight\r\ntitle9=Nine\r\ntitle10=Ten\r\ncommand10={rec} ten\r\n");
  ASSERT_NE(s.Open(L"\"{dir}\\a.log\""), nullptr);
  s.ChooseFromMenu(CentreOf(s.Button(0)), 2);  // コピー
  s.ChooseFromMenu(CentreOf(s.Button(5)), 4);  // 貼り付け: the selection moves there
  EXPECT_TRUE(WaitUntil([&] { return s.Highlighted() == std::vector<int>{5} && s.Status() == L"テキスト \U0002000B"; }));
  s.ChooseFromMenu(CentreOf(s.Button(7)), 5);  // 削除 of slot 8, not the selection
  EXPECT_TRUE(s.StatusBecomes(L""));
  MoveMouseTo({5, 5});  // the hover took the selection where the menu was: walk from slot 0
  Activate(s.window);
  for (WORD key : {VK_UP, VK_UP, VK_LEFT, VK_LEFT, VK_LEFT, VK_RIGHT}) s.Key(key);  // key 2, empty
  s.Key('V', {VK_CONTROL});
  EXPECT_TRUE(s.StatusBecomes(L"テキスト \U0002000B"));
  s.Key(VK_RIGHT);
  s.Key('X', {VK_CONTROL});  // cuts Three, and does not start X's slot
  EXPECT_TRUE(s.StatusBecomes(L""));
  s.Key(VK_RIGHT);
  s.Key(VK_DELETE, {VK_CONTROL});  // changes nothing
  EXPECT_TRUE(s.StatusBecomes(L"Four"));
  for (WORD key : {VK_DOWN, VK_DOWN, VK_LEFT, VK_LEFT}) s.Key(key);  // Ten
  s.Key(VK_DELETE);
  EXPECT_TRUE(s.StatusBecomes(L""));
  EXPECT_EQ(s.Close(), 0u);
  const wchar_t* expected[][2] = {
      {L"title6", L"テキスト \U0002000B"}, {L"command6", L"C:\\a.exe %1"}, {L"icon6", L"C:\\i.ico,3"},
      {L"runas6", L"ON"},  {L"title2", L"テキスト \U0002000B"}, {L"runas2", MISSING},
      {L"runas1", L"ON"},  {L"title3", MISSING}, {L"title4", L"Four"}, {L"title8", MISSING},
      {L"title10", MISSING}, {L"title9", L"Nine"}, {L"title1", L"テキスト \U0002000B"}};
  for (auto& [key, value] : expected) EXPECT_EQ(s.Ini(L".txt", key), value) << key;
  EXPECT_EQ(s.Ini(L".log", L"title6"), MISSING) << "the linking section keeps only its link";
  EXPECT_EQ(ReadBytes(s.Settings()).substr(0, 2), "\xFF\xFE");
}

// Held still for half a second a button is picked up; dropped on another the two
// exchange, runAs staying in place; dropped back on itself its click is swallowed
// once; a drag cut short by another window leaves nothing behind. The pointer goes
// where the scaled layout puts each slot (run at every scale).
TEST(Editing, DraggingExchangesSlots) {
  std::wstring settings = L"[.txt]\r\n";
  for (std::wstring n : {L"1", L"2", L"3"}) {
    settings += L"title" + n + L"=T" + n + L"\r\ncommand" + n + L"={rec} slot" + n + L"\r\nicon" + n +
                L"={dir}\\Pivora64.exe\r\n";
  }
  Session s(settings + L"runas1=ON\r\n");
  OtherWindow other;
  ASSERT_NE(s.Open(), nullptr);
  auto pickUp = [&](int slot) {
    POINT at = SlotCentre(s.window, slot);
    MoveMouseTo(at);
    Activate(s.window);
    Sleep(300);  // settled: Wine lost pick-ups to pointer events arriving after the press
    PressLeftAt(at);
    EXPECT_TRUE(WaitUntil([&] { return s.Image(slot) == nullptr; })) << "picked up " << slot;
    return at;
  };
  POINT first = pickUp(0), second = SlotCentre(s.window, 1);
  MoveInStepsTo(second, 3);
  ReleaseLeft();
  EXPECT_TRUE(WaitUntil([&] { return s.Highlighted() == std::vector<int>{1}; })) << "the highlight follows";

  pickUp(1);
  MoveInStepsTo(first, 3);
  MoveInStepsTo(second, 3);
  ReleaseLeft();
  EXPECT_TRUE(WaitUntil([&] { return s.Image(1) != nullptr; })) << "its icon is back";

  POINT at = pickUp(1);
  MoveInStepsTo({at.x + 6, at.y}, 3);
  ASSERT_TRUE(Activate(other.Handle()));
  MoveMouseTo(CentreOf(other.Handle()));
  ReleaseLeft();
  EXPECT_TRUE(WaitUntil([&] { return s.Image(1) != nullptr; })) << "a cut-short drag puts the icon back";
  ASSERT_TRUE(Activate(s.window));
  ClickAt(SlotCentre(s.window, 2));  // an ordinary click: starts slot 3, exchanges nothing
  EXPECT_EQ(s.Exit(), 0u);
  std::vector<RecordedStart> starts = s.Starts(1);
  ASSERT_EQ(starts.size(), 1u) << "the drop on itself started nothing";
  EXPECT_EQ(ArgumentsOf(starts[0].commandLine), L"slot3 \"" + s.File(L"a.txt") + L"\"");
  const wchar_t* expected[][2] = {{L"title1", L"T2"}, {L"title2", L"T1"}, {L"title3", L"T3"},
                                  {L"runas1", L"ON"}, {L"runas2", MISSING}};
  for (auto& [key, value] : expected) EXPECT_EQ(s.Ini(L".txt", key), value) << key;
}

// A run without settings has not loaded shell32: the icon's 参照... must still open
// the picker, or say why it cannot (Wine's picker cannot show itself), and keep its
// library loaded (what a picker leaves running must not lose its code). A paste
// longer than a slot holds keeps what fits, and that is what is stored.
TEST(Editing, IconBrowserAndLongPastes) {
  Session s;
  ASSERT_NE(s.Open(), nullptr);
  s.Key(VK_RETURN, {VK_SHIFT});
  HWND dialog = s.WaitForDialog(EDIT_CAPTION);
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, 1004, L"C:\\i.dll,2");
  ASSERT_TRUE(Activate(dialog));
  ClickAt(CentreOf(GetDlgItem(dialog, 1006)));
  HWND shown = nullptr;  // the picker, or the box saying it cannot open: owned by the dialog
  ASSERT_TRUE(WaitUntil([&] { return GetWindow(shown = GetForegroundWindow(), GW_OWNER) == dialog; }))
      << "the button did something";
  EXPECT_NE(WindowText(GetDlgItem(shown, 0xFFFF)), L"アイコンの選択画面が見つかりませんでした。")
      << "the picker was looked for without loading its library";
  ASSERT_TRUE(Activate(shown));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(shown); }));
  EXPECT_EQ(Field(dialog, 1004), L"C:\\i.dll,2");
  EXPECT_TRUE(ModuleLoaded(s.launcher->ProcessId(), L"shell32.dll")) << "the picker's library stays";

  const std::wstring pasted = L"C:\\" + std::wstring(300, L'p') + L".exe %1";
  SendMessageW(GetDlgItem(dialog, 1003), EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(pasted.c_str()));  // what a paste does
  EXPECT_EQ(Field(dialog, 1003), pasted.substr(0, 259));
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(DialogGone(s));
  EXPECT_EQ(s.Close(), 0u);
  EXPECT_EQ(s.Ini(L".txt", L"command1"), pasted.substr(0, 259));
}
