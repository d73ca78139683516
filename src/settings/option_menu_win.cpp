#include "settings/option_menu_win.h"

#include "resources/resource.h"

void SetOptionCheck(HMENU menu, UINT commandId, int on) {
  MENUITEMINFOW item = {sizeof item};
  item.fMask = MIIM_STATE;
  item.fState = on == 1 ? MFS_CHECKED : 0;
  SetMenuItemInfoW(menu, commandId, FALSE, &item);
}

void SetInitialOptionChecks(HMENU menu, const Options& options) {
  SetOptionCheck(menu, IDM_TOP_VIEW, options.topView);
  SetOptionCheck(menu, IDM_AUTO_CLOSE, options.autoClose);
  SetOptionCheck(menu, IDM_LOOP_CURSOR, options.loopCursor);
  SetOptionCheck(menu, IDM_CACHE_ICON, options.cacheIcon);
}
