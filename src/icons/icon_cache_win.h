#pragma once
// The icon cache folder "iconcache" beside the executable.

#include <windows.h>

#include "icons/icon_rules.h"

// Empty while caching is off; the full folder path while it is on.
extern wchar_t iconCacheDir[ICON_PATH_CAPACITY];

// Turns caching on: the folder is created when missing (a failure leaves icons
// extracted every time, nothing worse).
void SetIconCacheDir();
// Turns caching off; the folder and its files stay.
void ClearIconCacheDir();
// Creates the folder of an icon size other than 32 px, cachePath's folder, when
// missing (a failure leaves that size extracted every time).
void CreateIconSizeFolder(const wchar_t* cachePath);
// Renames a legacy "iconcash" folder to "iconcache" unless that exists already.
void MigrateIconCacheDir();
