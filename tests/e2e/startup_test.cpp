// Starting the launcher: refused without a target; the target names the window
// and picks the slots (through a link); the window opens centred or on the
// pointer, and the highlight follows the pointer only once it really moves.

#include <gtest/gtest.h>

#include <algorithm>

#include "launcher_harness.h"

using namespace e2e;

// Even a refused start moves a legacy icon cache folder into place; it writes no settings.
TEST(Startup, WithoutTargetWarnsAndWritesNothing) {
  Session s;
  CreateDirectoryW(s.File(L"iconcash").c_str(), nullptr);
  WriteBytes(s.File(L"iconcash\\old.exe.ico"), "x");
  LauncherProcess launcher(s.folder, L"");
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (box = FindProcessWindow(launcher.ProcessId(), L"#32770", L"Pivora")) != nullptr;
  }));
  EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)),
            L"単独起動はできません。\nファイルを与えて起動してください。");
  EXPECT_EQ(FindProcessWindow(launcher.ProcessId(), L"Pivora64"), nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(launcher.WaitForExit(), 0u);
  EXPECT_FALSE(FileExists(s.Settings()));
  EXPECT_TRUE(FileExists(s.File(L"iconcache\\old.exe.ico")));
}

TEST(Startup, TargetsNameTheWindowAndPickTheirSlots) {
  Session s(L"[.txt]\r\nlink=.md\r\ntitle1=text slot\r\n[.md]\r\ntitle1=テキスト \U0002000B 𝄞\r\n"
            L"[.log]\r\nlink=.txt\r\ntitle1=own log slot\r\n[folder]\r\ntitle1=Folder tool\r\n"
            L"[.ini]\r\nLINK=txt\r\n[txt]\r\ntitle1=section without dot\r\n");
  CreateDirectoryW(s.File(L"My Photos.old").c_str(), nullptr);
  std::wstring deep = L"{dir}";
  while (deep.size() < 300) deep += L"\\" + std::wstring(40, L'd');
  struct Row {
    const char* what;
    std::wstring tail, title, status;
  } rows[] = {
      {"a file, its slots through a link", L"\"{dir}\\メモ.txt\"", L"メモ.txt", L"テキスト \U0002000B 𝄞"},
      {"a link is followed one level only", L"\"{dir}\\a.log\"", L"a.log", L"text slot"},
      {"a folder with a dot in its name", L"\"{dir}\\My Photos.old\"", L"My Photos.old", L"Folder tool"},
      {"longer than a path buffer", L"\"" + deep + L"\\long name.log\"", L"long name.log", L"text slot"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ASSERT_NE(s.Open(row.tail), nullptr);
    EXPECT_EQ(WindowText(s.window), row.title);
    EXPECT_EQ(s.Status(), row.status);
    EXPECT_EQ(s.Close(), 0u);
  }
}

// A child window's place in its parent's client area: left, top, right, bottom.
static std::vector<LONG> PlaceInParent(HWND child) {
  RECT r = WindowRect(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

// At the display's scale (run at 96 DPI and again at 120, 144 and 192): the 38-px
// buttons scaled and touching, the status bar below them along the bottom (its top
// edge may lie under the buttons' border, as at 96 DPI), the window sized for both
// and placed; icons extracted and cached at the scale's size, 32 px where they
// always were and every other size in a folder of its own.
TEST(Startup, WindowOpensCentredOrOnThePointer) {
  const int b = ScaledToDisplay(38), icon = ScaledToDisplay(32);
  const std::wstring folder = icon == 32 ? L"" : std::to_wstring(icon) + L"\\";
  RECT desktop, client;
  GetWindowRect(GetDesktopWindow(), &desktop);
  for (const std::wstring onMouse : {L"", L"onMouse=ON"}) {  // the rules' other words: unit tables
    Session s(L"[SystemSetting]\r\ncacheIcon=ON\r\n" + onMouse +
              L"\r\n[.txt]\r\ncommand1=C:\\windows\\notepad.exe\r\n");
    MoveMouseTo({300, 250});
    POINT pointer;
    GetCursorPos(&pointer);
    ASSERT_NE(s.Open(), nullptr);
    GetClientRect(s.window, &client);
    const std::vector<LONG> bar = PlaceInParent(GetDlgItem(s.window, 3500));
    EXPECT_EQ((std::vector<LONG>{client.right, client.bottom}),
              (std::vector<LONG>{
                  4 * b, std::max<LONG>(ScaledToDisplay(138), 3 * b + bar[3] - bar[1] - 1)}));
    EXPECT_EQ(bar,
              (std::vector<LONG>{0, std::max(bar[1], 3 * b - 1L), client.right, client.bottom}));
    for (int slot = 0; slot < 12; ++slot) {
      const LONG x = b * (slot % 4), y = b * (slot / 4);
      EXPECT_EQ(PlaceInParent(s.Button(slot)), (std::vector<LONG>{x, y, x + b, y + b})) << slot;
    }
    RECT frame = client, at = WindowRect(s.window);
    AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU, FALSE);
    const LONG cx = frame.right - frame.left, cy = frame.bottom - frame.top;
    const POINT origin = onMouse.empty()
                             ? POINT{(desktop.right - cx) / 2, (desktop.bottom - cy) / 2}
                             : POINT{pointer.x - cx / 2, pointer.y - cy / 2};
    EXPECT_EQ((std::vector<LONG>{at.left, at.top, at.right - at.left, at.bottom - at.top}),
              (std::vector<LONG>{origin.x, origin.y, cx, cy}));
    EXPECT_EQ(s.Close(), 0u);
    const std::string file = ReadBytes(s.File(L"iconcache\\" + folder + L"notepad.exe.ico"));
    EXPECT_TRUE(file.size() > 8 && file[6] == char(icon) && file[7] == char(icon)) << icon;
  }
}

// Exactly one button carries the frame, and it is the one Enter starts. The window
// opens centred on a resting pointer: slot 0 stays framed until the pointer really
// moves; then a click under the resting pointer and hotkeys that start nothing,
// arrows, Tab, hover (the status bar shows the title; over the status bar it
// selects nothing) and the button menu's paste. The pointer goes where the scaled
// layout puts each slot (run at every scale, as the window's layout).
TEST(Startup, OneFramedButtonAtAllTimes) {
  Session s(L"[SystemSetting]\r\nonMouse=ON\r\n[.txt]\r\ncommand3={dir}\\missing.exe\r\n"
            L"command4={rec} framed\r\ncommand7={dir}\\missing.exe\r\ntitle10=nine\r\n");
  MoveMouseTo({400, 300});  // the X pointer too: a fresh Wine server reads it
  ASSERT_NE(s.Open(), nullptr);
  ASSERT_EQ(GetDlgCtrlID(WindowFromPoint(POINT{400, 300})), 1600) << "the pointer rests over slot 6";
  Sleep(800);
  EXPECT_EQ(s.Highlighted(), std::vector<int>{0}) << "a resting pointer selects nothing";
  const POINT bar = CentreOf(GetDlgItem(s.window, 3500));
  auto menuOpensOn = [&](POINT at) {
    RightClickAt(at);
    return WaitUntil([&] { return FindProcessWindow(s.launcher->ProcessId(), L"#32768"); }, 1000);
  };
  struct Step {
    const char* what;
    std::function<void()> act;
    int framed;
  } steps[] = {
      {"a failed click at rest", [&] { ClickAt({400, 300}); }, 6},
      {"a hotkey on an empty slot", [&] { s.Key('W'); }, 1},
      {"down", [&] { s.Key(VK_DOWN); }, 5},
      {"a hotkey whose start fails", [&] { s.Key('E'); }, 2},
      {"right", [&] { s.Key(VK_RIGHT); }, 3},
      {"tab", [&] { s.Key(VK_TAB); }, 4},
      {"shift+tab", [&] { s.Key(VK_TAB, {VK_SHIFT}); }, 3},
      {"hover", [&] { MoveInStepsTo(SlotCentre(s.window, 9), 10); }, 9},
      {"the title on hover", [&] { EXPECT_TRUE(s.StatusBecomes(L"nine")); }, 9},
      {"hover over the status bar", [&] { MoveMouseTo(bar), Sleep(300); }, 9},
      {"the menu's paste", [&] { s.ChooseFromMenu(SlotCentre(s.window, 10), 3); }, 10},
      {"no menu on the status bar", [&] { EXPECT_FALSE(menuOpensOn(bar)); }, 10},
      {"hover back", [&] { MoveInStepsTo(SlotCentre(s.window, 3), 10); }, 3},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_TRUE(WaitUntil([&] { return s.Highlighted() == std::vector<int>{step.framed}; }, 20000))
        << "framed: " << ::testing::PrintToString(s.Highlighted());
  }
  Activate(s.window);
  s.Key(VK_RETURN);
  ASSERT_EQ(s.Starts(1).size(), 1u);
  EXPECT_EQ(ArgumentsOf(s.Starts(1)[0].commandLine), L"framed " + s.Fill(L"\"{dir}\\a.txt\""));
}
