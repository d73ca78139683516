#pragma once
// Where the launcher window opens: centred on the desktop, or on the mouse
// pointer when the onMouse setting asks for it. The result is deliberately not
// clamped to the screen: a window centred on the pointer may reach past an edge.

struct WindowOrigin {
  int x;
  int y;
};

WindowOrigin PlaceWindow(int desktopRight, int desktopBottom, int cursorX, int cursorY,
                         int windowWidth, int windowHeight, bool centreOnCursor);
