#pragma once
// The key string that a window's KeyDown receives for a key press.

#include "framework/Types.h"

#include <QKeyEvent>

// Arrows Chr(28) to Chr(31) (left, right, up, down), Return 13, Enter 3, Esc 27,
// Backspace 8, Help 5, Delete 127, Home 1, End 4, Page Up 11, Page Down 12, Tab 9;
// a printable key its text. "" for a key that raises no KeyDown (a bare modifier, or a
// combination that types no printable text).
String KeyStringOf(const QKeyEvent& event);
