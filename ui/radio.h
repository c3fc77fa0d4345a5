#pragma once

#include <windows.h>

// A radio button of choices chooses only what the user chose. An auto radio button is checked before it tells
// of a click: a click with the mouse, Space on it, the arrow keys within its group (the dialog manager clicks
// it). Windows also tells of a click when a radio button that is not checked gets the focus, and the dialog
// gives the focus back to the control that had it when one of its boxes closes and when it is activated: a
// button the program has just unchecked then reports a click that nobody made.
constexpr bool radioChosen(int notification, bool checked) { return notification == BN_CLICKED && checked; }
