// Measures what a user of the launcher waits for, side by side with the floor (an
// empty Win32 window program), alternating the contenders in every round:
//   start to ready, key to launch, growth with the settings file, memory and size.
// It prints medians, spreads and ratios; it asserts nothing about time.
//   startup_bench.exe [--iterations N] [--compare OTHER.exe]
// --compare adds the start-up rows of another build of Pivora64.exe (an older one,
// say), measured in the same rounds.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

double Milliseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

std::wstring BenchFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.rfind(L'\\'));
}

void WriteUtf16File(const std::wstring& path, const std::wstring& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "\xFF\xFE", 2, &written, nullptr);
  WriteFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr);
  CloseHandle(file);
}

// A contender: an executable in a folder of its own, with the settings it runs on.
struct Contender {
  std::wstring name;
  std::wstring folder;
  std::wstring exe;
  std::wstring windowClass;
  std::wstring settings;  // empty: no settings file at all
};

// withIcons gives the second floor the icon file its twelve buttons read; source is
// the program's own file when it is not the one beside the bench.
Contender MakeContender(const std::wstring& name, const std::wstring& program,
                        const std::wstring& windowClass, const std::wstring& settings,
                        bool withIcons = false, const std::wstring& source = L"") {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring root = std::wstring(temp) + L"pivora-bench";
  CreateDirectoryW(root.c_str(), nullptr);
  Contender contender{name, root + L"\\" + std::to_wstring(std::hash<std::wstring>()(name)), L"",
                      windowClass, settings};
  CreateDirectoryW(contender.folder.c_str(), nullptr);
  contender.exe = contender.folder + L"\\" + program;
  CopyFileW((source.empty() ? BenchFolder() + L"\\" + program : source).c_str(),
            contender.exe.c_str(), FALSE);
  CopyFileW((BenchFolder() + L"\\recorder.exe").c_str(), (contender.folder + L"\\recorder.exe").c_str(), FALSE);
  if (program == L"floor_controls.exe" && withIcons) {
    CopyFileW((BenchFolder() + L"\\floor.ico").c_str(), (contender.folder + L"\\floor.ico").c_str(), FALSE);
  }
  return contender;
}

struct ProcessWindow {
  PROCESS_INFORMATION process = {};
  HWND window = nullptr;
};

HWND FindVisibleWindow(DWORD processId, const std::wstring& className) {
  struct Search {
    DWORD processId;
    const std::wstring* className;
    HWND found;
  } search = {processId, &className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64];
        GetClassNameW(window, name, 64);
        if (owner == s->processId && IsWindowVisible(window) && *s->className == name) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Starts the contender on a target file; returns the process and its window, and
// the milliseconds from the start call to the window being visible and idle.
double StartToReady(const Contender& contender, ProcessWindow& started) {
  std::wstring settingsPath = contender.folder + L"\\" +
                              contender.exe.substr(contender.folder.size() + 1, contender.exe.size() - contender.folder.size() - 5) +
                              L".ini";
  if (contender.settings.empty()) {
    DeleteFileW(settingsPath.c_str());
  } else {
    WriteUtf16File(settingsPath, contender.settings);
  }
  std::wstring commandLine = L"\"" + contender.exe + L"\" \"" + contender.folder + L"\\sample.txt\"";
  STARTUPINFOW startup = {sizeof startup};
  LONGLONG begin = Now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      contender.folder.c_str(), &startup, &started.process)) {
    return -1;
  }
  WaitForInputIdle(started.process.hProcess, 10000);
  LONGLONG deadline = begin + static_cast<LONGLONG>(10.0 / Milliseconds(1) * 1000);
  while ((started.window = FindVisibleWindow(started.process.dwProcessId, contender.windowClass)) ==
             nullptr &&
         Now() < deadline) {
    Sleep(0);
  }
  return started.window ? Milliseconds(Now() - begin) : -1;
}

// The milliseconds from Escape to the process's end: the close, with its save.
double CloseWithEscape(ProcessWindow& started) {
  LONGLONG begin = Now();
  if (started.window) PostMessageW(started.window, WM_KEYDOWN, VK_ESCAPE, 0);
  if (WaitForSingleObject(started.process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(started.process.hProcess, 1);
    begin = 0;
  }
  CloseHandle(started.process.hThread);
  CloseHandle(started.process.hProcess);
  return begin != 0 ? Milliseconds(Now() - begin) : -1;
}

// The counter the recorder stamped on entry, from the newest record of its log.
LONGLONG WaitForRecordedCounter(const std::wstring& folder, size_t previousRecords) {
  std::wstring log = folder + L"\\recorder.log";
  for (int i = 0; i < 1000; ++i) {
    HANDLE file = CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      std::wstring text(GetFileSize(file, nullptr) / 2, L'\0');
      DWORD read = 0;
      ReadFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &read, nullptr);
      CloseHandle(file);
      size_t records = 0;
      size_t at = 0;
      LONGLONG counter = 0;
      while ((at = text.find(L"counter=", at)) != std::wstring::npos) {
        counter = _wtoi64(text.c_str() + at + 8);
        ++records;
        ++at;
      }
      if (records > previousRecords) return counter;
    }
    Sleep(5);
  }
  return 0;
}

