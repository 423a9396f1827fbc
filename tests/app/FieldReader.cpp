#include "FieldReader.h"

#include <cstdlib>

namespace {

struct Cell {
    int posX;
    int posY;
    bool up;
};

// The hexagon of the game board: rhombi X, Y from 0 to 3, each cut into a down (Z 0) and an up
// (Z 1) triangle, kept where the row lies strictly between -4 and 4.
std::vector<Cell> BoardCells()
{
    std::vector<Cell> cells;
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            for (int z = 0; z < 2; ++z) {
                const int posY = 2 * (y - x) - 1 + 2 * z;
                if (-4 < posY && posY < 4) {
                    cells.push_back({x + y + 1, posY, z == 1});
                }
            }
        }
    }
    return cells;
}

const std::vector<Cell>& Cells()
{
    static const std::vector<Cell> cells = BoardCells();
    return cells;
}

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

}  // namespace

FieldReader::FieldReader()
{
    const QImage tiles(QString(KALMENO_TEST_RESOURCES) + "/TilePict.png");
    for (int v = 0; v < 10; ++v) {
        itsGlyphs[v] = tiles.copy(18 * v, 0, 18, 18).convertToFormat(QImage::Format_RGB32);
    }
}

FieldReader::Board FieldReader::Read(const QImage& field) const
{
    const QImage rgb = field.convertToFormat(QImage::Format_RGB32);
    Board board{};
    for (int s = 0; s < CellCount; ++s) {
        const Cell& c = Cells()[s];
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
        board[s] = bestScore < 12 ? best : -1;
    }
    return board;
}

QPoint FieldReader::Centre(int s)
{
    return {30 * Cells()[s].posX + 30, 150 - 26 * Cells()[s].posY};
}

std::vector<int> FieldReader::Neighbours(int s)
{
    const Cell& c = Cells()[s];
    std::vector<int> found;
    for (int t = 0; t < CellCount; ++t) {
        const Cell& d = Cells()[t];
        const bool across = d.posX == c.posX && d.posY == (c.up ? c.posY - 2 : c.posY + 2);
        const bool beside = std::abs(d.posX - c.posX) == 1 && d.posY == c.posY;
        if (d.up != c.up && (across || beside)) {
            found.push_back(t);
        }
    }
    return found;
}

std::optional<std::pair<int, int>> FieldReader::FirstLegalMove(const Board& board)
{
    for (int a = 0; a < CellCount; ++a) {
        for (int b : Neighbours(a)) {
            if (board[a] >= 0 && board[b] >= 0 && std::abs(board[a] - board[b]) <= 1) {
                return std::make_pair(a, b);
            }
        }
    }
    return std::nullopt;
}

FieldReader::Board FieldReader::AfterMove(const Board& board, int a, int b)
{
    Board after = board;
    const int sum = (board[a] + board[b]) % 10;
    after[a] = -1;
    after[b] = sum == 0 ? -1 : sum;
    return after;
}
