#pragma once
// The game's cursors, asked for by number from the application's resource fork; a cursor that
// is not there is asked for again at every call.

#include "framework/Types.h"

class MouseCursor;

// 168: over an active picture button.
std::shared_ptr<MouseCursor> ButtonCursor();
// 169: over the board while no tile is selected.
std::shared_ptr<MouseCursor> FieldCursor();
// 170: over the board while a tile is selected.
std::shared_ptr<MouseCursor> SelectCursor();
