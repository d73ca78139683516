#pragma once
// The drag that exchanges two slots, as a state machine over the mouse events:
// press, moves with the left button held, the pick-up timer, and the release.
// The caller supplies what the platform knows (the slot under the pointer,
// whether a slot is empty) and carries out the returned actions.

struct DragGesture {
  int sourceSlot = -1;  // the picked-up slot, -1 while nothing is picked up
  int active = 0;       // 1 once the pointer moved with the left button held, until a
                        // release, a cancel or a move with the button up
  int lastX = 0;        // pointer position of the last left-held move; survives gestures
  int lastY = 0;
};

struct DragMove {
  bool cancelPickUp;  // the pointer left the tolerance: no pick-up this press
  bool runHover;      // the hover selection may follow this move
};

// A move. leftDown: the left button is held; (x, y) the pointer on the screen;
// tolerance: the double-click rectangle's width and height.
DragMove OnDragMove(DragGesture& gesture, bool leftDown, int x, int y, int toleranceX,
                    int toleranceY);

// The pick-up timer fired with slotUnderPointer (-1 for none). Returns the slot
// picked up (its icon becomes the cursor), or -1.
int OnPickUpTimer(DragGesture& gesture, int slotUnderPointer, bool slotIsEmpty);

enum class DropKind {
  None,           // no drop: a click proceeds as usual
  RestoreSource,  // released elsewhere: the source's icon comes back
  Swap,           // exchange source and target (equal when dropped on itself)
};

struct DropResult {
  DropKind kind;
  int source;
  int target;
  bool swallowNextClick;  // dropped on its own button: the click that follows is not one
};

// The release. Every release ends the gesture.
DropResult OnDragRelease(DragGesture& gesture, int slotUnderPointer, bool sourceIsEmpty);

// The press ended without a release the launcher saw: the capture went to another
// window (the user switched programs, a window popped up). Ends the gesture; no drop.
struct DragCancel {
  int restoreSlot;  // the picked-up slot whose icon comes back, -1 for none
  bool wasPressed;  // a gesture was under way: any click swallow left over is stale
};
DragCancel OnDragCancel(DragGesture& gesture);
