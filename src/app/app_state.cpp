#include "app/app_state.h"

HINSTANCE moduleInstance;
HWND mainWindow;
HWND statusBar;

bool startAccepted;
wchar_t targetPath[TARGET_PATH_CAPACITY];
const wchar_t* sectionName = L"";
const wchar_t* argumentString = L"";
wchar_t iniPath[SETTINGS_PATH_UNITS];

int windowDpi = 96;
int selectedSlot;
int targetSlot;
POINT startCursorPos;
int acceptClick = 1;

HMENU slotMenuResource;
HMENU optionMenuResource;
HMENU slotMenu;
HMENU optionMenu;
