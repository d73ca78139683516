// The release zip as a user gets it (unpacked by check_package.sh): register.cmd
// adds the launcher to "Open with" and "Send to" for this user, a shell start
// through that registration opens the launcher on the file, and unregister.cmd
// takes everything away again.

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shellapi.h>

#include <cwchar>

#include "launcher_harness.h"

using namespace e2e;

namespace {

const wchar_t APP_KEY[] = L"Software\\Classes\\Applications\\Pivora64.exe";
const wchar_t COMMAND_KEY[] = L"Software\\Classes\\Applications\\Pivora64.exe\\shell\\open\\command";

std::wstring Unpacked() { return BuildFolder() + L"\\release\\unpacked"; }

// The scripts change the user's own registration, so they run only in Wine's
// throwaway prefix, never on a real desktop.
bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// A copy of the unpacked release in a folder whose name has the characters cmd
// treats specially (blanks, &, parentheses): the scripts must carry them through.
std::wstring CopyRelease(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((Unpacked() + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return folder;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CopyFileW((Unpacked() + L"\\" + found.cFileName).c_str(),
              (folder + L"\\" + found.cFileName).c_str(), FALSE);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  DeleteFileW((folder + L"\\Pivora64.ini").c_str());
  return folder;
}

// Runs a script of the folder through cmd, as a double-click does; its exit code.
DWORD RunScript(const std::wstring& folder, const wchar_t* script) {
  std::wstring commandLine = L"cmd.exe /c \"\"" + folder + L"\\" + script + L"\" /q\"";
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, folder.c_str(), &startup, &process)) {
    return GetLastError();
  }
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

bool KeyExists(const wchar_t* key) {
  HKEY opened;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

std::wstring RegistryText(const wchar_t* key, const wchar_t* value) {
  wchar_t text[1024];
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS) {
    return MISSING;
  }
  return text;
}

std::wstring SendToShortcut() {
  wchar_t folder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_SENDTO, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return L"<no Send To folder>";
  }
  return std::wstring(folder) + L"\\Pivora64.lnk";
}

// The program a shortcut file starts, or MISSING.
std::wstring ShortcutTarget(const std::wstring& path) {
  std::wstring target = MISSING;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return target;
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t program[MAX_PATH];
    if (SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(program, MAX_PATH, nullptr, 0))) {
      target = program;
    }
    file->Release();
  }
  link->Release();
  return target;
}

// Windows shows the user's classes through HKEY_CLASSES_ROOT; Wine 8 shows only
// the machine's there. Where the user's key is not seen, a copy in the machine's
// classes stands in for that merged view; the shell then runs exactly the command
// the script wrote. The result says whether a copy was made.
bool ShowUserClassToShell() {
  HKEY seen;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Applications\\Pivora64.exe", 0, KEY_READ, &seen) ==
      ERROR_SUCCESS) {
    RegCloseKey(seen);
    return false;
  }
  HKEY user, machine;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, APP_KEY, 0, KEY_READ, &user) != ERROR_SUCCESS) return false;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Applications\\Pivora64.exe", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &machine, nullptr) == ERROR_SUCCESS) {
    RegCopyTreeW(user, nullptr, machine);
    RegCloseKey(machine);
  }
  RegCloseKey(user);
  return true;
}

// Opens file the way "Open with" does once the user picks Pivora64; the started
// process, or null.
HANDLE OpenWithRegisteredLauncher(const std::wstring& file) {
  SHELLEXECUTEINFOW execute = {sizeof execute};
  execute.fMask = SEE_MASK_CLASSNAME | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  execute.lpClass = L"Applications\\Pivora64.exe";
  execute.lpFile = file.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&execute)) return nullptr;
  return execute.hProcess;
}

DWORD WaitForExitCode(HANDLE process) {
  DWORD code = STILL_ACTIVE;
  WaitUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; });
  GetExitCodeProcess(process, &code);
  return code;
}

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!UnderWine()) GTEST_SKIP() << "changes the user's registration; runs under Wine only";
    CoInitialize(nullptr);
  }
  void TearDown() override {
    if (UnderWine()) CoUninitialize();
  }
};

}  // namespace

TEST(Package, ExeReportsTheVersionTheZipIsNamedFor) {
  std::wstring exe = Unpacked() + L"\\Pivora64.exe";
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource in the zipped exe";
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  unsigned build = LOWORD(fixed->dwFileVersionLS);
  wchar_t version[64];
  swprintf(version, 64, L"%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
           LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS));
  if (build != 0) swprintf(version + wcslen(version), 16, L".%u", build);
  EXPECT_TRUE(FileExists(BuildFolder() + L"\\release\\Pivora64-" + version + L".zip"))
      << "the exe reports " << std::string(version, version + wcslen(version));

  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\041104b0\\FileVersion",
                             reinterpret_cast<void**>(&text), &length));
  wchar_t numbers[64];
  swprintf(numbers, 64, L"%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
           LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), build);
  EXPECT_STREQ(text, numbers) << "the version text and numbers of the resource disagree";
}

