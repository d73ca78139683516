#include "icons/button_icon_win.h"

#include <cwchar>

#include "icons/ico_writer_win.h"
#include "icons/icon_cache_win.h"
#include "icons/icon_rules.h"

namespace {

// The icon's width in pixels, 0 for a handle that is no icon.
int IconWidth(HICON icon) {
  ICONINFO info;
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP mask = {};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return mask.bmWidth;
}

// Resource number 1 loaded from the file itself. The file is read as data only: a
// library's code never runs.
HICON LoadIconResourceOne(const wchar_t* path, int size) {
  HMODULE module =
      LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) return nullptr;
  // Not shared: the icon is a copy of its own and outlives the module.
  HICON icon =
      static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
  FreeLibrary(module);
  return icon;
}

// What ExtractIconW does at the system's large-icon size, at size. A negative index
// names an icon by its resource number.
HICON ExtractIconAtSize(const wchar_t* path, int index, int size) {
  HICON icon = nullptr;
  UINT count = PrivateExtractIconsW(path, index, size, size, &icon, nullptr, 1, 0);
  if (count == 0 || count == UINT_MAX) return nullptr;
  return icon;
}

HICON ExtractSourceIcon(HINSTANCE instance, const IconSource& source, int size) {
  // Index -1 reads as "how many icons are there" in ExtractIconW; here it is resource 1.
  const bool resourceOne = source.index == -1;
  HICON icon = resourceOne ? LoadIconResourceOne(source.path, size)
                           : ExtractIconAtSize(source.path, source.index, size);
  if (icon != nullptr) return icon;
  wchar_t path[ICON_PATH_CAPACITY];  // the call may rewrite path and index
  CopyText(path, source.path);
  // What is no module has no resource 1: its own first icon, or its association's.
  WORD index = static_cast<WORD>(resourceOne ? 0 : source.index);
  icon = ExtractAssociatedIconW(instance, path, &index);
  // It comes at the system DPI's size; on a monitor of another scale it is drawn to
  // this one's, so that neither the button nor the cache ever holds another size.
  if (icon == nullptr || IconWidth(icon) == size) return icon;
  return static_cast<HICON>(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYDELETEORG));
}

// The width the directory of a cache file gives its one image (256 is stored as 0),
// 0 when there is no file, -1 when it is too short to say. Read before the file is
// loaded, so that one of another size costs no load.
int CachedIconSize(const wchar_t* path) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  BYTE header[8] = {};
  DWORD read = 0;
  ReadFile(file, header, sizeof header, &read, nullptr);
  CloseHandle(file);
  if (read < sizeof header) return -1;
  return header[6] == 0 ? 256 : header[6];
}

HICON LoadSlotIcon(const IconSource& source, HINSTANCE instance, int size) {
  if (TextIsEmpty(source.path)) return nullptr;

  wchar_t cachePath[ICON_PATH_CAPACITY];
  bool cacheable = IconCachePath(iconCacheDir, source, size, cachePath);
  int cachedSize = cacheable ? CachedIconSize(cachePath) : 0;
  if (cachedSize != 0) {
    HANDLE cached = cachedSize == size
                        ? LoadImageW(nullptr, cachePath, IMAGE_ICON, 0, 0, LR_LOADFROMFILE)
                        : nullptr;
    if (cached != nullptr) return static_cast<HICON>(cached);
    // A damaged file would blank the button for ever, and one of another size (an
    // older version wrote what the system gave it) would show clipped or lost in
    // the button: extract and store anew.
    DeleteFileW(cachePath);
  }
  HICON icon = ExtractSourceIcon(instance, source, size);
  if (cacheable && icon != nullptr) {
    if (size != LARGE_ICON_SIZE) CreateIconSizeFolder(cachePath);
    WriteIconFile(icon, cachePath);
  }
  return icon;
}

// What a button was last given. A button keeps a private copy of every image it
// is given until it is destroyed (Wine's does), and the icon is refreshed on every
// selection step, so an icon loaded from the same source as the one the button
// still shows is not set again.
struct ShownIcon {
  HWND button;
  HICON icon;
  IconSource source;
  int size;
};
ShownIcon shownIcons[SLOT_COUNT + 4];
size_t nextReused;

// The record of button; a new button takes the record of one that is gone.
ShownIcon& ShownIconOf(HWND button) {
  for (ShownIcon& shown : shownIcons) {
    if (shown.button == button) return shown;
  }
  ShownIcon* record = nullptr;
  for (ShownIcon& shown : shownIcons) {
    if (shown.button == nullptr || !IsWindow(shown.button)) {
      record = &shown;
      break;
    }
  }
  if (record == nullptr) record = &shownIcons[nextReused++ % ARRAYSIZE(shownIcons)];
  *record = ShownIcon{};
  record->button = button;
  return *record;
}

// A drag takes the image away, so the button's own answer counts, not the record.
bool StillShows(const ShownIcon& shown, HWND button, const IconSource& source, int size) {
  HICON current = reinterpret_cast<HICON>(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0));
  return current != nullptr && current == shown.icon && shown.size == size &&
         shown.source.index == source.index && wcscmp(shown.source.path, source.path) == 0;
}

}  // namespace

void RefreshButtonIcon(HWND button, const CommandSlot& slot, HINSTANCE instance, int size) {
  IconSource source;
  ResolveIconSource(slot.icon, slot.command, source);
  HICON icon = LoadSlotIcon(source, instance, size);
  ShownIcon& shown = ShownIconOf(button);
  if (icon != nullptr && StillShows(shown, button, source, size)) {
    DestroyIcon(icon);
    return;
  }
  auto previous = reinterpret_cast<HICON>(
      SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
  if (previous != nullptr && previous != icon) DestroyIcon(previous);
  shown.icon = icon;
  shown.source = source;
  shown.size = size;
}
