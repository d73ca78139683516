#include "app/drag_input.h"

#include "app/app_state.h"
#include "app/button_grid.h"
#include "app/display_scale_win.h"
#include "editing/drag_gesture.h"
#include "editing/slot_clipboard.h"
#include "settings/settings_state.h"

namespace {

DragGesture dragGesture;
// The picked-up icon, shown as the pointer. The button no longer refers to it;
// it is destroyed once, after the arrow is back.
HICON dragCursor;

bool IsEmptySlot(int slot) { return slot >= 0 && SlotIsEmpty(currentTable, slot); }

void EndDragCursor() {
  if (dragCursor == nullptr) return;
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  DestroyIcon(dragCursor);
  dragCursor = nullptr;
}

}  // namespace

int PickedUpSlot() { return dragGesture.sourceSlot; }

void OnLeftButtonDown(HWND window) { SetTimer(window, PICKUP_TIMER_ID, PICKUP_DELAY_MS, nullptr); }

bool OnDragMouseMove(HWND window, WPARAM keys) {
  POINT pointer;
  GetCursorPos(&pointer);
  DragMove move = OnDragMove(dragGesture, (keys & MK_LBUTTON) != 0, pointer.x, pointer.y,
                             SystemMetricForDpi(SM_CXDOUBLECLK, windowDpi),
                             SystemMetricForDpi(SM_CYDOUBLECLK, windowDpi));
  if (move.cancelPickUp) KillTimer(window, PICKUP_TIMER_ID);
  return move.runHover;
}

void OnTimer(HWND window, WPARAM timerId) {
  if (timerId != PICKUP_TIMER_ID) return;
  KillTimer(window, PICKUP_TIMER_ID);  // at most one pick-up per press
  int slot = SlotAtCursor();
  int picked = OnPickUpTimer(dragGesture, slot, IsEmptySlot(slot));
  if (picked < 0) return;
  HWND button = slotButtons[picked];
  EndDragCursor();
  dragCursor = reinterpret_cast<HICON>(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0));
  SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, 0);  // blank until its icon is refreshed
  // A slot without an icon keeps the arrow: a null cursor would hide the pointer.
  if (dragCursor != nullptr) SetCursor(dragCursor);
}

void OnLeftButtonUp(HWND window) {
  KillTimer(window, PICKUP_TIMER_ID);
  int source = dragGesture.sourceSlot;
  DropResult drop = OnDragRelease(dragGesture, SlotAtCursor(), IsEmptySlot(source));
  EndDragCursor();
  switch (drop.kind) {
    case DropKind::None:
      break;  // a click, if any, follows and its handling restores the icon
    case DropKind::RestoreSource:
      RefreshSlotButton(drop.source);
      break;
    case DropKind::Swap:
      // The source button reports its click after this release: not a click.
      if (drop.swallowNextClick) acceptClick = 0;
      SwapSlots(currentTable, drop.source, drop.target);
      RefreshSlotButton(drop.source);
      RefreshSlotButton(drop.target);
      break;
  }
}

void OnDragCancel(HWND window) {
  KillTimer(window, PICKUP_TIMER_ID);
  DragCancel cancel = OnDragCancel(dragGesture);
  EndDragCursor();
  if (cancel.restoreSlot >= 0) RefreshSlotButton(cancel.restoreSlot);
  if (cancel.wasPressed) acceptClick = 1;
  // A button still holding the capture would turn the coming release into a click.
  if (SlotOfButton(GetCapture()) >= 0) ReleaseCapture();
}

void OnActivate(HWND window, WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) OnDragCancel(window);
}
