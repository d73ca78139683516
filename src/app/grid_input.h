#pragma once
#include <windows.h>

// Keyboard, hover and context-menu handling of the main window.
// keyData: the key message's lParam (repeat count, scan code, flags).
void OnKeyDown(HWND window, WPARAM key, LPARAM keyData);
void MoveSelection(WPARAM key, HWND window);
void OnMouseMove(HWND window, WPARAM keys, LPARAM position);
void OnContextMenu(HWND window, HWND clicked, LPARAM position);
// A window opening or closing under a resting pointer makes the system send a move
// for that very position, which must not select the button there: at start-up, and
// when a dialog that lay over the grid closes.
void IgnoreRestingPointer();
