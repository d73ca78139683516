// A DLL that stands in for one planted beside a program: the tests see whether
// its code ran (the marker variable) or whether only its icon was read.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) SetEnvironmentVariableW(L"PIVORA_PLANTED_RAN", L"1");
  return TRUE;
}
