#include "app/window_placement.h"

// C++ division truncates toward zero, as the placement rule wants.
WindowOrigin PlaceWindow(int desktopRight, int desktopBottom, int cursorX, int cursorY,
                         int windowWidth, int windowHeight, bool centreOnCursor) {
  if (centreOnCursor) return {cursorX - windowWidth / 2, cursorY - windowHeight / 2};
  return {(desktopRight - windowWidth) / 2, (desktopBottom - windowHeight) / 2};
}