// The sample's "copy the path" slot names its .cmd relative to the launcher's
// folder; both launch paths must find it there. A stand-in script writes down
// what it got (Wine has no clip.exe).
TEST(Package, SampleCmdSlotRunsBesideTheLauncher) {
  struct Case {
    const char* what;
    std::initializer_list<WORD> keys;
  } cases[] = {{"hotkey A, started directly", {'A'}}, {"Enter on the slot, through the shell", {VK_DOWN, VK_RETURN}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestFolder folder;
    ASSERT_TRUE(CopyFileW((Unpacked() + L"\\Pivora64.sample.ini").c_str(), folder.Settings().c_str(), FALSE));
    WriteBytes(folder.File(L"copy-path.cmd"), "@echo %~1> \"%~dp0copied.txt\"\r\n");
    WriteBytes(folder.File(L"a b.txt"), "text\r\n");
    LauncherProcess launcher(folder, L"\"" + folder.File(L"a b.txt") + L"\"");
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Activate(window));
    for (WORD key : c.keys) PressKey(key);
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(folder.File(L"copied.txt")).size() > 2; }));
    std::string copied = ReadBytes(folder.File(L"copied.txt"));
    std::wstring expected = folder.File(L"a b.txt") + L"\r\n";
    EXPECT_EQ(copied, std::string(expected.begin(), expected.end()));
    EXPECT_EQ(launcher.WaitForExit(), 0u);
  }
}

TEST_F(Registration, OpenWithAndSendToThenUndo) {
  std::wstring moved = CopyRelease(L"pivora release (old)");
  std::wstring folder = CopyRelease(L"pivora release & test (1)");
  std::wstring exe = folder + L"\\Pivora64.exe";
  // Undo is safe when nothing is registered, and leaves a clean start.
  ASSERT_EQ(RunScript(folder, L"unregister.cmd"), 0u);
  ASSERT_FALSE(KeyExists(APP_KEY));

  // Registering again from another folder, as after moving it, points everything there.
  ASSERT_EQ(RunScript(moved, L"register.cmd"), 0u);
  ASSERT_EQ(RunScript(folder, L"register.cmd"), 0u);
  EXPECT_EQ(RegistryText(COMMAND_KEY, nullptr), L"\"" + exe + L"\" \"%1\"");
  EXPECT_EQ(RegistryText(APP_KEY, L"FriendlyAppName"), L"Pivora64");
  EXPECT_EQ(ShortcutTarget(SendToShortcut()), exe);

  // The read-me's first step: the sample becomes the settings; then "Open with".
  ASSERT_TRUE(MoveFileW((folder + L"\\Pivora64.sample.ini").c_str(),
                        (folder + L"\\Pivora64.ini").c_str()));
  bool copied = ShowUserClassToShell();
  struct Case {
    const wchar_t* file;
    const wchar_t* firstTitle;  // .log takes the buttons of .txt through its link
  } cases[] = {{L"a report.txt", L"メモ帳 (Notepad)"}, {L"b.log", L"メモ帳 (Notepad)"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "file " << std::string(c.file, c.file + wcslen(c.file)));
    WriteBytes(folder + L"\\" + c.file, "text\r\n");
    HANDLE process = OpenWithRegisteredLauncher(folder + L"\\" + c.file);
    ASSERT_NE(process, nullptr) << "the shell did not start the registered launcher";
    HWND window = nullptr;
    WaitUntil([&] {
      return (window = FindProcessWindow(GetProcessId(process), L"Pivora64", c.file)) != nullptr;
    });
    EXPECT_NE(window, nullptr) << "no launcher window titled with the file's name";
    if (window != nullptr) {
      EXPECT_EQ(StatusBarText(window), c.firstTitle);
      ASSERT_TRUE(Activate(window));
      PressKey(VK_ESCAPE);
    }
    EXPECT_EQ(WaitForExitCode(process), 0u);
    if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) TerminateProcess(process, 99);
    CloseHandle(process);
  }

  if (copied) RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Applications\\Pivora64.exe");

  ASSERT_EQ(RunScript(folder, L"unregister.cmd"), 0u);
  EXPECT_FALSE(KeyExists(APP_KEY));
  EXPECT_FALSE(FileExists(SendToShortcut()));
  EXPECT_TRUE(FileExists(folder + L"\\Pivora64.ini")) << "undo leaves the settings alone";
}
