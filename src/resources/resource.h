#pragma once
// Ids shared by the resource script and the code.

// Named resources (the resource script names them the same way).
#define PIVORA_ICON_NAME L"Pivora_ICON"
#define PIVORA_ICON_SM_NAME L"Pivora_ICON_SM"
#define SLOT_MENU_NAME L"Vyx_POPUP"
#define OPTION_MENU_NAME L"Vyx_TITLE"

// Child windows of the main window.
#define STATUS_BAR_ID 3500
