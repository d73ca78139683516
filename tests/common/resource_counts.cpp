#include "resource_counts.h"

#include <winternl.h>

#include <vector>

namespace {

constexpr ULONG SYSTEM_HANDLE_INFORMATION = 16;
constexpr NTSTATUS STATUS_LENGTH_MISMATCH = static_cast<NTSTATUS>(0xC0000004);

template <typename Function>
Function NtdllFunction(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

long KernelHandles(DWORD processId) {
  typedef NTSTATUS(NTAPI * QuerySystem)(ULONG, void*, ULONG, ULONG*);
  auto query = NtdllFunction<QuerySystem>("NtQuerySystemInformation");
  std::vector<BYTE> buffer(1 << 20);
  NTSTATUS status;
  while ((status = query(SYSTEM_HANDLE_INFORMATION, buffer.data(),
                         static_cast<ULONG>(buffer.size()), nullptr)) == STATUS_LENGTH_MISMATCH) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return -1;
  struct Entry {
    USHORT processId;  // the low 16 bits
    USHORT creatorBackTrace;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    void* object;
    ULONG access;
  };
  ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
  auto* entries = reinterpret_cast<Entry*>(buffer.data() + sizeof(ULONG_PTR));
  long own = 0;
  for (ULONG i = 0; i < count; ++i) own += entries[i].processId == (processId & 0xFFFF);
  return own;
}

// Where the platform counts them, its count; under Wine, the used entries of the
// GDI handle table the PEB points to (offset 0xF8 on x64; 65,536 entries of 24
// bytes, the object type at byte 14).
long GdiObjects(HANDLE process) {
  DWORD counted = GetGuiResources(process, GR_GDIOBJECTS);
  if (counted != 0) return counted;
  typedef NTSTATUS(NTAPI * QueryProcess)(HANDLE, ULONG, void*, ULONG, ULONG*);
  auto query = NtdllFunction<QueryProcess>("NtQueryInformationProcess");
  PROCESS_BASIC_INFORMATION basic = {};
  if (query(process, 0, &basic, sizeof basic, nullptr) != 0) return -1;
  BYTE* table = nullptr;
  if (!ReadProcessMemory(process, reinterpret_cast<BYTE*>(basic.PebBaseAddress) + 0xF8, &table,
                         sizeof table, nullptr) ||
      table == nullptr) {
    return -1;
  }
  const size_t ENTRY = 24, ENTRIES = 0x10000;
  std::vector<BYTE> entries(ENTRY * ENTRIES);
  if (!ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr)) return -1;
  long used = 0;
  for (size_t i = 0; i < ENTRIES; ++i) used += entries[i * ENTRY + 14] != 0;
  return used;
}

struct WindowCount {
  DWORD processId;
  long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM parameter) {
  ++reinterpret_cast<WindowCount*>(parameter)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM parameter) {
  auto* windows = reinterpret_cast<WindowCount*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != windows->processId) return TRUE;
  ++windows->count;
  EnumChildWindows(window, CountChild, parameter);
  return TRUE;
}

}  // namespace

ResourceCounts CountResources(HANDLE process, DWORD processId) {
  WindowCount windows = {processId, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  return {KernelHandles(processId), GdiObjects(process), windows.count};
}
