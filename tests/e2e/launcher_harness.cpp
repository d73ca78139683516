#include "launcher_harness.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>

namespace e2e {

const wchar_t MISSING[] = L"<missing>";

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return condition();
    // Keep this thread's own windows responsive while waiting.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(20);
  }
}

std::wstring BuildFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.rfind(L'\\'));
}

static void RemoveTree(const std::wstring& folder) {
  std::wstring pattern = folder + L"\\*";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

TestFolder::TestFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring root = std::wstring(temp) + L"pivora-e2e";
  CreateDirectoryW(root.c_str(), nullptr);
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  path_ = root + L"\\" + std::wstring(name.begin(), name.end());
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
  CopyFileW((BuildFolder() + L"\\Pivora64.exe").c_str(), Launcher().c_str(), FALSE);
}

std::wstring TestFolder::AddRecorder(const std::wstring& name) const {
  std::wstring target = File(name);
  CopyFileW((BuildFolder() + L"\\recorder.exe").c_str(), target.c_str(), FALSE);
  return target;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

void WriteSettingsUtf16(const std::wstring& path, const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  WriteBytes(path, bytes);
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[65536];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ReadSettingsText(const std::wstring& path) {
  std::string bytes = ReadBytes(path);
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2),
                        (bytes.size() - 2) / sizeof(wchar_t));
  }
  int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                   nullptr, 0);
  std::wstring text(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
  return text;
}

std::wstring IniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
  wchar_t value[4096];
  GetPrivateProfileStringW(section, key, MISSING, value, 4096, path.c_str());
  return value;
}

LauncherProcess::LauncherProcess(const TestFolder& folder, const std::wstring& commandLineTail) {
  std::wstring commandLine = L"\"" + folder.Launcher() + L"\"";
  if (!commandLineTail.empty()) commandLine += L" " + commandLineTail;
  STARTUPINFOW startup = {sizeof startup};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.Path().c_str(), &startup, &process_)) {
    process_ = {};
  }
}

LauncherProcess::~LauncherProcess() {
  if (process_.hProcess == nullptr) return;
  if (Running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, WAIT_MS);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool LauncherProcess::Running() const {
  return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND LauncherProcess::WaitForWindow(DWORD timeoutMs) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindProcessWindow(ProcessId(), L"Pivora64")) != nullptr; },
            timeoutMs);
  return window;
}

DWORD LauncherProcess::WaitForExit(DWORD timeoutMs) {
  if (process_.hProcess == nullptr) return STILL_ACTIVE;
  WaitUntil([&] { return !Running(); }, timeoutMs);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

DWORD LauncherProcess::CloseWithEscape(HWND window) {
  if (!Activate(window)) return STILL_ACTIVE;
  PressKey(VK_ESCAPE);
  return WaitForExit();
}

namespace {
struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t className[256];
  GetClassNameW(window, className, 256);
  if (lstrcmpW(className, search->className) != 0) return TRUE;
  if (search->title != nullptr && WindowText(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}
}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  WindowSearch search = {processId, className, title, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  // WM_GETTEXT is marshalled across processes; an empty text leaves the buffer
  // unset, so only the returned length is trusted.
  wchar_t text[1024];
  LRESULT length = SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return std::wstring(text, static_cast<size_t>(length));
}

std::wstring StatusBarText(HWND mainWindow) {
  HWND bar = GetDlgItem(mainWindow, 3500);
  return bar == nullptr ? L"<no status bar>" : WindowText(bar);
}

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

bool Activate(HWND window) {
  return WaitUntil([&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
}

namespace {
INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Sends middle with the modifiers held around it, all in one batch: Wine drops an
// injected modifier that arrives well before the input it modifies.
void SendWithModifiers(std::initializer_list<WORD> modifiers, const std::vector<INPUT>& middle) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.insert(inputs.end(), middle.begin(), middle.end());
  for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(KeyInput(*--it, true));
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
}  // namespace

void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers) {
  SendWithModifiers(modifiers, {KeyInput(virtualKey, false), KeyInput(virtualKey, true)});
}

// An absolute pointer event at screen (coordinates normalised to 0..65535 over
// the primary screen), with extra button flags.
static INPUT PointerInput(POINT screen, DWORD buttonFlags) {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65536 + width / 2) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536 + height / 2) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
  return input;
}

// Moves the pointer and waits until the system has it there: a press sent in the
// same batch as the move can reach the window under the old position.
static void MovePointer(POINT screen) {
  INPUT move = PointerInput(screen, 0);
  SendInput(1, &move, sizeof move);
  WaitUntil([&] {
    POINT now;
    GetCursorPos(&now);
    return abs(now.x - screen.x) <= 1 && abs(now.y - screen.y) <= 1;
  });
  Sleep(50);
}

// Each press and release carries its position too, so it lands where it is meant
// to even if Wine has not caught up with the move. Modified clicks go in one
// batch with their modifiers (Wine drops a modifier sent well before the click);
// plain ones leave the target a moment between press and release.
static void SendMouse(std::initializer_list<DWORD> buttonFlags, POINT screen,
                      std::initializer_list<WORD> modifiers = {}) {
  MovePointer(screen);
  std::vector<INPUT> buttons;
  for (DWORD flag : buttonFlags) buttons.push_back(PointerInput(screen, flag));
  if (modifiers.size() > 0) {
    SendWithModifiers(modifiers, buttons);
    return;
  }
  for (INPUT& button : buttons) {
    SendInput(1, &button, sizeof button);
    Sleep(30);
  }
}

void MoveMouseTo(POINT screen) { SendMouse({}, screen); }

void ClickAt(POINT screen, std::initializer_list<WORD> modifiers) {
  SendMouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}, screen, modifiers);
}

