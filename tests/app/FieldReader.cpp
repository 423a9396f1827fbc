#include "FieldReader.h"

#include "tests/support/BoardCells.h"

#include <cstdlib>

namespace {

int Difference(const QImage& a, const QImage& b)
{
    int sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (a.width() * a.height() * 3);
}

} // namespace

FieldReader::FieldReader()
{
    const QImage tiles(QString(KALMENO_TEST_RESOURCES) + "/TilePict.png");
    for (int v = 0; v < 10; ++v) {
        itsGlyphs[v] = tiles.copy(18 * v, 0, 18, 18).convertToFormat(QImage::Format_RGB32);
    }
}

Board FieldReader::Read(const QImage& field) const
{
    const QImage rgb = field.convertToFormat(QImage::Format_RGB32);
    Board board{};
    for (const CellRow& c : BoardCells) {
        const int top = 150 - ((c.posY + 1) / 2) * 52;
        const QImage square = rgb.copy(30 * c.posX + 21, top + (c.up ? 26 : 8), 18, 18);
        int best = 0;
        int bestScore = 1 << 30;
        for (int v = 0; v < 10; ++v) {
            if (const int score = Difference(square, itsGlyphs[v]); score < bestScore) {
                best = v;
                bestScore = score;
            }
        }
        board[c.s] = bestScore < 12 ? best : -1;
    }
    return board;
}

QPoint FieldReader::Centre(Int32 s)
{
    const auto [x, y] = CellCentre(s);
    return {x, y};
}
