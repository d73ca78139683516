#pragma once
// What a process holds, for tests that check a long session leaves it where it
// was. Wine answers 0 to GetProcessHandleCount and GetGuiResources, so the counts
// come from what it does fill in: the system's handle list, the process's GDI
// handle table (where every icon's bitmaps live too) and its windows.

#include <windows.h>

struct ResourceCounts {
  long kernelHandles;
  long gdiObjects;
  long windows;  // top-level windows and their children
};

// process needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ; -1 where a count
// cannot be had.
ResourceCounts CountResources(HANDLE process, DWORD processId);
