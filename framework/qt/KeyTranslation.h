#pragma once
// The key string that a window's KeyDown receives for a key press.

#include "framework/Types.h"

#include <QKeyEvent>

// Arrows Chr(28) to Chr(31) (left, right, up, down), Return 13, Enter 3, Esc 27,
// Backspace 8, Help 5, Delete 127, Home 1, End 4, Page Up 11, Page Down 12, Tab 9;
// a key that types text that text; a key that types a control character (Ctrl with a
// letter) its character as it is without Ctrl; any other key Chr(16). "" only for a bare
// modifier or lock key, which raises no KeyDown.
String KeyStringOf(const QKeyEvent& event);
