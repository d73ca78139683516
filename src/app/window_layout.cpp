#include "app/window_layout.h"

#include "app/app_state.h"
#include "app/button_grid.h"
#include "app/display_scale_win.h"
#include "app/drag_input.h"
#include "app/grid_rules.h"
#include "app/main_window.h"

namespace {

// The status bar picks the system's font, made for the system DPI. Once the window
// is on a monitor of another scale it shows ours, made for that one; each replaced
// font is released after the bar has let go of it.
HFONT statusFont;

void ScaleStatusBarFont(int dpi) {
  if (statusFont == nullptr && dpi == SystemDpi()) return;
  LOGFONTW description;
  if (!StatusFontForDpi(description, dpi)) return;
  HFONT font = CreateFontIndirectW(&description);
  if (font == nullptr) return;
  SendMessageW(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (statusFont != nullptr) DeleteObject(statusFont);
  statusFont = font;
}

int HeightOf(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

}  // namespace

SIZE WindowSizeForDpi(int dpi) {
  RECT frame = {0, 0, ClientWidth(dpi), ClientHeight(dpi, 0)};
  AdjustWindowRectForDpi(frame, MAIN_WINDOW_STYLE, dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void FitWindowToLayout(HWND window, int dpi) {
  ScaleStatusBarFont(dpi);
  SendMessageW(statusBar, WM_SIZE, 0, 0);  // the bar takes its height from its font
  const int width = ClientWidth(dpi), height = ClientHeight(dpi, HeightOf(statusBar));
  RECT client, outer;
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  if (client.right == width && client.bottom == height) return;
  // The frame stays as the window has it now: only the client area changes.
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + width - client.right,
               outer.bottom - outer.top + height - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(statusBar, WM_SIZE, 0, 0);  // along the new bottom edge
}

void OnDpiChanged(HWND window, WPARAM dpi, LPARAM suggestedRect) {
  windowDpi = HIWORD(dpi);
  const RECT& suggested = *reinterpret_cast<const RECT*>(suggestedRect);
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceButtons(windowDpi);
  FitWindowToLayout(window, windowDpi);
  for (int slot = 0; slot < SLOT_COUNT; ++slot) {
    // A picked-up slot's button stays blank until its drag ends.
    if (slot != PickedUpSlot()) RefreshSlotIcon(slot);
  }
}
