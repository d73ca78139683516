#pragma once
#include <windows.h>

// Keyboard, hover and context-menu handling of the main window.
// keyData: the key message's lParam (repeat count, scan code, flags).
void OnKeyDown(HWND window, WPARAM key, LPARAM keyData);
void MoveSelection(WPARAM key, HWND window);
void OnMouseMove(HWND window, WPARAM keys, LPARAM position);
void OnContextMenu(HWND window, HWND clicked, LPARAM position);
