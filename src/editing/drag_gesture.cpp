#include "editing/drag_gesture.h"

// Wider than int so that no pair of screen coordinates overflows the difference.
static long long Distance(int a, int b) {
  long long d = static_cast<long long>(a) - b;
  return d < 0 ? -d : d;
}

DragMove OnDragMove(DragGesture& gesture, bool leftDown, int x, int y, int toleranceX,
                    int toleranceY) {
  DragMove move = {false, true};
  if (leftDown) {
    // Measured from the previous left-held move, not from the press: a press far
    // from where the last gesture ended loses its pick-up at the first move.
    move.cancelPickUp =
        Distance(x, gesture.lastX) > toleranceX || Distance(y, gesture.lastY) > toleranceY;
    gesture.lastX = x;
    gesture.lastY = y;
  }
  // A move with the button up after a plain press: the press ended where the
  // launcher could not see its release (it began on the status bar and was let go
  // outside the window). It no longer holds the hover back.
  if (!leftDown && gesture.sourceSlot == -1) gesture.active = 0;
  if (gesture.sourceSlot == -1 && gesture.active == 1) {
    // A plain press being dragged around must not drag the highlight along.
    move.runHover = false;
    return move;
  }
  if (leftDown) gesture.active = 1;
  return move;
}

int OnPickUpTimer(DragGesture& gesture, int slotUnderPointer, bool slotIsEmpty) {
  // The slot under the pointer now, not the pressed one: with the capture held
  // the two can differ.
  if (slotUnderPointer == -1 || slotIsEmpty) {
    gesture.sourceSlot = -1;
    return -1;
  }
  gesture.sourceSlot = slotUnderPointer;
  return slotUnderPointer;
}

DropResult OnDragRelease(DragGesture& gesture, int slotUnderPointer, bool sourceIsEmpty) {
  DropResult result = {DropKind::None, gesture.sourceSlot, slotUnderPointer, false};
  // Nothing held, emptied meanwhile, or picked up but never moved: no drop, and
  // the button's own click goes ahead.
  if (gesture.sourceSlot != -1 && !sourceIsEmpty && gesture.active != 0) {
    if (slotUnderPointer == -1) {
      result.kind = DropKind::RestoreSource;
    } else {
      result.kind = DropKind::Swap;
      // The source button reports its click after this release; it is not a click.
      result.swallowNextClick = slotUnderPointer == gesture.sourceSlot;
    }
  }
  gesture.sourceSlot = -1;
  gesture.active = 0;
  return result;
}

DragCancel OnDragCancel(DragGesture& gesture) {
  DragCancel cancel = {gesture.sourceSlot, gesture.sourceSlot != -1 || gesture.active != 0};
  gesture.sourceSlot = -1;
  gesture.active = 0;
  return cancel;
}
