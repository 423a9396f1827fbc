#pragma once
// Reads the game field's board from what the field shows: each cell's 18 by 18 digit square
// compared with the glyphs of TilePict.

#include "tests/support/Boards.h"

#include <QImage>
#include <QPoint>

#include <array>

class FieldReader {
public:
    FieldReader();

    Board Read(const QImage& field) const;

    // The centre of cell s in field pixels.
    static QPoint Centre(Int32 s);

private:
    std::array<QImage, 10> itsGlyphs;
};
