#pragma once
// The three cursors: 32 by 32 with alpha, their hotspot in the text keys "HotspotX"/"HotspotY".

#include <QImage>

// 168: a pointing hand, over an active button.
QImage ButtonCursor();
// 169: an arrow with an empty tile, over the board while no tile is selected.
QImage FieldCursor();
// 170: an arrow carrying an amber tile, over the board while a tile is selected.
QImage SelectCursor();
