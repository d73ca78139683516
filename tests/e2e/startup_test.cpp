// Starting the launcher: refusal without a target, what it derives from the
// command line, and where its window opens.

#include <gtest/gtest.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

const wchar_t SAMPLE_SETTINGS[] =
    L"[.txt]\r\ntitle1=Text editor\r\n"
    L"[.log]\r\ntitle1=Log viewer\r\n"
    L"[folder]\r\ntitle1=Folder tool\r\n";

SIZE ExpectedWindowSize() {
  RECT frame = {0, 0, 152, 138};
  AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU, FALSE);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// Starts the launcher for commandLineTail, waits for its window and checks the title
// and status bar, then closes it with Escape.
void ExpectTitleAndStatus(const TestFolder& folder, const std::wstring& commandLineTail,
                          const std::wstring& title, const std::wstring& status) {
  LauncherProcess launcher(folder, commandLineTail);
  HWND window = launcher.WaitForWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), title);
  EXPECT_EQ(StatusBarText(window), status);
  EXPECT_EQ(launcher.CloseWithEscape(window), 0u);
}

}  // namespace

TEST(Startup, WithoutTargetWarnsAndExitsWithoutTouchingSettings) {
  TestFolder folder;
  LauncherProcess launcher(folder, L"");
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (box = FindProcessWindow(launcher.ProcessId(), L"#32770", L"Pivora")) != nullptr;
  }));
  EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)),
            L"単独起動はできません。\nファイルを与えて起動してください。");
  EXPECT_EQ(FindProcessWindow(launcher.ProcessId(), L"Pivora64"), nullptr)
      << "no launcher window shows while the warning is up";
  ASSERT_TRUE(Activate(box));
  PressKey(VK_RETURN);
  EXPECT_EQ(launcher.WaitForExit(), 0u);
  EXPECT_FALSE(FileExists(folder.Settings())) << "a refused start writes no settings";
}

TEST(Startup, WithoutTargetLeavesAnExistingSettingsFileAlone) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), SAMPLE_SETTINGS);
  std::string before = ReadBytes(folder.Settings());
  LauncherProcess launcher(folder, L"");
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (box = FindProcessWindow(launcher.ProcessId(), L"#32770", L"Pivora")) != nullptr;
  }));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(launcher.WaitForExit(), 0u);
  EXPECT_EQ(ReadBytes(folder.Settings()), before);
}

TEST(Startup, TargetsPickTheirSectionAndTitle) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), SAMPLE_SETTINGS);
  std::wstring folderTarget = folder.File(L"My Photos.old");
  CreateDirectoryW(folderTarget.c_str(), nullptr);

  struct Case {
    const char* what;
    std::wstring commandLineTail;
    std::wstring title;
    std::wstring status;
  } cases[] = {
      {"file", L"\"" + folder.File(L"notes.txt") + L"\"", L"notes.txt", L"Text editor"},
      {"extension case", L"\"" + folder.File(L"report.final.LOG") + L"\"", L"report.final.LOG",
       L"Log viewer"},
      {"folder with a dot in its name", L"\"" + folderTarget + L"\"", L"My Photos.old",
       L"Folder tool"},
      {"no extension", L"\"" + folder.File(L"README") + L"\"", L"README", L""},
      {"dot before a space", L"\"" + folder.File(L"v1.0 draft") + L"\"", L"v1.0 draft", L""},
      {"two files: the first decides", L"\"" + folder.File(L"a.log") + L"\" \"" +
                                            folder.File(L"b.txt") + L"\"",
       L"a.log", L"Log viewer"},
      {"unquoted target", folder.File(L"plain.txt"), L"plain.txt", L"Text editor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectTitleAndStatus(folder, c.commandLineTail, c.title, c.status);
  }
}

// A target of 260 units or more is used whole: the title and the section come
// from its real name, not from a cut copy.
TEST(Startup, LongTargetKeepsItsRealNameAndSection) {
  TestFolder folder;
  WriteSettingsUtf16(folder.Settings(), SAMPLE_SETTINGS);
  std::wstring deep = folder.Path();
  while (deep.size() < 300) deep += L"\\" + std::wstring(40, L'd');
  std::wstring target = deep + L"\\long name.log";
  ASSERT_GE(target.size(), 260u);
  ExpectTitleAndStatus(folder, L"\"" + target + L"\"", L"long name.log", L"Log viewer");
}

TEST(Startup, WindowOpensCentredOrOnThePointerAsOnMouseSays) {
  SIZE size = ExpectedWindowSize();
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  const POINT pointer = {300, 250};

  struct Case {
    const char* what;
    const wchar_t* onMouseLine;  // nullptr: no key
    bool onPointer;
  } cases[] = {
      {"absent", nullptr, false},     {"OFF", L"onMouse=OFF", false},
      {"off", L"onMouse=off", false}, {"empty", L"onMouse=", true},
      {"ON", L"onMouse=ON", true},    {"other word", L"onMouse=no", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestFolder folder;
    std::wstring settings = L"[SystemSetting]\r\n";
    if (c.onMouseLine != nullptr) settings += std::wstring(c.onMouseLine) + L"\r\n";
    WriteSettingsUtf16(folder.Settings(), settings);
    SetCursorPos(pointer.x, pointer.y);
    POINT actualPointer;
    GetCursorPos(&actualPointer);

    LauncherProcess launcher(folder, L"\"" + folder.File(L"x.txt") + L"\"");
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    RECT rect = WindowRect(window);
    EXPECT_EQ(rect.right - rect.left, size.cx);
    EXPECT_EQ(rect.bottom - rect.top, size.cy);
    POINT expected = c.onPointer ? POINT{actualPointer.x - size.cx / 2, actualPointer.y - size.cy / 2}
                                 : POINT{(desktop.right - size.cx) / 2, (desktop.bottom - size.cy) / 2};
    EXPECT_EQ(rect.left, expected.x);
    EXPECT_EQ(rect.top, expected.y);
    EXPECT_EQ(launcher.CloseWithEscape(window), 0u);
  }
}
