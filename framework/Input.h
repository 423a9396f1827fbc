#pragma once
// The state of the keyboard and the mouse, and the system beep.

namespace Keyboard {
// True while a Shift key is held.
bool ShiftKey();
} // namespace Keyboard

namespace System {
// True while the primary mouse button is held.
bool MouseDown();
} // namespace System

void Beep();
