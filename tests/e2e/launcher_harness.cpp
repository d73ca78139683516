#include "launcher_harness.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>

namespace e2e {

const wchar_t MISSING[] = L"<missing>";
const wchar_t EDIT_CAPTION[] = L"Pivora コマンド編集";
const wchar_t LINK_CAPTION[] = L"Pivora リンク設定";

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
  std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return folder.substr(0, folder.rfind(L'\\'));
}

// What a test left behind, read-only files and subfolders too.
static void RemoveTree(const std::wstring& folder) {
  std::wstring from = folder + L'\0';  // the list ends with an empty name
  SHFILEOPSTRUCTW remove = {nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NO_UI};
  SHFileOperationW(&remove);
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

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  std::string bytes;
  char chunk[65536];
  for (DWORD read = 0; ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0;) bytes.append(chunk, read);
  CloseHandle(file);  // an invalid handle reads nothing and closes nothing
  return bytes;
}

void WriteSettingsUtf16(const std::wstring& path, const std::wstring& text) {
  WriteBytes(path, "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()),
                                            text.size() * sizeof(wchar_t)));
}

std::wstring ReadSettingsText(const std::wstring& path) {
  std::string bytes = ReadBytes(path);
  if (bytes.rfind("\xFF\xFE", 0) == 0) {
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
  }
  std::wstring text(bytes.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                  text.data(), static_cast<int>(text.size())));
  return text;
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring IniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
  wchar_t value[4096];
  GetPrivateProfileStringW(section, key, MISSING, value, 4096, path.c_str());
  return value;
}

std::wstring FillerSections(int count) {
  std::wstring text;
  for (int section = 0; section < count; ++section) {
    std::wstring n = std::to_wstring(section);
    text += L"[.e" + n + L"]\r\n";
    for (const wchar_t* k : {L"1", L"2", L"3"}) {
      text += std::wstring(L"title") + k + L"=slot " + k + L" of " + n + L"\r\ncommand" + k +
              L"=C:\\Tools\\tool" + n + L".exe %1\r\n";
    }
  }
  return text;
}

std::wstring SystemMessage(DWORD error) {
  wchar_t text[512] = L"";
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, 512, nullptr);
  while (length > 0 && text[length - 1] <= L' ') text[--length] = 0;
  return text;
}

LauncherProcess::LauncherProcess(const TestFolder& folder, const std::wstring& tail)
    : LauncherProcess(folder.Launcher(), folder.Path(), tail) {}

LauncherProcess::LauncherProcess(const std::wstring& exe, const std::wstring& folder,
                                 const std::wstring& tail) {
  std::wstring line = L"\"" + exe + L"\"" + (tail.empty() ? L"" : L" " + tail);
  STARTUPINFOW startup = {sizeof startup};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process_))
    process_ = {};
}

LauncherProcess::~LauncherProcess() {
  if (process_.hProcess == nullptr) return;
  if (Running()) TerminateProcess(process_.hProcess, 99);
  WaitForSingleObject(process_.hProcess, WAIT_MS);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool LauncherProcess::Running() const {
  return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND LauncherProcess::WaitForWindow(DWORD timeoutMs) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindProcessWindow(ProcessId(), L"Pivora64")) != nullptr; }, timeoutMs);
  return window;
}

DWORD LauncherProcess::WaitForExit(DWORD timeoutMs) {
  DWORD code = STILL_ACTIVE;
  if (process_.hProcess == nullptr) return code;
  WaitUntil([&] { return !Running(); }, timeoutMs);
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  struct Search {
    DWORD processId;
    const wchar_t *className, *title;
    HWND found;
  } search = {processId, className, title, nullptr};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[256];
        GetClassNameW(window, name, 256);
        bool match = owner == s->processId && IsWindowVisible(window) && lstrcmpW(name, s->className) == 0 &&
                     (s->title == nullptr || WindowText(window) == s->title);
        if (match) s->found = window;
        return !match;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  // Marshalled across processes; an empty text leaves the buffer unset, so only
  // the returned length is trusted.
  wchar_t text[1024];
  LRESULT length = SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return std::wstring(text, static_cast<size_t>(length));
}

