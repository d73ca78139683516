// The release zip as a user gets it (unpacked by check_package.sh): the sample's
// .cmd slot, and register.cmd adding the launcher to "Open with", "Send to" and the
// context menu of files and folders for this user, shell starts through that
// registration, and unregister.cmd taking exactly that away again.

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shellapi.h>
#include <shlobj.h>

#include "launcher_harness.h"

using namespace e2e;

namespace {

const wchar_t APP_KEY[] = L"Software\\Classes\\Applications\\Pivora64.exe";
// The shell keys of every file and of folders, where register.cmd adds its verb.
const wchar_t* const SHELL_KEYS[] = {L"Software\\Classes\\*\\shell\\",
                                     L"Software\\Classes\\Directory\\shell\\"};

std::wstring Unpacked() { return BuildFolder() + L"\\release\\unpacked"; }

// Runs a command line to its end in folder; its exit code.
DWORD Run(std::wstring commandLine, const std::wstring& folder) {
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      folder.c_str(), &startup, &process)) {
    return GetLastError();
  }
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// A script of the folder run through cmd, as a double-click does.
DWORD RunScript(const std::wstring& folder, const wchar_t* script) {
  return Run(L"cmd.exe /c \"\"" + folder + L"\\" + script + L"\" /q\"", folder);
}

// A copy of the unpacked release in a folder whose name has the characters cmd
// treats specially (blanks, &, parentheses): the scripts must carry them through.
std::wstring CopyRelease(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = temp + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  Run(L"cmd.exe /c copy /y \"" + Unpacked() + L"\\*\" \"" + folder + L"\"", folder);
  DeleteFileW((folder + L"\\Pivora64.ini").c_str());
  return folder;
}

std::wstring RegistryText(const std::wstring& key, const wchar_t* value) {
  wchar_t text[1024];
  DWORD size = sizeof text;
  LSTATUS status =
      RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value, RRF_RT_REG_SZ, nullptr, text, &size);
  return status == ERROR_SUCCESS ? text : MISSING;
}

std::wstring SendToShortcut() {
  wchar_t folder[MAX_PATH] = L"<no Send To folder>";
  SHGetFolderPathW(nullptr, CSIDL_SENDTO, nullptr, SHGFP_TYPE_CURRENT, folder);
  return std::wstring(folder) + L"\\Pivora64.lnk";
}

// The program a shortcut file starts, or MISSING.
std::wstring ShortcutTarget(const std::wstring& path) {
  wchar_t program[MAX_PATH] = L"";
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
    link->GetPath(program, MAX_PATH, nullptr, 0);
  }
  if (file) file->Release();
  if (link) link->Release();
  return program[0] ? program : MISSING;
}

}  // namespace

// The sample's "copy the path" slot names its .cmd relative to the launcher's
// folder; both launch paths must find it there. A stand-in script writes down
// what it got (Wine has no clip.exe).
TEST(Package, SampleCmdSlotRunsBesideTheLauncher) {
  for (std::initializer_list<WORD> keys :
       {std::initializer_list<WORD>{'A'}, {VK_DOWN, VK_RETURN}}) {
    SCOPED_TRACE(keys.size() == 1 ? "hotkey A, started directly" : "Enter, through the shell");
    TestFolder folder;
    ASSERT_TRUE(CopyFileW((Unpacked() + L"\\Pivora64.sample.ini").c_str(),
                          folder.Settings().c_str(), FALSE));
    WriteBytes(folder.File(L"copy-path.cmd"), "@echo %~1> \"%~dp0copied.txt\"\r\n");
    WriteBytes(folder.File(L"a b.txt"), "text\r\n");
    LauncherProcess launcher(folder, L"\"" + folder.File(L"a b.txt") + L"\"");
    ASSERT_TRUE(Activate(launcher.WaitForWindow()));
    for (WORD key : keys) PressKey(key);
    // cmd.exe writes the line and its break separately: wait for the whole line.
    std::wstring line = folder.File(L"a b.txt") + L"\r\n";
    std::string expected(line.begin(), line.end()), copied;
    WaitUntil([&] { return (copied = ReadBytes(folder.File(L"copied.txt"))).size() >= expected.size(); });
    EXPECT_EQ(copied, expected);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
  }
}

