#pragma once
// Drives the real Pivora64.exe from another process, as a user would: starts it in
// a folder of its own, presses keys and clicks, and reads back what a user can see
// (window texts, the settings file, what recorder.exe says was started).

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD WAIT_MS = 10000;
extern const wchar_t MISSING[];  // what IniValue gives for a missing key
extern const wchar_t EDIT_CAPTION[];
extern const wchar_t LINK_CAPTION[];

// Polls condition until it holds or timeoutMs passes; returns the last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = WAIT_MS);
std::wstring BuildFolder();  // the folder of the test programs, Pivora64.exe and recorder.exe

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
void WriteSettingsUtf16(const std::wstring& path, const std::wstring& text);
std::wstring ReadSettingsText(const std::wstring& path);  // UTF-16LE with BOM, else ANSI
bool FileExists(const std::wstring& path);
std::wstring IniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key);
// count sections of three slots each, about 400 bytes a section: a file whose saves take a while.
std::wstring FillerSections(int count);
std::wstring SystemMessage(DWORD error);  // FormatMessage's text, without its line break

// A fresh, empty folder named after the running test, with a copy of Pivora64.exe.
class TestFolder {
 public:
  TestFolder();
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::wstring Launcher() const { return File(L"Pivora64.exe"); }
  std::wstring Settings() const { return File(L"Pivora64.ini"); }

 private:
  std::wstring path_;
};

class LauncherProcess {
 public:
  // Starts the folder's launcher with tail after its quoted path, in that folder.
  LauncherProcess(const TestFolder& folder, const std::wstring& tail);
  LauncherProcess(const std::wstring& exe, const std::wstring& folder, const std::wstring& tail);
  ~LauncherProcess();  // kills a launcher a failed test left running
  DWORD ProcessId() const { return process_.dwProcessId; }
  HWND WaitForWindow(DWORD timeoutMs = WAIT_MS);  // visible main window, or null
  DWORD WaitForExit(DWORD timeoutMs = WAIT_MS);   // exit code, or STILL_ACTIVE
  bool Running() const;

 private:
  PROCESS_INFORMATION process_ = {};
};

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);
std::wstring WindowText(HWND window);
std::wstring StatusBarText(HWND mainWindow);
RECT WindowRect(HWND window);
POINT CentreOf(HWND window);
// Logical pixels (those of 96 DPI) at the display's scale, which Wine gives every
// program of the prefix alike.
int ScaledToDisplay(int logicalPixels);
// Where a slot's middle is meant to be: 38-px buttons scaled, four across, in the
// client area of window; the launcher's own buttons are not asked.
POINT SlotCentre(HWND window, int slot);
bool Activate(HWND window);  // brings it to the front and waits until it is there

// Input in one batch with its modifiers (Wine drops a modifier sent well before).
void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers = {});
void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);
void RightClickAt(POINT screen);
void PressLeftAt(POINT screen);  // a bare press, no move with the button down
// From where the pointer is, in steps as a hand moves: a drag, or hover that must
// not hang on the single move Wine now and then loses.
void MoveInStepsTo(POINT to, int step);
void ReleaseLeft();

struct RecordedStart {
  std::wstring commandLine;
  std::wstring folder;
  int show = -2;  // -1: no show mode was given
};
std::vector<RecordedStart> RecordedStarts(const std::wstring& folder);
std::wstring ArgumentsOf(const std::wstring& commandLine);  // less the program token

// A top-level window of the test process, for taking the activation away.
class OtherWindow {
 public:
  OtherWindow();
  ~OtherWindow();
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// One test's launcher: a fresh folder holding a copy of Pivora64.exe and of
// recorder.exe, with the settings it is given. In the texts a test hands in,
// "{dir}" stands for that folder and "{rec}" for the recorder in it.
class Session {
 public:
  explicit Session(const std::wstring& settings = L"");
  std::wstring Fill(std::wstring text) const;
  std::wstring File(const std::wstring& name) const { return folder.File(name); }
  std::wstring Settings() const { return folder.Settings(); }
  std::wstring Ini(const wchar_t* section, const wchar_t* key) const { return IniValue(Settings(), section, key); }

  // Starts a launcher (the folder's, or exe) on tail and waits for its window,
  // brought to the front.
  HWND Open(const std::wstring& tail = L"\"{dir}\\a.txt\"", const std::wstring& exe = L"");
  void Key(WORD key, std::initializer_list<WORD> modifiers = {}) const { PressKey(key, modifiers); }
  HWND Button(int slot) const { return GetDlgItem(window, 1000 + 100 * slot); }
  void Click(int slot) const { ClickAt(CentreOf(Button(slot))); }
  std::wstring Status() const { return WindowText(GetDlgItem(window, 3500)); }
  bool StatusBecomes(const std::wstring& text) const { return WaitUntil([&] { return Status() == text; }); }
  std::vector<int> Highlighted() const;  // the slots whose buttons carry the highlight
  HICON Image(int slot) const { return reinterpret_cast<HICON>(SendMessageW(Button(slot), BM_GETIMAGE, IMAGE_ICON, 0)); }
  HWND WaitForDialog(const wchar_t* caption) const;
  // Shift+Enter, the title typed into the edit dialog, registered; true once it is gone.
  bool TypeTitle(const std::wstring& title) const;
  // Right-clicks at, waits for the menu, goes `downs` items down and picks it.
  void ChooseFromMenu(POINT at, int downs) const;
  POINT Caption() const { return {WindowRect(window).left + 40, WindowRect(window).top + 8}; }
  DWORD Exit(DWORD timeoutMs = WAIT_MS) const { return launcher->WaitForExit(timeoutMs); }
  DWORD Close() const;  // Escape; the exit code
  // Waits until the recorder has logged at least count starts; all it logged.
  std::vector<RecordedStart> Starts(size_t count) const;

  TestFolder folder;
  std::wstring recorder;
  std::unique_ptr<LauncherProcess> launcher;
  HWND window = nullptr;
};

}  // namespace e2e
