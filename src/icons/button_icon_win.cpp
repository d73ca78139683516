#include "icons/button_icon_win.h"

#include <cwchar>

#include "icons/ico_writer_win.h"
#include "icons/icon_cache_win.h"
#include "icons/icon_rules.h"

namespace {

// Resource number 1 loaded from the file itself, at the size ExtractIconW gives.
// The file is read as data only: a library's code never runs.
HICON LoadIconResourceOne(const wchar_t* path) {
  HMODULE module =
      LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) return nullptr;
  // Not shared: the icon is a copy of its own and outlives the module.
  HICON icon = static_cast<HICON>(
      LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  FreeLibrary(module);
  return icon;
}

HICON ExtractSourceIcon(HINSTANCE instance, const IconSource& source) {
  // ExtractIconW reads index -1 as "how many icons are there" and returns that count.
  const bool resourceOne = source.index == -1;
  HICON icon = resourceOne ? LoadIconResourceOne(source.path)
                           : ExtractIconW(instance, source.path, static_cast<UINT>(source.index));
  // 1 means "not a program, library or icon file": no icon, so ask the association.
  if (icon == reinterpret_cast<HICON>(1)) icon = nullptr;
  if (icon != nullptr) return icon;
  wchar_t path[ICON_PATH_CAPACITY];  // the call may rewrite path and index
  CopyText(path, source.path);
  // What is no module has no resource 1: its own first icon, or its association's.
  WORD index = static_cast<WORD>(resourceOne ? 0 : source.index);
  return ExtractAssociatedIconW(instance, path, &index);
}

HICON LoadSlotIcon(const IconSource& source, HINSTANCE instance) {
  if (TextIsEmpty(source.path)) return nullptr;

  wchar_t cachePath[ICON_PATH_CAPACITY];
  bool cacheable = IconCachePath(iconCacheDir, source, cachePath);
  if (cacheable && GetFileAttributesW(cachePath) != INVALID_FILE_ATTRIBUTES) {
    HANDLE cached = LoadImageW(nullptr, cachePath, IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    if (cached != nullptr) return static_cast<HICON>(cached);
    // A damaged cache file would blank the button for ever: extract and store anew.
    DeleteFileW(cachePath);
  }
  HICON icon = ExtractSourceIcon(instance, source);
  if (cacheable && icon != nullptr) WriteIconFile(icon, cachePath);
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
bool StillShows(const ShownIcon& shown, HWND button, const IconSource& source) {
  HICON current = reinterpret_cast<HICON>(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0));
  return current != nullptr && current == shown.icon && shown.source.index == source.index &&
         wcscmp(shown.source.path, source.path) == 0;
}

}  // namespace

void RefreshButtonIcon(HWND button, const CommandSlot& slot, HINSTANCE instance) {
  IconSource source;
  ResolveIconSource(slot.icon, slot.command, source);
  HICON icon = LoadSlotIcon(source, instance);
  ShownIcon& shown = ShownIconOf(button);
  if (icon != nullptr && StillShows(shown, button, source)) {
    DestroyIcon(icon);
    return;
  }
  auto previous = reinterpret_cast<HICON>(
      SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
  if (previous != nullptr && previous != icon) DestroyIcon(previous);
  shown.icon = icon;
  shown.source = source;
}