std::wstring StatusBarText(HWND mainWindow) { return WindowText(GetDlgItem(mainWindow, 3500)); }

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

POINT CentreOf(HWND window) {
  RECT rect = WindowRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

int ScaledToDisplay(int logicalPixels) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return MulDiv(logicalPixels, dpi, 96);
}

POINT SlotCentre(HWND window, int slot) {
  const int button = ScaledToDisplay(38);
  POINT centre = {button * (slot % 4) + button / 2, button * (slot / 4) + button / 2};
  ClientToScreen(window, &centre);
  return centre;
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
  INPUT input = {INPUT_KEYBOARD};
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void SendWithModifiers(std::initializer_list<WORD> modifiers, const std::vector<INPUT>& middle) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.insert(inputs.end(), middle.begin(), middle.end());
  for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(KeyInput(*--it, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// An absolute pointer event (coordinates normalised over the primary screen).
INPUT PointerInput(POINT screen, DWORD buttonFlags) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {INPUT_MOUSE};
  input.mi.dx = static_cast<LONG>((screen.x * 65536 + width / 2) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536 + height / 2) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
  return input;
}

// A press sent with the move can reach the window under the old position, so the
// move is made and waited for first.
void MovePointer(POINT screen) {
  INPUT move = PointerInput(screen, 0);
  SendInput(1, &move, sizeof move);
  WaitUntil([&] {
    POINT now;
    GetCursorPos(&now);
    return abs(now.x - screen.x) <= 1 && abs(now.y - screen.y) <= 1;
  });
  Sleep(50);
}

// Each press and release carries its position too, and the target gets a moment
// between the two.
void SendMouse(std::initializer_list<DWORD> buttonFlags, POINT screen) {
  MovePointer(screen);
  for (DWORD flag : buttonFlags) {
    INPUT button = PointerInput(screen, flag);
    SendInput(1, &button, sizeof button);
    Sleep(30);
  }
}
}  // namespace

void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers) {
  SendWithModifiers(modifiers, {KeyInput(virtualKey, false), KeyInput(virtualKey, true)});
}

void MoveMouseTo(POINT screen) { SendMouse({}, screen); }

void ClickAt(POINT screen) { SendMouse({MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}, screen); }

void RightClickAt(POINT screen) { SendMouse({MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}, screen); }

// No position: a press that carries one can also produce a move with the button
// held, and such a move cancels a pick-up. A release stays where the pointer is.
static void SendLeft(DWORD flag) {
  INPUT input = {INPUT_MOUSE};
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof input);
}

void PressLeftAt(POINT screen) {
  MovePointer(screen);
  SendLeft(MOUSEEVENTF_LEFTDOWN);
}

