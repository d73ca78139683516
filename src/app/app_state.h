#pragma once
// The values of this run of the launcher, set while the main window is created.

#include <windows.h>

#include "settings/settings_path.h"

// A command line holds at most 32,767 units, so any argument fits whole.
constexpr size_t TARGET_PATH_CAPACITY = 32768;

extern HINSTANCE moduleInstance;
extern HWND mainWindow;
extern HWND statusBar;

extern bool startAccepted;  // false until the argument check passed; closing saves only then
extern wchar_t targetPath[TARGET_PATH_CAPACITY];  // argument 1: the file or folder
extern const wchar_t* sectionName;     // points into targetPath or at "folder"
extern const wchar_t* argumentString;  // points into the process's own command line
extern wchar_t iniPath[SETTINGS_PATH_UNITS];  // empty when it could not be worked out

// The DPI of the monitor the window is on: the layout, the icons' size and the
// pointer's tolerance follow it.
extern int windowDpi;

// The highlighted slot: keyboard, hover, Enter and the hotkeys act on it.
extern int selectedSlot;
// The slot the button menu, the edit dialog's commit and file drops address.
extern int targetSlot;
// Where the pointer rested at start-up; (-1, -1) once it has moved over a button.
extern POINT startCursorPos;
// 0 swallows the next click or menu command, then it is 1 again.
extern int acceptClick;

// The loaded menu resources and the submenus the context menus open.
extern HMENU slotMenuResource;
extern HMENU optionMenuResource;
extern HMENU slotMenu;
extern HMENU optionMenu;
