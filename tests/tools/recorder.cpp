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
  int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

  wchar_t folder[32768];
  GetCurrentDirectoryW(32768, folder);

  std::wstring record = L"command=";
  record += GetCommandLineW();
  record += L"\r\nfolder=";
  record += folder;
  record += L"\r\nshow=" + std::to_wstring(show);
  record += L"\r\ncounter=" + std::to_wstring(counter.QuadPart);
  record += L"\r\n\r\n";

  wchar_t modulePath[32768];
  DWORD length = GetModuleFileNameW(nullptr, modulePath, 32768);
  std::wstring logPath(modulePath, length);
  // Wine names a program started from a network share "UNC\server\share\..."
  // without its leading backslashes.
  if (logPath.compare(0, 4, L"UNC\\") == 0) logPath.replace(0, 3, L"\\");
  logPath.erase(logPath.rfind(L'\\') + 1);
  logPath += L"recorder.log";

  HANDLE log = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(log, record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &written,
            nullptr);
  CloseHandle(log);
  return 0;
}
