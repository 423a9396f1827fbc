#pragma once
// The pictures of the game field: background, tiles, digits, banners and end pictures.

#include <QImage>

// BackPict: the 300 by 300 field with the board's empty cells.
QImage BackPicture();

// TrianglePict / TriangleHiPict: 60 by 104, the down-pointing tile at y 0, the up-pointing one
// at y 52; pure white around the tile.
QImage TrianglePicture(bool highlighted);

// TilePict: 180 by 18, the digit v as an 18 by 18 glyph at x = 18 v on the tile's face colour.
QImage TilePicture();

// EndPict: 100 by 80, one 20-high banner per end status (0 none, 1 complete, 2 dead end,
// 3 aborted), each on the background it is drawn over.
QImage EndPicture(const QImage& back);

// CompletePict / DeadEndPict: plaques shown centred on the field, pure white outside them.
QImage CompletePicture(const QImage& back);
QImage DeadEndPicture(const QImage& back);
