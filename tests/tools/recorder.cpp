// A stand-in for the programs a slot starts: it writes down how it was started
// (its raw command line, current folder and show mode) and exits at once.
// Each start appends one record to "recorder.log" beside the executable, as UTF-16:
//   command=<raw command line>
//   folder=<current folder>
//   show=<wShowWindow, or -1 when the starter left the show mode to the default>
//   counter=<QueryPerformanceCounter at entry>
//   (an empty line ends the record)

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  STARTUPINFOW startup = {sizeof startup};
  GetStartupInfoW(&startup);
  static wchar_t folder[32768], path[32768];
  GetCurrentDirectoryW(32768, folder);
  int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  std::wstring record = L"command=" + std::wstring(GetCommandLineW()) + L"\r\nfolder=" + folder +
                        L"\r\nshow=" + std::to_wstring(show) + L"\r\ncounter=" +
                        std::to_wstring(counter.QuadPart) + L"\r\n\r\n";
  std::wstring log(path, GetModuleFileNameW(nullptr, path, 32768));
  // Wine names a program started from a network share "UNC\server\share\..."
  // without its leading backslashes.
  if (log.compare(0, 4, L"UNC\\") == 0) log.replace(0, 3, L"\\");
  log.replace(log.rfind(L'\\') + 1, std::wstring::npos, L"recorder.log");
  HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &written,
            nullptr);
  CloseHandle(file);
  return 0;
}