size_t RecordCount(const std::wstring& folder) {
  HANDLE file = CreateFileW((folder + L"\\recorder.log").c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::wstring text(GetFileSize(file, nullptr) / 2, L'\0');
  DWORD read = 0;
  ReadFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &read, nullptr);
  CloseHandle(file);
  size_t records = 0;
  for (size_t at = 0; (at = text.find(L"counter=", at)) != std::wstring::npos; ++at) ++records;
  return records;
}

struct Series {
  std::wstring name;
  std::vector<double> values;
  double Median() const {
    if (values.empty()) return 0;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
  double Min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
  double Max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
};

void PrintTable(const char* title, const char* unit, const std::vector<Series>& series) {
  printf("\n%s\n", title);
  printf("| contender | median %s | min | max | ratio to first |\n|---|---|---|---|---|\n", unit);
  double base = series.empty() ? 0 : series[0].Median();
  for (const Series& s : series) {
    printf("| %ls | %.1f | %.1f | %.1f | %.2f |\n", s.name.c_str(), s.Median(), s.Min(), s.Max(),
           base > 0 ? s.Median() / base : 0.0);
  }
}

std::wstring SlotSection(const std::wstring& name, bool withIcons) {
  std::wstring text = L"[" + name + L"]\r\n";
  for (int n = 1; n <= 12; ++n) {
    std::wstring k = std::to_wstring(n);
    text += L"title" + k + L"=slot " + k + L"\r\ncommand" + k + L"=C:\\windows\\notepad.exe %1\r\n";
    if (withIcons) text += L"icon" + k + L"=C:\\windows\\system32\\shell32.dll," + k + L"\r\n";
  }
  return text;
}

// Starts the contender, brings it to the front and presses Q; the time from the
// key to the recorder's first instruction, or -1.
double KeyToLaunch(const Contender& contender) {
  ProcessWindow started;
  if (StartToReady(contender, started) < 0) return -1;
  size_t before = RecordCount(contender.folder);
  for (int tries = 0; tries < 200 && GetForegroundWindow() != started.window; ++tries) {
    SetForegroundWindow(started.window);
    Sleep(5);
  }
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = 'Q';
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  LONGLONG begin = Now();
  SendInput(2, keys, sizeof(INPUT));
  LONGLONG stamp = WaitForRecordedCounter(contender.folder, before);
  CloseWithEscape(started);
  return stamp ? Milliseconds(stamp - begin) : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int iterations = 15;
  std::wstring compared;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wstring(argv[i]) == L"--iterations") iterations = std::max(1, _wtoi(argv[i + 1]));
    if (std::wstring(argv[i]) == L"--compare") compared = argv[i + 1];
  }
  auto* wineVersion = reinterpret_cast<const char* (*)()>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
  SYSTEM_INFO system;
  GetNativeSystemInfo(&system);
  printf("Pivora64 start-up benchmark: %d rounds, %lu processors, %s\n", iterations,
         system.dwNumberOfProcessors,
         wineVersion ? (std::string("under Wine ") + wineVersion()).c_str() : "on Windows");

  const std::wstring icons12 = SlotSection(L".txt", true);
  std::vector<Contender> startup = {
      MakeContender(L"floor (empty window)", L"floor_window.exe", L"PivoraFloor", L""),
      MakeContender(L"floor + status bar (comctl32 6)", L"floor_controls.exe", L"PivoraFloor", L""),
      MakeContender(L"floor + status bar + 12 icon buttons from .ico files",
                    L"floor_controls.exe", L"PivoraFloor", L"", true),
      MakeContender(L"Pivora64, no settings file", L"Pivora64.exe", L"Pivora64", L""),
      MakeContender(L"Pivora64, 12 icons extracted", L"Pivora64.exe", L"Pivora64", icons12),
      MakeContender(L"Pivora64, 12 icons from a warm cache", L"Pivora64.exe", L"Pivora64",
                    L"[SystemSetting]\r\ncacheIcon=ON\r\n" + icons12),
  };
  if (!compared.empty()) {
    for (size_t i = 3; i < 6; ++i) {
      const Contender& c = startup[i];
      startup.push_back(MakeContender(L"compared: " + c.name.substr(10), L"Pivora64.exe",
                                      L"Pivora64", c.settings, false, compared));
    }
  }
  std::vector<Contender> scale;
  for (int sections : {10, 100, 1000}) {
    std::wstring settings = L"[SystemSetting]\r\ncacheIcon=ON\r\n";
    for (int i = 0; i < sections - 1; ++i) settings += SlotSection(L".x" + std::to_wstring(i), false);
    settings += icons12;
    scale.push_back(MakeContender(std::to_wstring(sections) + L" sections", L"Pivora64.exe",
                                  L"Pivora64", settings));
  }
  std::vector<Series> ready, memory, privateBytes, scaled, closed;
  for (const Contender& c : startup) {
    ready.push_back({c.name, {}});
    memory.push_back({c.name, {}});
    privateBytes.push_back({c.name, {}});
  }
  for (const Contender& c : scale) {
    scaled.push_back({c.name, {}});
    closed.push_back({c.name, {}});
  }

  bool failed = false;
  // One untimed round warms the file cache and the icon cache.
  for (int round = -1; round < iterations; ++round) {
    for (size_t i = 0; i < startup.size(); ++i) {
      ProcessWindow started;
      double ms = StartToReady(startup[i], started);
      if (ms < 0) failed = true;
      PROCESS_MEMORY_COUNTERS_EX counters = {sizeof counters};
      GetProcessMemoryInfo(started.process.hProcess,
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
      CloseWithEscape(started);
      if (round < 0 || ms < 0) continue;
      ready[i].values.push_back(ms);
      memory[i].values.push_back(counters.PeakWorkingSetSize / 1024.0);
      // Wine leaves PrivateUsage at 0; the pagefile-backed commit is the same figure there.
      SIZE_T commit = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
      privateBytes[i].values.push_back(commit / 1024.0);
    }
    for (size_t i = 0; i < scale.size(); ++i) {
      ProcessWindow started;
      LONGLONG begin = Now();
      double ms = StartToReady(scale[i], started);
      double closeMs = CloseWithEscape(started);
      if (ms < 0 || closeMs < 0) failed = true;
      if (round < 0 || ms < 0 || closeMs < 0) continue;
      scaled[i].values.push_back(Milliseconds(Now() - begin));
      closed[i].values.push_back(closeMs);
    }
  }

  // Key to launch: a hotkey in the launcher against the bench starting the same
  // program itself, and against the floor window starting it on the same key. The
  // recorder stamps the system-wide counter on entry.
  Contender keyed = MakeContender(L"Pivora64, hotkey Q", L"Pivora64.exe", L"Pivora64",
                                  L"[.txt]\r\ncommand1=recorder.exe %1\r\n");
  Contender keyedFloor = MakeContender(L"floor window, Q starts it", L"floor_window.exe",
                                       L"PivoraFloor", L"");
  Series floorLaunch{L"floor (CreateProcessW by the bench)", {}};
  Series windowLaunch{keyedFloor.name, {}};
  Series keyLaunch{keyed.name, {}};
  for (int round = 0; round < iterations; ++round) {
    size_t before = RecordCount(keyed.folder);
    std::wstring line = L"\"" + keyed.folder + L"\\recorder.exe\" x";
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    LONGLONG begin = Now();
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, keyed.folder.c_str(),
                       &startup, &process)) {
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
      LONGLONG stamp = WaitForRecordedCounter(keyed.folder, before);
      if (stamp) floorLaunch.values.push_back(Milliseconds(stamp - begin));
    }
    double ms = KeyToLaunch(keyedFloor);
    if (ms >= 0) windowLaunch.values.push_back(ms);
    ms = KeyToLaunch(keyed);
    if (ms >= 0) keyLaunch.values.push_back(ms);
    if (ms < 0) failed = true;
  }

  PrintTable("Start to ready (process start to window visible and idle)", "ms", ready);
  PrintTable("Key to launch (to the started program's first instruction)", "ms",
             {floorLaunch, windowLaunch, keyLaunch});
  PrintTable("Start and close with a settings file of N sections (12 slots each)", "ms", scaled);
  // Each close writes the three option words the file lacks: a save of the whole file.
  PrintTable("Close (Escape to exit), saving into a settings file of N sections", "ms", closed);
  PrintTable("Peak working set", "KiB", memory);
  PrintTable("Private bytes", "KiB", privateBytes);
  WIN32_FILE_ATTRIBUTE_DATA data;
  GetFileAttributesExW((BenchFolder() + L"\\Pivora64.exe").c_str(), GetFileExInfoStandard, &data);
  printf("\nPivora64.exe: %lu bytes\n", data.nFileSizeLow);
  if (keyLaunch.values.empty() || floorLaunch.values.empty()) failed = true;
  return failed ? 1 : 0;
}