void RightClickAt(POINT screen) { SendMouse({MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}, screen); }

// A bare press with no position: a press that carries one can also produce a move
// with the button held, and the first such move of a press cancels a pick-up.
void PressLeftAt(POINT screen) {
  MovePointer(screen);
  INPUT press = {};
  press.type = INPUT_MOUSE;
  press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &press, sizeof press);
}

void MoveInStepsTo(POINT from, POINT to, int step) {
  int distance = std::max(abs(to.x - from.x), abs(to.y - from.y));
  int steps = std::max(1, (distance + step - 1) / step);
  for (int i = 1; i <= steps; ++i) {
    MovePointer({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  }
}

void ReleaseLeft() {
  POINT at;
  GetCursorPos(&at);
  INPUT up = PointerInput(at, MOUSEEVENTF_LEFTUP);
  SendInput(1, &up, sizeof up);
}

HWND FindDialog(DWORD processId, const wchar_t* caption) {
  return FindProcessWindow(processId, L"#32770", caption);
}

POINT CentreOf(HWND window) {
  RECT rect = WindowRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND SlotButton(HWND mainWindow, int slot) { return GetDlgItem(mainWindow, 1000 + 100 * slot); }

std::vector<int> HighlightedSlots(HWND mainWindow) {
  std::vector<int> slots;
  for (int slot = 0; slot < 12; ++slot) {
    if (GetWindowLongW(SlotButton(mainWindow, slot), GWL_STYLE) & BS_DEFPUSHBUTTON) {
      slots.push_back(slot);
    }
  }
  return slots;
}

HWND OpenPopupMenu(DWORD processId) { return FindProcessWindow(processId, L"#32768"); }

std::vector<RecordedStart> RecordedStarts(const std::wstring& folder) {
  std::string bytes = ReadBytes(folder + L"\\recorder.log");
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  std::vector<RecordedStart> starts;
  size_t at = 0;
  for (;;) {
    size_t end = text.find(L"\r\n\r\n", at);
    if (end == std::wstring::npos) break;
    std::wstring record = text.substr(at, end - at);
    at = end + 4;
    RecordedStart start;
    size_t lineStart = 0;
    while (lineStart <= record.size()) {
      size_t lineEnd = record.find(L"\r\n", lineStart);
      if (lineEnd == std::wstring::npos) lineEnd = record.size();
      std::wstring line = record.substr(lineStart, lineEnd - lineStart);
      if (line.rfind(L"command=", 0) == 0) start.commandLine = line.substr(8);
      if (line.rfind(L"folder=", 0) == 0) start.folder = line.substr(7);
      if (line.rfind(L"show=", 0) == 0) start.show = std::stoi(line.substr(5));
      lineStart = lineEnd + 2;
    }
    starts.push_back(start);
  }
  return starts;
}

std::wstring ArgumentsOf(const std::wstring& commandLine) {
  size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    at = commandLine.find(L'"', 1);
    at = at == std::wstring::npos ? commandLine.size() : at + 1;
  } else {
    at = commandLine.find(L' ');
    if (at == std::wstring::npos) at = commandLine.size();
  }
  if (at < commandLine.size() && commandLine[at] == L' ') ++at;
  return commandLine.substr(at);
}

OtherWindow::OtherWindow() {
  static const wchar_t CLASS_NAME[] = L"PivoraE2EOtherWindow";
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = CLASS_NAME;
  RegisterClassW(&windowClass);
  window_ = CreateWindowExW(0, CLASS_NAME, L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            500, 400, 200, 120, nullptr, nullptr, windowClass.hInstance, nullptr);
}

OtherWindow::~OtherWindow() { DestroyWindow(window_); }

// A hosted CI session may not let a test program bring a window to the front, and
// every case that presses keys or clicks needs that. Where the caller warns of it
// (PIVORA_NO_DESKTOP=1), a probe window tries once, before the first case; if it
// cannot, each case is skipped with the reason rather than failed. Elsewhere
// nothing changes.
namespace {
class ForegroundCheck : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    if (state_ == UNKNOWN) {
      OtherWindow probe;
      state_ = Activate(probe.Handle()) ? AVAILABLE : MISSING;
    }
    // A skip recorded here, before the case is made, means it is never run.
    if (state_ == MISSING) {
      GTEST_SKIP() << "PIVORA_NO_DESKTOP: no window of this session comes to the front";
    }
  }

 private:
  enum { UNKNOWN, AVAILABLE, MISSING } state_ = UNKNOWN;
};
const bool foregroundCheckAdded = [] {
  if (GetEnvironmentVariableW(L"PIVORA_NO_DESKTOP", nullptr, 0) == 0) return false;
  ::testing::UnitTest::GetInstance()->listeners().Append(new ForegroundCheck);
  return true;
}();
}  // namespace

}  // namespace e2e
