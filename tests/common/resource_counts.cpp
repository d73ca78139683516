#include "resource_counts.h"

#include <winternl.h>

#include <vector>

namespace {

template <typename Function>
Function Ntdll(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

// The process's entries in the system's handle list (on x64, 24-byte entries after
// the count, each starting with the low 16 bits of its owner's id).
long KernelHandles(DWORD processId) {
  auto query = Ntdll<NTSTATUS(NTAPI*)(ULONG, void*, ULONG, ULONG*)>("NtQuerySystemInformation");
  std::vector<BYTE> list(1 << 20);
  NTSTATUS status;
  while ((status = query(16, list.data(), static_cast<ULONG>(list.size()), nullptr)) ==
         static_cast<NTSTATUS>(0xC0000004)) {  // the list grew: a larger buffer
    list.resize(list.size() * 2);
  }
  if (status != 0) return -1;
  long own = 0;
  for (ULONG i = 0; i < *reinterpret_cast<ULONG*>(list.data()); ++i) {
    own += *reinterpret_cast<USHORT*>(&list[sizeof(ULONG_PTR) + i * 24]) == (processId & 0xFFFF);
  }
  return own;
}

// Where the platform counts them, its count; under Wine, the used entries of the
// GDI handle table the PEB points to (offset 0xF8 on x64; 65,536 entries of 24
// bytes, the object type at byte 14).
long GdiObjects(HANDLE process) {
  if (DWORD counted = GetGuiResources(process, GR_GDIOBJECTS)) return counted;
  PROCESS_BASIC_INFORMATION basic = {};
  BYTE* table = nullptr;
  std::vector<BYTE> entries(24 * 0x10000);
  if (Ntdll<NTSTATUS(NTAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*)>("NtQueryInformationProcess")(
          process, 0, &basic, sizeof basic, nullptr) != 0 ||
      !ReadProcessMemory(process, reinterpret_cast<BYTE*>(basic.PebBaseAddress) + 0xF8, &table,
                         sizeof table, nullptr) ||
      table == nullptr ||
      !ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr)) {
    return -1;
  }
  long used = 0;
  for (size_t i = 0; i < 0x10000; ++i) used += entries[i * 24 + 14] != 0;
  return used;
}

struct WindowCount {
  DWORD processId;
  long count;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM parameter) {
  auto* windows = reinterpret_cast<WindowCount*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == windows->processId) ++windows->count;
  return TRUE;
}

}  // namespace

ResourceCounts CountResources(HANDLE process, DWORD processId) {
  WindowCount windows = {processId, 0};
  EnumChildWindows(GetDesktopWindow(), CountWindow,
                   reinterpret_cast<LPARAM>(&windows));  // all, at any depth
  return {KernelHandles(processId), GdiObjects(process), windows.count};
}