// It changes the user's own registration, so it runs only in Wine's throwaway prefix.
TEST(Registration, OpenWithAndSendToThenUndo) {
  if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
    GTEST_SKIP() << "runs under Wine only";
  CoInitialize(nullptr);
  std::wstring moved = CopyRelease(L"pivora release (old)");
  std::wstring folder = CopyRelease(L"pivora release & test (1)");
  std::wstring exe = folder + L"\\Pivora64.exe";
  // Undo is safe when nothing is registered, and leaves a clean start; another
  // program's verbs beside ours must outlive it.
  ASSERT_EQ(RunScript(folder, L"unregister.cmd"), 0u);
  ASSERT_EQ(RegistryText(APP_KEY, L"FriendlyAppName"), MISSING);
  for (std::wstring shell : SHELL_KEYS) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (shell + L"Other\\command").c_str(), nullptr,
                              REG_SZ, L"other.exe", sizeof L"other.exe"),
              ERROR_SUCCESS);
  }
  // Registering again from another folder, as after moving it, points everything there.
  ASSERT_EQ(RunScript(moved, L"register.cmd"), 0u);
  ASSERT_EQ(RunScript(folder, L"register.cmd"), 0u);
  EXPECT_EQ(RegistryText(std::wstring(APP_KEY) + L"\\shell\\open\\command", nullptr),
            L"\"" + exe + L"\" \"%1\"");
  EXPECT_EQ(RegistryText(APP_KEY, L"FriendlyAppName"), L"Pivora64");
  EXPECT_EQ(ShortcutTarget(SendToShortcut()), exe);
  for (std::wstring shell : SHELL_KEYS) {
    SCOPED_TRACE(testing::Message() << shell);
    EXPECT_EQ(RegistryText(shell + L"Pivora64", nullptr), L"Pivora64 で開く");
    EXPECT_EQ(RegistryText(shell + L"Pivora64", L"Icon"), L"\"" + exe + L"\"");
    EXPECT_EQ(RegistryText(shell + L"Pivora64\\command", nullptr), L"\"" + exe + L"\" \"%1\"");
  }

  // The read-me's first step: the sample becomes the settings; then "Open with" and
  // the verb on a file (.log takes the buttons of .txt through its link) and a folder.
  ASSERT_TRUE(
      MoveFileW((folder + L"\\Pivora64.sample.ini").c_str(), (folder + L"\\Pivora64.ini").c_str()));
  CreateDirectoryW((folder + L"\\c folder").c_str(), nullptr);
  // Windows finds the user's classes through HKEY_CLASSES_ROOT, Wine 8 only the
  // machine's: it finds neither the verb on * nor on Directory by itself (it opens the
  // folder in its explorer instead). Handed the user's class key, the shell runs the
  // command the script wrote.
  struct {
    const wchar_t *classKey, *verb, *name, *status;
  } const starts[] = {
      {APP_KEY, nullptr, L"a report.txt", L"メモ帳 (Notepad)"},
      {L"Software\\Classes\\*", L"Pivora64", L"b.log", L"メモ帳 (Notepad)"},
      {L"Software\\Classes\\Directory", L"Pivora64", L"c folder", L"エクスプローラ (Explorer)"},
  };
  for (const auto& start : starts) {
    SCOPED_TRACE(testing::Message() << start.classKey << " " << start.name);
    std::wstring file = folder + L"\\" + start.name;
    if (!FileExists(file)) WriteBytes(file, "text\r\n");
    SHELLEXECUTEINFOW execute = {sizeof execute};
    execute.fMask = SEE_MASK_CLASSKEY | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, start.classKey, 0, KEY_READ, &execute.hkeyClass),
              ERROR_SUCCESS);
    execute.lpVerb = start.verb;
    execute.lpFile = file.c_str();
    execute.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&execute)) << "the shell did not start the registered launcher";
    RegCloseKey(execute.hkeyClass);
    HWND window = nullptr;
    WaitUntil([&] {
      return (window = FindProcessWindow(GetProcessId(execute.hProcess), L"Pivora64", start.name));
    });
    EXPECT_EQ(StatusBarText(window), start.status) << "no launcher window titled with the name";
    EXPECT_TRUE(Activate(window));
    PressKey(VK_ESCAPE);
    DWORD code = STILL_ACTIVE;
    WaitUntil([&] { return WaitForSingleObject(execute.hProcess, 0) == WAIT_OBJECT_0; });
    GetExitCodeProcess(execute.hProcess, &code);
    EXPECT_EQ(code, 0u);
    if (code == STILL_ACTIVE) TerminateProcess(execute.hProcess, 99);
    CloseHandle(execute.hProcess);
  }

  ASSERT_EQ(RunScript(folder, L"unregister.cmd"), 0u);
  EXPECT_EQ(RegistryText(APP_KEY, L"FriendlyAppName"), MISSING);
  EXPECT_FALSE(FileExists(SendToShortcut()));
  for (std::wstring shell : SHELL_KEYS) {
    EXPECT_EQ(RegistryText(shell + L"Pivora64", nullptr), MISSING) << shell;
    EXPECT_EQ(RegistryText(shell + L"Other\\command", nullptr), L"other.exe") << shell;
    RegDeleteTreeW(HKEY_CURRENT_USER, (shell + L"Other").c_str());
  }
  EXPECT_TRUE(FileExists(folder + L"\\Pivora64.ini")) << "undo leaves the settings alone";
  CoUninitialize();
}
