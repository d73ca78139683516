// The drag that exchanges two slots: tolerance, hover, pick-up and drop.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "editing/drag_gesture.h"

namespace {

const int kTolerance = 4;  // the double-click rectangle, both ways

DragMove MoveHeld(DragGesture& g, int x, int y) {
  return OnDragMove(g, true, x, y, kTolerance, kTolerance);
}

TEST(DragGesture, PickUpAndReleaseDecideTheDrop) {
  enum Moved { kNotMoved, kMovedAfterPickUp, kMovedBeforePickUp };
  enum Content { kFull, kEmptyAtPickUp, kEmptiedWhileHeld };
  struct Case {
    const char* name;
    int pickUpOver;  // slot under the pointer when the timer fires, -1 none
    Content content;
    Moved moved;
    int releaseOver;
    DropKind kind;
    int source;  // also what the pick-up returns
    bool swallow;
  };
  const Case cases[] = {
      {"nothing picked up", -1, kFull, kMovedAfterPickUp, 7, DropKind::None, -1, false},
      {"an empty slot is not picked up", 4, kEmptyAtPickUp, kMovedAfterPickUp, 7, DropKind::None,
       -1, false},
      {"picked up, not moved", 4, kFull, kNotMoved, 4, DropKind::None, 4, false},
      {"emptied while held", 4, kEmptiedWhileHeld, kMovedAfterPickUp, 7, DropKind::None, 4, false},
      {"over another button", 4, kFull, kMovedAfterPickUp, 7, DropKind::Swap, 4, false},
      {"over the source", 11, kFull, kMovedAfterPickUp, 11, DropKind::Swap, 11, true},
      {"elsewhere", 4, kFull, kMovedAfterPickUp, -1, DropKind::RestoreSource, 4, false},
      {"moved only before the pick-up", 4, kFull, kMovedBeforePickUp, 4, DropKind::Swap, 4, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DragGesture g;
    g.sourceSlot = 9;  // stale: the pick-up alone decides
    if (c.moved == kMovedBeforePickUp) MoveHeld(g, 1, 1);
    EXPECT_EQ(OnPickUpTimer(g, c.pickUpOver, c.content == kEmptyAtPickUp), c.source);
    EXPECT_EQ(g.sourceSlot, c.source);
    if (c.moved == kMovedAfterPickUp) MoveHeld(g, 1, 1);
    DropResult drop = OnDragRelease(g, c.releaseOver, c.content == kEmptiedWhileHeld);
    EXPECT_EQ(drop.kind, c.kind);
    EXPECT_EQ(drop.source, c.source);
    if (drop.kind != DropKind::None) {
      EXPECT_EQ(drop.target, c.releaseOver);
    }
    EXPECT_EQ(drop.swallowNextClick, c.swallow);
    EXPECT_EQ(g.sourceSlot, -1);
    EXPECT_EQ(g.active, 0);
  }
}

TEST(DragGesture, ACancelEndsTheGestureWithoutADrop) {
  struct Case {
    const char* name;
    bool pickUp, moved;
    int restore;
    bool wasPressed;
  };
  const Case cases[] = {
      {"picked up and moved", true, true, 4, true},
      {"moved, nothing picked up", false, true, -1, true},
      {"nothing under way", false, false, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DragGesture g;
    if (c.pickUp) OnPickUpTimer(g, 4, false);
    if (c.moved) MoveHeld(g, 1, 1);
    DragCancel cancel = OnDragCancel(g);
    EXPECT_EQ(cancel.restoreSlot, c.restore);
    EXPECT_EQ(cancel.wasPressed, c.wasPressed);
    EXPECT_EQ(OnDragRelease(g, 7, false).kind, DropKind::None) << "a later release drops nothing";
  }
}

TEST(DragGesture, ToleranceCountsFromThePreviousHeldMove) {
  struct Step {
    char event;  // 'L' left-held move, 'U' move without the button, 'R' release
    int x, y;
    bool cancel;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"first move far from (0, 0)", {{'L', 50, 2, true}}},
      {"first move within (0, 0), equal counts", {{'L', 4, -4, false}}},
      {"one past in x, then in y", {{'L', 5, 0, true}, {'L', 5, 5, true}}},
      {"small steps add up", {{'L', 4, 4, false}, {'L', 8, 8, false}, {'L', 12, 12, false}}},
      {"the point survives a release", {{'L', 200, 300, true}, {'R'}, {'L', 203, 297, false}}},
      {"a new press far from it", {{'L', 200, 300, true}, {'R'}, {'L', 2, 2, true}}},
      {"moves without the button leave the point", {{'U', 900, 900, false}, {'L', 3, 3, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DragGesture g;
    for (const Step& s : c.steps) {
      if (s.event == 'R') {
        OnDragRelease(g, -1, false);
        continue;
      }
      EXPECT_EQ(OnDragMove(g, s.event == 'L', s.x, s.y, kTolerance, kTolerance).cancelPickUp,
                s.cancel)
          << s.x << "," << s.y;
    }
  }
}

TEST(DragGesture, HoverPausesOnlyWhileMovingWithNothingPickedUp) {
  // Events: 'L' left-held move, 'U' move without the button, 'P' pick-up of
  // slot 2, 'E' pick-up over an empty slot, 'R' release. hover: one per move.
  struct Case {
    const char* name;
    const char* events;
    const char* hover;
  };
  const Case cases[] = {
      {"plain press: the first held move only", "LLL", "ynn"},
      {"a picked-up slot drags the highlight along", "PLL", "yy"},
      {"moved before the pick-up, then picked up", "LLPL", "yny"},
      {"an empty slot is no pick-up", "ELL", "yn"},
      {"moves without the button", "UU", "yy"},
      {"hover returns after the release", "LLRUL", "ynyy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DragGesture g;
    const char* expected = c.hover;
    for (const char* e = c.events; *e != 0; ++e) {
      if (*e == 'P' || *e == 'E') OnPickUpTimer(g, 2, *e == 'E');
      if (*e == 'R') OnDragRelease(g, -1, false);
      if (*e != 'L' && *e != 'U') continue;
      ASSERT_NE(*expected, 0);
      EXPECT_EQ(OnDragMove(g, *e == 'L', 0, 0, kTolerance, kTolerance).runHover, *expected++ == 'y')
          << "move " << (expected - c.hover);
    }
  }
}

TEST(DragGesture, RandomEventsKeepTheStateValid) {
  std::mt19937 random(20240611u);
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  DragGesture g;
  for (int step = 0; step < 5000; ++step) {
    const int event = pick(0, 2), held = g.sourceSlot;
    if (event == 0)
      OnDragMove(g, pick(0, 1) == 1, pick(-9, 9), pick(-9, 9), kTolerance, kTolerance);
    if (event == 1) OnPickUpTimer(g, pick(-1, 11), pick(0, 3) == 0);
    if (event == 2) {
      DropResult drop = OnDragRelease(g, pick(-1, 11), pick(0, 5) == 0);
      ASSERT_EQ(drop.source, held) << step;
      ASSERT_TRUE(held != -1 || drop.kind == DropKind::None) << step;
      ASSERT_TRUE(g.sourceSlot == -1 && g.active == 0) << step;
    }
    ASSERT_TRUE(g.sourceSlot >= -1 && g.sourceSlot <= 11) << step;
    ASSERT_TRUE(g.active == 0 || g.active == 1) << step;
  }
}

}  // namespace
