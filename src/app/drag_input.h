#pragma once
#include <windows.h>

// Holding a button still for half a second picks its slot up (its icon becomes
// the pointer); releasing over another button exchanges the two slots.
constexpr UINT_PTR PICKUP_TIMER_ID = 1;
constexpr UINT PICKUP_DELAY_MS = 500;

void OnLeftButtonDown(HWND window);
// The slot picked up and carried as the pointer, or -1.
int PickedUpSlot();
// The drag's part of a mouse move; false when the hover selection must not follow.
bool OnDragMouseMove(HWND window, WPARAM keys);
void OnTimer(HWND window, WPARAM timerId);
void OnLeftButtonUp(HWND window);
// The capture went elsewhere before the release (another window took over): the
// gesture ends as if never begun, and the next click is an ordinary one.
void OnDragCancel(HWND window);
// Losing the activation ends a gesture too: the release will go to another program.
void OnActivate(HWND window, WPARAM state);
