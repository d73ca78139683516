#include "settings/save_report_win.h"

#include "common/path_rules.h"
#include "common/system_message_win.h"
#include "common/wide_text.h"
#include "resources/resource.h"

namespace {

constexpr size_t BOX_TEXT_UNITS = 512;

const wchar_t NOT_SAVED_TEXT[] = L"設定を保存できませんでした。\n";
const wchar_t CHOICES_TEXT[] =
    L"\n\n再試行: もう一度保存します。\nキャンセル: "
    L"この変更を保存せずに閉じます。設定ファイルは前のままです。";

}  // namespace

const wchar_t LINK_TOO_LONG_TEXT[] = L"リンクを保存できません: 拡張子の名前が長すぎます";

bool AskToRetrySave(HWND owner, DWORD error) {
  wchar_t text[BOX_TEXT_UNITS];
  CopyText(text, NOT_SAVED_TEXT);
  AppendSystemMessage(error, text, BOX_TEXT_UNITS);
  AppendText(text, CHOICES_TEXT);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SAVE_FAILED), owner, SaveFailedDialogProc,
                         reinterpret_cast<LPARAM>(text)) == IDRETRY;
}

void DescribeSaveFailure(DWORD error, wchar_t (&text)[SAVE_REPORT_UNITS]) {
  CopyText(text, L"設定を保存できません: ");
  AppendSystemMessage(error, text, SAVE_REPORT_UNITS);
}

bool DescribeRecovery(StartRecovery recovery, const wchar_t* settingsPath,
                      wchar_t (&text)[SAVE_REPORT_UNITS]) {
  switch (recovery) {
    case StartRecovery::Restored: {
      SaveCopyPaths paths;
      SaveCopyPathsOf(settingsPath, paths);
      CopyText(text, L"設定を戻しました: 前回の保存が途中で終わったため、その前の状態です。戻す前の内容は ");
      AppendText(text, FindFileName(paths.kept));
      AppendText(text, L" にあります");
      return true;
    }
    case StartRecovery::Failed:
      CopyText(text, L"設定を戻せません: 前回の保存が途中で終わったままです");
      return true;
    case StartRecovery::NothingToDo:
    case StartRecovery::Skipped:
      break;
  }
  return false;
}

// A dialog of our own rather than a message box: its buttons say 再試行 and
// キャンセル on every system, not in the system's language.
INT_PTR CALLBACK SaveFailedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageW(dialog, IDC_SAVE_FAILED_ICON, STM_SETICON,
                          reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_WARNING)), 0);
      SetDlgItemTextW(dialog, IDC_SAVE_FAILED_TEXT, reinterpret_cast<const wchar_t*>(lParam));
      MessageBeep(MB_ICONWARNING);
      return TRUE;  // the focus goes to 再試行
    case WM_COMMAND:
      if (LOWORD(wParam) == IDRETRY || LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, LOWORD(wParam));
      return TRUE;
  }
  return FALSE;
}
