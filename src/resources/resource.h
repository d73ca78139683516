#pragma once
// Ids shared by the resource script and the code.

// Named resources (the resource script names them the same way).
#define PIVORA_ICON_NAME L"Pivora_ICON"
#define PIVORA_ICON_SM_NAME L"Pivora_ICON_SM"
#define SLOT_MENU_NAME L"Vyx_POPUP"
#define OPTION_MENU_NAME L"Vyx_TITLE"

// Private messages the dialogs send to the main window (wParam and lParam 0).
#define MSG_SLOT_COMMITTED (WM_APP + 1)
#define MSG_LINK_CHANGED (WM_APP + 2)

// Child windows of the main window.
#define STATUS_BAR_ID 3500

// Button context menu (Vyx_POPUP).
#define IDM_SLOT_EDIT 100
#define IDM_SLOT_COPY 110
#define IDM_SLOT_CUT 120
#define IDM_SLOT_PASTE 130
#define IDM_SLOT_DELETE 140

// Option menu (Vyx_TITLE).
#define IDM_LINK 40001
#define IDM_TOP_VIEW 40005
#define IDM_AUTO_CLOSE 40006
#define IDM_LOOP_CURSOR 40007
#define IDM_CACHE_ICON 40008

// The command edit dialog.
#define IDD_COMMAND_EDIT 101
#define IDC_EDIT_TITLE 1000
#define IDC_RUN_AS 1002
#define IDC_EDIT_COMMAND 1003
#define IDC_EDIT_ICON 1004
#define IDC_BROWSE_COMMAND 1005
#define IDC_BROWSE_ICON 1006

// The link dialog.
#define IDD_LINK 105
#define IDC_LINK_EDIT 1000

// The box shown when the settings could not be saved at close.
#define IDD_SAVE_FAILED 110
#define IDC_SAVE_FAILED_ICON 1000
#define IDC_SAVE_FAILED_TEXT 1001
