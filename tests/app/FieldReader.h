#pragma once
// Reads the game field's board from what the field shows: each cell's 18 by 18 digit square
// compared with the glyphs of TilePict.

#include <QImage>

#include <array>
#include <optional>
#include <utility>
#include <vector>

class FieldReader {
public:
    static constexpr int CellCount = 24;
    // Per cell in sequence order: its digit, or -1 for an empty cell.
    using Board = std::array<int, CellCount>;

    FieldReader();

    Board Read(const QImage& field) const;

    // The centre of cell s in field pixels.
    static QPoint Centre(int s);
    // The cells across the edges of cell s.
    static std::vector<int> Neighbours(int s);
    // The first legal move by the rule, as (pressed cell, target cell).
    static std::optional<std::pair<int, int>> FirstLegalMove(const Board& board);
    // The board after the legal move of a onto b.
    static Board AfterMove(const Board& board, int a, int b);

private:
    std::array<QImage, 10> itsGlyphs;
};
