// The main window procedure: a dispatcher. Each handler lives with its subsystem.

#include "app/main_window.h"

#include "app/drag_input.h"
#include "app/grid_input.h"
#include "app/option_commands.h"
#include "app/slot_commands.h"
#include "app/slot_editing.h"
#include "app/window_layout.h"
#include "resources/resource.h"

const wchar_t MAIN_WINDOW_CLASS[] = L"Pivora64";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return 0;
    case WM_KILLFOCUS:
      OnKillFocus(window, reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_CLOSE:
      OnClose(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(window, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(window, wParam, lParam);
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(window, reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case WM_COMMAND:
      OnCommand(window, wParam);
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(window);
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(window);
      return 0;
    case WM_CAPTURECHANGED:  // also forwarded by the button that held the capture
    case WM_CANCELMODE:
      OnDragCancel(window);
      break;  // the default handling ends the window's own modes too
    case WM_ACTIVATE:
      OnActivate(window, wParam);
      break;  // the default handling moves the focus
    case WM_TIMER:
      OnTimer(window, wParam);
      return 0;
    case WM_DROPFILES:
      OnDropFiles(window, reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(window, wParam, lParam);
      return 0;
    case MSG_LINK_CHANGED:
      OnLinkChanged(window);
      return 0;
    case MSG_SLOT_COMMITTED:
      OnSlotCommitted();
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
