// Editing slots in place: the edit dialog, the button menu and the drag.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

const wchar_t EDIT_CAPTION[] = L"Pivora コマンド編集";

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

HWND WaitForDialog(const LauncherProcess& launcher, const wchar_t* caption) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(launcher.ProcessId(), caption)) != nullptr; });
  return dialog;
}

std::wstring FieldText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetField(HWND dialog, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Opens the button menu over slot and picks the item at position item (0 = 編集).
void ChooseFromSlotMenu(const LauncherProcess& launcher, HWND window, int slot, int item) {
  RightClickAt(CentreOf(SlotButton(window, slot)));
  ASSERT_TRUE(WaitUntil([&] { return OpenPopupMenu(launcher.ProcessId()) != nullptr; }));
  for (int i = 0; i <= item; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return OpenPopupMenu(launcher.ProcessId()) == nullptr; }));
}

// A visible dialog owned by owner: a message box or a picker it opened.
HWND OwnedDialog(HWND owner) {
  struct Search {
    HWND owner, found;
  } search = {owner, nullptr};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        wchar_t className[16];
        if (GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window) ||
            GetClassNameW(window, className, 16) == 0 || lstrcmpW(className, L"#32770") != 0) {
          return TRUE;
        }
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

TEST(Editing, ShiftEnterEditsTheSlotAndEscapeCancels) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), L"[.txt]\r\ntitle1=Editor\r\ncommand1=C:\\e.exe %1\r\n"
                                        L"icon1=C:\\i.dll,2\r\nrunas1=ON\r\ntitle2=keep\r\n");
  LauncherProcess launcher(folder, Quoted(folder.File(L"a.txt")));
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Activate(window));

  PressKey(VK_RETURN, {VK_SHIFT});
  HWND dialog = WaitForDialog(launcher, EDIT_CAPTION);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, 1000), L"Editor");
  EXPECT_EQ(FieldText(dialog, 1003), L"C:\\e.exe %1");
  EXPECT_EQ(FieldText(dialog, 1004), L"C:\\i.dll,2");
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog, 1002), BM_GETCHECK, 0, 0), BST_CHECKED);
  SetField(dialog, 1000, L"Changed but cancelled");
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return FindDialog(launcher.ProcessId(), EDIT_CAPTION) == nullptr; }));

  ASSERT_TRUE(Activate(window));
  PressKey(VK_RETURN, {VK_SHIFT});
  dialog = WaitForDialog(launcher, EDIT_CAPTION);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FieldText(dialog, 1000), L"Editor") << "cancel changed nothing";
  SetField(dialog, 1000, L"エディタ");
  SendMessageW(GetDlgItem(dialog, 1002), BM_SETCHECK, BST_UNCHECKED, 0);
  PressKey(VK_RETURN);  // registers
  ASSERT_TRUE(WaitUntil([&] { return FindDialog(launcher.ProcessId(), EDIT_CAPTION) == nullptr; }));
  EXPECT_TRUE(WaitUntil([&] { return StatusBarText(window) == L"エディタ"; }));
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);

  const std::wstring& ini = folder.Settings();
  EXPECT_EQ(IniValue(ini, L".txt", L"title1"), L"エディタ");
  EXPECT_EQ(IniValue(ini, L".txt", L"command1"), L"C:\\e.exe %1");
  EXPECT_EQ(IniValue(ini, L".txt", L"runas1"), MISSING);
  EXPECT_EQ(IniValue(ini, L".txt", L"title2"), L"keep");
}

// A click on an empty slot opens the dialog for it; with autoClose on, the
// launcher's own dialog does not close it, while another program still does.
TEST(Editing, ClickOnAnEmptySlotEditsItEvenWithAutoClose) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), L"[SystemSetting]\r\nautoClose=ON\r\n");
  LauncherProcess launcher(folder, Quoted(folder.File(L"a.txt")));
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Activate(window));
  ClickAt(CentreOf(SlotButton(window, 2)));
  HWND dialog = WaitForDialog(launcher, EDIT_CAPTION);
  ASSERT_NE(dialog, nullptr);
  Sleep(300);
  ASSERT_TRUE(launcher.Running()) << "the launcher's own dialog does not close it";
  SetField(dialog, 1000, L"Three");
  SetField(dialog, 1003, L"C:\\three.exe");
  ASSERT_TRUE(Activate(dialog));
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return FindDialog(launcher.ProcessId(), EDIT_CAPTION) == nullptr; }));
  ASSERT_TRUE(launcher.Running());

  ASSERT_TRUE(Activate(window));
  OtherWindow other;
  ASSERT_TRUE(Activate(other.Handle()));
  EXPECT_EQ(launcher.WaitForExit(), 0u);
  EXPECT_EQ(IniValue(folder.Settings(), L".txt", L"title3"), L"Three");
  EXPECT_EQ(IniValue(folder.Settings(), L".txt", L"command3"), L"C:\\three.exe");
}

