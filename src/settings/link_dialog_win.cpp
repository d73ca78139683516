#include "settings/link_dialog_win.h"

#include "resources/resource.h"

wchar_t linkEditText[LINK_TEXT_CAPACITY];

void RunLinkDialog(HWND owner) {
  DialogBoxParamW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                  MAKEINTRESOURCEW(IDD_LINK), owner, LinkDialogProc, 0);
}

INT_PTR CALLBACK LinkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextW(dialog, IDC_LINK_EDIT, linkEditText);
      linkEditText[0] = 0;  // holds a typed text only between OK and its handling
      SetFocus(GetDlgItem(dialog, IDC_LINK_EDIT));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        GetDlgItemTextW(dialog, IDC_LINK_EDIT, linkEditText, LINK_TEXT_CAPACITY);
        SendMessageW(GetWindow(dialog, GW_OWNER), MSG_LINK_CHANGED, 0, 0);
        SendMessageW(dialog, WM_CLOSE, 0, 0);
      } else if (LOWORD(wParam) == IDCANCEL) {
        SendMessageW(dialog, WM_CLOSE, 0, 0);
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return TRUE;
  }
  return FALSE;
}
