#include "app/dll_search.h"

#include <windows.h>

// The exe is portable and may be unpacked where others can write (Downloads, a
// shared or synced folder). A DLL dropped there under a name that is loaded later
// by name (comdlg32, shell32 bound on first use, the many the file dialog pulls
// in) would otherwise run inside the launcher with the user's rights.
void RestrictDllSearch() {
  // Imported directly: Windows 8 and later have it (64-bit Windows 10 and 11
  // always), Windows 7 with KB2533623. Should it fail, the launcher starts anyway.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // The current folder out of the search too, even where the call above failed.
  SetDllDirectoryW(L"");
}