TEST(Editing, ButtonMenuCopiesPastesAndDeletes) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(),
                     L"[.txt]\r\ntitle1=One\r\ncommand1=C:\\one.exe\r\nrunas6=ON\r\n"
                     L"title8=Eight\r\ncommand8=C:\\eight.exe\r\n");
  LauncherProcess launcher(folder, Quoted(folder.File(L"a.txt")));
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Activate(window));
  ChooseFromSlotMenu(launcher, window, 0, 1);  // コピー
  ChooseFromSlotMenu(launcher, window, 5, 3);  // 貼り付け: the selection moves there
  EXPECT_TRUE(WaitUntil([&] {
    return HighlightedSlots(window) == std::vector<int>{5} && StatusBarText(window) == L"One";
  }));
  ChooseFromSlotMenu(launcher, window, 7, 4);  // 削除: the status shows the emptied slot
  EXPECT_TRUE(WaitUntil([&] { return StatusBarText(window).empty(); }));
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);

  const std::wstring& ini = folder.Settings();
  EXPECT_EQ(IniValue(ini, L".txt", L"title6"), L"One");
  EXPECT_EQ(IniValue(ini, L".txt", L"command6"), L"C:\\one.exe");
  EXPECT_EQ(IniValue(ini, L".txt", L"runas6"), L"ON") << "run as administrator stays with its button";
  EXPECT_EQ(IniValue(ini, L".txt", L"title8"), MISSING);
  EXPECT_EQ(IniValue(ini, L".txt", L"title1"), L"One");
}

// Hold a button still for more than half a second, drag it onto another and let
// go: the two slots change places and nothing starts.
TEST(Editing, DraggingAButtonOntoAnotherExchangesTheSlots) {
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  WriteSettingsUtf16(folder.Settings(),
                     L"[.txt]\r\ntitle1=One\r\ncommand1=" + recorder + L" one\r\nrunas1=ON\r\n"
                     L"icon1=" + folder.Launcher() + L"\r\n"
                     L"title2=Two\r\ncommand2=" + recorder + L" two\r\n"
                     L"icon2=" + folder.Launcher() + L"\r\n");
  LauncherProcess launcher(folder, Quoted(folder.File(L"a.txt")));
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Activate(window));
  POINT first = CentreOf(SlotButton(window, 0));
  POINT second = CentreOf(SlotButton(window, 1));

  auto pickedUp = [&](int slot) {
    // A picked-up slot's icon leaves its button to become the pointer.
    return WaitUntil([&] { return SendMessageW(SlotButton(window, slot), BM_GETIMAGE, IMAGE_ICON, 0) == 0; });
  };
  ASSERT_NE(SendMessageW(SlotButton(window, 0), BM_GETIMAGE, IMAGE_ICON, 0), 0);
  PressLeftAt(first);
  ASSERT_TRUE(pickedUp(0)) << "picked up after half a second held still";
  MoveInStepsTo(first, second, 3);
  ReleaseLeft();
  EXPECT_TRUE(WaitUntil([&] { return HighlightedSlots(window) == std::vector<int>{1}; }))
      << "the highlight follows the drag";

  // Dropped back on its own button: nothing changes and the click is swallowed once.
  PressLeftAt(second);
  ASSERT_TRUE(pickedUp(1));
  MoveInStepsTo(second, first, 3);
  MoveInStepsTo(first, second, 3);
  ReleaseLeft();
  Sleep(500);
  EXPECT_TRUE(launcher.Running()) << "the drop's own click started nothing";
  EXPECT_TRUE(RecordedStarts(folder.Path()).empty());
  EXPECT_NE(SendMessageW(SlotButton(window, 1), BM_GETIMAGE, IMAGE_ICON, 0), 0)
      << "the icon is back on the button";

  ClickAt(second);  // the next click is a click again
  EXPECT_EQ(launcher.WaitForExit(), 0u);
  std::vector<RecordedStart> starts;
  ASSERT_TRUE(WaitUntil([&] { return (starts = RecordedStarts(folder.Path())).size() == 1; }));
  EXPECT_NE(starts[0].commandLine.find(L" one "), std::wstring::npos) << "slot 1 now holds One";

  const std::wstring& ini = folder.Settings();
  EXPECT_EQ(IniValue(ini, L".txt", L"title1"), L"Two");
  EXPECT_EQ(IniValue(ini, L".txt", L"title2"), L"One");
  EXPECT_EQ(IniValue(ini, L".txt", L"runas1"), L"ON") << "run as administrator stays in place";
  EXPECT_EQ(IniValue(ini, L".txt", L"runas2"), MISSING);
}

