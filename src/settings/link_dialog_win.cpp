#include "settings/link_dialog_win.h"

#include "resources/resource.h"

wchar_t linkEditText[LINK_TEXT_CAPACITY];

namespace {
// What the dialog opened with: OK on the same text changes nothing, so it writes nothing.
wchar_t shownLinkText[LINK_TEXT_CAPACITY];
}  // namespace

void RunLinkDialog(HWND owner) {
  DialogBoxParamW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                  MAKEINTRESOURCEW(IDD_LINK), owner, LinkDialogProc, 0);
}

INT_PTR CALLBACK LinkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      // No more than a link holds can be typed, so nothing typed is ever cut.
      SendDlgItemMessageW(dialog, IDC_LINK_EDIT, EM_LIMITTEXT, LINK_TEXT_CAPACITY - 1, 0);
      SetDlgItemTextW(dialog, IDC_LINK_EDIT, linkEditText);
      CopyText(shownLinkText, linkEditText);
      linkEditText[0] = 0;  // holds a typed text only between OK and its handling
      SetFocus(GetDlgItem(dialog, IDC_LINK_EDIT));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        GetDlgItemTextW(dialog, IDC_LINK_EDIT, linkEditText, LINK_TEXT_CAPACITY);
        if (TextEquals(linkEditText, shownLinkText)) {
          linkEditText[0] = 0;
        } else {
          SendMessageW(GetWindow(dialog, GW_OWNER), MSG_LINK_CHANGED, 0, 0);
        }
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