void MoveInStepsTo(POINT to, int step) {
  POINT from;
  GetCursorPos(&from);
  int distance = static_cast<int>(std::max(abs(to.x - from.x), abs(to.y - from.y)));
  int steps = std::max(1, (distance + step - 1) / step);
  for (int i = 1; i <= steps; ++i) {
    MovePointer({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  }
}

void ReleaseLeft() { SendLeft(MOUSEEVENTF_LEFTUP); }

// recorder.log: UTF-16 records of "key=value" lines, each ended by an empty line.
std::vector<RecordedStart> RecordedStarts(const std::wstring& folder) {
  std::string bytes = ReadBytes(folder + L"\\recorder.log");
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  std::vector<RecordedStart> starts;
  for (size_t at = 0, end; (end = text.find(L"\r\n\r\n", at)) != std::wstring::npos; at = end + 4) {
    RecordedStart start;
    for (size_t line = at, stop; line < end; line = stop + 2) {
      stop = std::min(text.find(L"\r\n", line), end);
      std::wstring entry = text.substr(line, stop - line);
      std::wstring value = entry.substr(entry.find(L'=') + 1);
      if (entry.rfind(L"command=", 0) == 0) start.commandLine = value;
      if (entry.rfind(L"folder=", 0) == 0) start.folder = value;
      if (entry.rfind(L"show=", 0) == 0) start.show = std::stoi(value);
    }
    starts.push_back(start);
  }
  return starts;
}

std::wstring ArgumentsOf(const std::wstring& commandLine) {
  size_t at = commandLine.rfind(L'"', 0) == 0 ? commandLine.find(L'"', 1) : commandLine.find(L' ');
  at = at == std::wstring::npos ? commandLine.size() : at + (commandLine[0] == L'"' ? 1 : 0);
  if (at < commandLine.size() && commandLine[at] == L' ') ++at;
  return commandLine.substr(at);
}

OtherWindow::OtherWindow() {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"PivoraE2EOtherWindow";
  RegisterClassW(&windowClass);
  window_ = CreateWindowExW(0, windowClass.lpszClassName, L"another program",
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400, 200, 120, nullptr, nullptr,
                            windowClass.hInstance, nullptr);
}

OtherWindow::~OtherWindow() { DestroyWindow(window_); }

Session::Session(const std::wstring& settings) : recorder(folder.File(L"recorder.exe")) {
  CopyFileW((BuildFolder() + L"\\recorder.exe").c_str(), recorder.c_str(), FALSE);
  if (!settings.empty()) WriteSettingsUtf16(Settings(), Fill(settings));
}

std::wstring Session::Fill(std::wstring text) const {
  for (const auto& [mark, value] : {std::pair{L"{dir}", folder.Path()}, std::pair{L"{rec}", recorder}}) {
    for (size_t at; (at = text.find(mark)) != std::wstring::npos;) text.replace(at, 5, value);
  }
  return text;
}

HWND Session::Open(const std::wstring& tail, const std::wstring& exe) {
  launcher = std::make_unique<LauncherProcess>(exe.empty() ? folder.Launcher() : exe, folder.Path(), Fill(tail));
  window = launcher->WaitForWindow();
  // Which of the two failed, and whether the launcher still runs (exit 259).
  if (window == nullptr || !Activate(window))
    ADD_FAILURE() << "no launcher in front: window " << window << ", exit " << launcher->WaitForExit(0);
  return window;
}

std::vector<int> Session::Highlighted() const {
  std::vector<int> slots;
  for (int slot = 0; slot < 12; ++slot) {
    if (GetWindowLongW(Button(slot), GWL_STYLE) & BS_DEFPUSHBUTTON) slots.push_back(slot);
  }
  return slots;
}

HWND Session::WaitForDialog(const wchar_t* caption) const {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindProcessWindow(launcher->ProcessId(), L"#32770", caption)) != nullptr; });
  return dialog;
}

bool Session::TypeTitle(const std::wstring& title) const {
  Key(VK_RETURN, {VK_SHIFT});
  HWND dialog = WaitForDialog(EDIT_CAPTION);
  if (dialog == nullptr) return false;
  SendMessageW(GetDlgItem(dialog, 1000), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
  PressKey(VK_RETURN);
  return WaitUntil([&] { return !IsWindow(dialog); });
}

void Session::ChooseFromMenu(POINT at, int downs) const {
  // Wine now and then loses a right click that follows another; a user clicks again.
  auto menuOpen = [&] { return FindProcessWindow(launcher->ProcessId(), L"#32768") != nullptr; };
  bool opened = false;
  for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
    Activate(window);
    RightClickAt(at);
    opened = WaitUntil(menuOpen, 1500);
  }
  ASSERT_TRUE(opened);
  for (int i = 0; i < downs; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !menuOpen(); }));
}

DWORD Session::Close() const {
  if (!Activate(window)) return STILL_ACTIVE;
  PressKey(VK_ESCAPE);
  return Exit();
}

std::vector<RecordedStart> Session::Starts(size_t count) const {
  std::vector<RecordedStart> starts;
  WaitUntil([&] { return (starts = RecordedStarts(folder.Path())).size() >= count; });
  return starts;
}

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