// A run with no settings file has not loaded shell32: the icon's 参照... must still
// open the picker, or say why it cannot (Wine's picker cannot show itself), and
// leave the field as it was.
TEST(Editing, IconBrowserOpensOrSaysWhyInARunWithoutShell32) {
  TestFolder folder;
  LauncherProcess launcher(folder, Quoted(folder.File(L"a.txt")));
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(Activate(window));
  PressKey(VK_RETURN, {VK_SHIFT});
  HWND dialog = WaitForDialog(launcher, EDIT_CAPTION);
  ASSERT_NE(dialog, nullptr);
  SetField(dialog, 1004, L"C:\\i.dll,2");
  ASSERT_TRUE(Activate(dialog));
  ClickAt(CentreOf(GetDlgItem(dialog, 1006)));
  HWND shown = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (shown = OwnedDialog(dialog)) != nullptr; }))
      << "the button did something a user can see";
  ASSERT_TRUE(Activate(shown));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(shown); }));
  EXPECT_EQ(FieldText(dialog, 1004), L"C:\\i.dll,2");
}

// Another window takes over while a picked-up button is held, and the release goes
// to it: the launcher must not finish the drag on its next click.
TEST(Editing, ADragCutShortByAnotherWindowLeavesNothingBehind) {
  TestFolder folder;
  std::wstring recorder = folder.AddRecorder();
  std::wstring settings = L"[.txt]\r\n";
  for (std::wstring n : {L"1", L"2", L"3"}) {
    settings += L"title" + n + L"=T" + n + L"\r\ncommand" + n + L"=" + recorder + L" slot" + n +
                L"\r\nicon" + n + L"=" + folder.Launcher() + L"\r\n";
  }
  WriteSettingsUtf16(folder.Settings(), settings);
  OtherWindow other;
  LauncherProcess launcher(folder, Quoted(folder.File(L"a.txt")));
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  HWND second = SlotButton(window, 1);
  auto image = [&] { return SendMessageW(second, BM_GETIMAGE, IMAGE_ICON, 0); };
  ASSERT_NE(image(), 0);
  POINT at = CentreOf(second);
  // Settled well before the press: without the pause, Wine lost about one pick-up
  // in ten to pointer events arriving after the press.
  MoveMouseTo(at);
  ASSERT_TRUE(Activate(window));
  Sleep(300);
  PressLeftAt(at);
  ASSERT_TRUE(WaitUntil([&] { return image() == 0; })) << "picked up";
  MoveInStepsTo(at, {at.x + 6, at.y}, 3);
  ASSERT_TRUE(Activate(other.Handle()));
  MoveMouseTo(CentreOf(other.Handle()));
  ReleaseLeft();
  EXPECT_TRUE(WaitUntil([&] { return image() != 0; })) << "the icon is back on its button";

  ASSERT_TRUE(Activate(window));
  ClickAt(CentreOf(SlotButton(window, 2)));
  EXPECT_EQ(launcher.WaitForExit(), 0u);
  std::vector<RecordedStart> starts;
  ASSERT_TRUE(WaitUntil([&] { return (starts = RecordedStarts(folder.Path())).size() == 1; }));
  EXPECT_NE(starts[0].commandLine.find(L" slot3 "), std::wstring::npos) << starts[0].commandLine;
  EXPECT_EQ(IniValue(folder.Settings(), L".txt", L"title2"), L"T2");
  EXPECT_EQ(IniValue(folder.Settings(), L".txt", L"title3"), L"T3");
}
