#pragma once
// Drives the real Pivora64.exe from another process, as a user would: starts it
// with a command line in a folder of its own, finds its window, presses keys, and
// reads back what a user can see (window texts, the settings file, exit code).

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD WAIT_MS = 10000;

// Polls condition until it holds or timeoutMs passes; returns the last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = WAIT_MS);

// The folder holding e2e_tests.exe, Pivora64.exe and recorder.exe.
std::wstring BuildFolder();

// A fresh, empty folder for one test case with a copy of Pivora64.exe in it.
class TestFolder {
 public:
  TestFolder();
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::wstring Launcher() const { return File(L"Pivora64.exe"); }
  std::wstring Settings() const { return File(L"Pivora64.ini"); }
  // Copies recorder.exe into the folder under the given name; returns its path.
  std::wstring AddRecorder(const std::wstring& name = L"recorder.exe") const;

 private:
  std::wstring path_;
};

// Settings file content as written by a user with a text editor.
void WriteSettingsUtf16(const std::wstring& path, const std::wstring& text);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
// The settings file decoded (UTF-16LE with BOM, else the ANSI code page).
std::wstring ReadSettingsText(const std::wstring& path);
// One key through the profile API; missing keys give "<missing>".
std::wstring IniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key);
extern const wchar_t MISSING[];

class LauncherProcess {
 public:
  // commandLineTail follows the quoted launcher path and one blank.
  LauncherProcess(const TestFolder& folder, const std::wstring& commandLineTail);
  ~LauncherProcess();  // kills a launcher a failed test left running
  LauncherProcess(const LauncherProcess&) = delete;
  LauncherProcess& operator=(const LauncherProcess&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  DWORD ProcessId() const { return process_.dwProcessId; }
  // The launcher's visible main window, or null after the time limit.
  HWND WaitForWindow(DWORD timeoutMs = WAIT_MS);
  // Exit code, or STILL_ACTIVE when it did not exit in time.
  DWORD WaitForExit(DWORD timeoutMs = WAIT_MS);
  bool Running() const;
  // Presses Escape in window and waits for the exit; the exit code.
  DWORD CloseWithEscape(HWND window);

 private:
  PROCESS_INFORMATION process_ = {};
};

// A visible top-level window of the given class owned by processId, or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);
std::wstring WindowText(HWND window);
std::wstring StatusBarText(HWND mainWindow);
RECT WindowRect(HWND window);

// Brings window to the front and waits until it is the foreground window.
bool Activate(HWND window);
// Presses and releases a key, with modifiers held around it, in one input batch.
void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers = {});

// Mouse input at screen positions, each press and release in one batch.
void MoveMouseTo(POINT screen);
void ClickAt(POINT screen, std::initializer_list<WORD> modifiers = {});
void RightClickAt(POINT screen);
// Left button held down at one point, moved in steps of at most `step` pixels, released.
void PressLeftAt(POINT screen);
void MoveInStepsTo(POINT from, POINT to, int step);
void ReleaseLeft();
// The centre of a window, in screen coordinates.
POINT CentreOf(HWND window);

// The grid as a user sees it.
HWND SlotButton(HWND mainWindow, int slot);
// The slots whose buttons carry the highlight (the default-button style).
std::vector<int> HighlightedSlots(HWND mainWindow);
// A visible dialog of the process with the given caption, or null.
HWND FindDialog(DWORD processId, const wchar_t* caption);
// An open popup menu of the process, or null.
HWND OpenPopupMenu(DWORD processId);

// What the recorder wrote down about one start.
struct RecordedStart {
  std::wstring commandLine;
  std::wstring folder;
  int show = -2;
};
// The starts recorder.exe copies in folder logged so far, in order.
std::vector<RecordedStart> RecordedStarts(const std::wstring& folder);
// The command line less its first (program) token.
std::wstring ArgumentsOf(const std::wstring& commandLine);

// A top-level window of this test process, for taking the activation away.
class OtherWindow {
 public:
  OtherWindow();
  ~OtherWindow();
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace e2e
