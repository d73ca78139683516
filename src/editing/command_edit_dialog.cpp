#include "editing/command_edit_dialog.h"

#include <commctrl.h>

#include "editing/edit_text_rules.h"
#include "editing/editing_state.h"
#include "icons/icon_rules.h"
#include "resources/resource.h"

namespace {

// The shell's icon picker has been exported by ordinal only on older systems.
typedef int(WINAPI* PickIconDialog)(HWND owner, wchar_t* path, UINT capacity, int* index);
// The common file dialog's library is loaded only when the user browses: loading
// it with the program would lengthen every start for a rarely used button.
typedef BOOL(WINAPI* OpenFileDialog)(OPENFILENAMEW* open);
constexpr WORD PICK_ICON_DLG_ORDINAL = 62;
const wchar_t ICON_PICKER_MISSING_TEXT[] = L"アイコンの選択画面が見つかりませんでした。";
const wchar_t ICON_PICKER_FAILED_TEXT[] = L"アイコンの選択画面を開けませんでした。";
const wchar_t EDIT_DIALOG_CAPTION[] = L"Pivora コマンド編集";

// The pickers' libraries come from System32 only, and are never freed: the file
// dialog leaves threads and COM objects running in the libraries it loaded, and
// unloading under them crashes later. The process is short-lived.
HMODULE LoadPickerLibrary(const wchar_t* name) {
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

const int SLOT_FIELDS[] = {IDC_EDIT_TITLE, IDC_EDIT_COMMAND, IDC_EDIT_ICON};

struct Hint {
  int control;
  const wchar_t* text;
};
const Hint HINTS[] = {
    {IDC_EDIT_TITLE, L"ステータスバーに表示されます。"},
    {IDC_EDIT_COMMAND, L"引数位置を明記する場合は「%1」。"},
    {IDC_EDIT_ICON, L"空の場合はコマンドから取得します。"},
};

// One tooltip window serves the three edits; it goes away with the dialog.
void AddHints(HWND dialog) {
  HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                 nullptr, nullptr);
  for (UINT id = 0; id < ARRAYSIZE(HINTS); ++id) {
    TOOLINFOW tool = {sizeof tool};
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = GetDlgItem(dialog, HINTS[id].control);
    tool.uId = id;
    GetClientRect(tool.hwnd, &tool.rect);
    tool.lpszText = const_cast<wchar_t*>(HINTS[id].text);
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void OnInitDialog(HWND dialog) {
  AddHints(dialog);
  // Text beyond what a slot holds cannot be entered, so what is registered is
  // what the fields show, never a cut path.
  for (int field : SLOT_FIELDS) {
    SendDlgItemMessageW(dialog, field, EM_LIMITTEXT, SLOT_TEXT_CAPACITY - 1, 0);
  }
  SetDlgItemTextW(dialog, IDC_EDIT_TITLE, editBuffer.title);
  SetDlgItemTextW(dialog, IDC_EDIT_COMMAND, editBuffer.command);
  SetDlgItemTextW(dialog, IDC_EDIT_ICON, editBuffer.icon);
  CheckDlgButton(dialog, IDC_RUN_AS, editBuffer.runAs == 1 ? BST_CHECKED : BST_UNCHECKED);
  SetFocus(GetDlgItem(dialog, IDC_EDIT_TITLE));
}

void OnRegister(HWND dialog) {
  GetDlgItemTextW(dialog, IDC_EDIT_TITLE, editBuffer.title, SLOT_TEXT_CAPACITY);
  GetDlgItemTextW(dialog, IDC_EDIT_COMMAND, editBuffer.command, SLOT_TEXT_CAPACITY);
  GetDlgItemTextW(dialog, IDC_EDIT_ICON, editBuffer.icon, SLOT_TEXT_CAPACITY);
  editBuffer.runAs = IsDlgButtonChecked(dialog, IDC_RUN_AS) == BST_CHECKED ? 1 : 0;
  SendMessageW(GetWindow(dialog, GW_OWNER), MSG_SLOT_COMMITTED, 0, 0);
  SendMessageW(dialog, WM_CLOSE, 0, 0);
}

void OnBrowseCommand(HWND dialog) {
  wchar_t path[SLOT_TEXT_CAPACITY] = L"";
  OPENFILENAMEW open = {sizeof open};
  open.hwndOwner = dialog;
  open.lpstrFile = path;
  open.nMaxFile = SLOT_TEXT_CAPACITY;
  open.lpstrTitle = L"コマンドファイル";
  open.Flags = OFN_FILEMUSTEXIST;
  auto getOpenFileName = reinterpret_cast<OpenFileDialog>(reinterpret_cast<void*>(
      GetProcAddress(LoadPickerLibrary(L"comdlg32.dll"), "GetOpenFileNameW")));
  if (getOpenFileName == nullptr || !getOpenFileName(&open)) return;
  SetDlgItemTextW(dialog, IDC_EDIT_COMMAND, path);  // replaces any arguments typed before
  wchar_t title[SLOT_TEXT_CAPACITY];
  GetDlgItemTextW(dialog, IDC_EDIT_TITLE, title, SLOT_TEXT_CAPACITY);
  if (!TextIsEmpty(title)) return;  // a title already typed stays
  TitleFromPath(path, title);
  SetDlgItemTextW(dialog, IDC_EDIT_TITLE, title);
}

void OnBrowseIcon(HWND dialog) {
  wchar_t path[SLOT_TEXT_CAPACITY];
  GetDlgItemTextW(dialog, IDC_EDIT_ICON, path, SLOT_TEXT_CAPACITY);
  int index = ParseIconLocation(path);
  // shell32 is bound on first use, so in this run it may not be loaded yet.
  HMODULE shell = LoadPickerLibrary(L"shell32.dll");
  auto pick = shell == nullptr
                  ? nullptr
                  : reinterpret_cast<PickIconDialog>(reinterpret_cast<void*>(
                        GetProcAddress(shell, MAKEINTRESOURCEA(PICK_ICON_DLG_ORDINAL))));
  // Positive: an icon was chosen; 0: the user cancelled; negative: the picker could
  // not be shown (Wine's cannot create its dialog and returns -1 at once).
  int chosen = pick == nullptr ? -1 : pick(dialog, path, SLOT_TEXT_CAPACITY, &index);
  if (chosen < 0) {
    const wchar_t* why = pick == nullptr ? ICON_PICKER_MISSING_TEXT : ICON_PICKER_FAILED_TEXT;
    MessageBoxW(dialog, why, EDIT_DIALOG_CAPTION, MB_ICONWARNING);
  }
  if (chosen <= 0) return;
  wchar_t location[SLOT_TEXT_CAPACITY];
  // A location that would not fit is refused whole; the field keeps its text.
  if (FormatIconLocation(path, index, location)) SetDlgItemTextW(dialog, IDC_EDIT_ICON, location);
}

}  // namespace

void RunCommandEditDialog(HWND owner) {
  DialogBoxParamW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                  MAKEINTRESOURCEW(IDD_COMMAND_EDIT), owner, CommandEditDialogProc, 0);
}

INT_PTR CALLBACK CommandEditDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          OnRegister(dialog);
          break;
        case IDCANCEL:
          SendMessageW(dialog, WM_CLOSE, 0, 0);
          break;
        case IDC_BROWSE_COMMAND:
          OnBrowseCommand(dialog);
          break;
        case IDC_BROWSE_ICON:
          OnBrowseIcon(dialog);
          break;
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 16);
      return TRUE;
  }
  return FALSE;
}
