#include "icons/button_icon_win.h"

#include "icons/icon_cache_win.h"
#include "icons/icon_rules.h"
#include "icons/ico_writer_win.h"

namespace {

HICON ExtractSourceIcon(HINSTANCE instance, const IconSource& source) {
  HICON icon = ExtractIconW(instance, source.path, static_cast<UINT>(source.index));
  // 1 means "not a program, library or icon file": no icon, so ask the association.
  if (icon == reinterpret_cast<HICON>(1)) icon = nullptr;
  if (icon != nullptr) return icon;
  wchar_t path[ICON_PATH_CAPACITY];  // the call may rewrite path and index
  CopyText(path, source.path);
  WORD index = static_cast<WORD>(source.index);
  return ExtractAssociatedIconW(instance, path, &index);
}

HICON LoadSlotIcon(const CommandSlot& slot, HINSTANCE instance) {
  IconSource source;
  ResolveIconSource(slot.icon, slot.command, source);
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

}  // namespace

void RefreshButtonIcon(HWND button, const CommandSlot& slot, HINSTANCE instance) {
  HICON icon = LoadSlotIcon(slot, instance);
  auto previous = reinterpret_cast<HICON>(
      SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
  if (previous != nullptr && previous != icon) DestroyIcon(previous);
}
