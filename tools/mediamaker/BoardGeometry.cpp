#include "tools/mediamaker/BoardGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

double Length(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

double Dot(QPointF a, QPointF b)
{
    return a.x() * b.x() + a.y() * b.y();
}

std::vector<CellPlace> MakeCells()
{
    // Rows from the top: PosY 3, 1, -1, -3 with PosX 2..6, 1..7, 1..7, 2..6. A cell points up
    // when PosX + (PosY + 1) / 2 is even.
    struct Row {
        int posY, firstX, lastX;
    };
    const Row rows[] = {{3, 2, 6}, {1, 1, 7}, {-1, 1, 7}, {-3, 2, 6}};
    std::vector<CellPlace> cells;
    for (const Row& row : rows) {
        const int half = (row.posY + 1) / 2;
        for (int posX = row.firstX; posX <= row.lastX; ++posX) {
            cells.push_back({CellLeft(posX), CellTop(row.posY), (posX + half) % 2 == 0});
        }
    }
    return cells;
}

} // namespace

const std::vector<CellPlace>& BoardCells()
{
    static const std::vector<CellPlace> cells = MakeCells();
    return cells;
}

const std::vector<QPointF>& CellTriangle(bool up)
{
    static const std::vector<QPointF> upward{{PosXStep, 0}, {CellWidth, CellHeight}, {0, CellHeight}};
    static const std::vector<QPointF> downward{{0, 0}, {CellWidth, 0}, {PosXStep, CellHeight}};
    return up ? upward : downward;
}

std::vector<QPointF> BoardHexagon()
{
    // Top and bottom sides from PosX 2 to 6 at PosY 4 and -4, side corners at PosX 0 and 8.
    const auto at = [](double posX, double posY) { return QPointF(FieldX(posX), FieldY(posY)); };
    return {at(2, 4), at(6, 4), at(8, 0), at(6, -4), at(2, -4), at(0, 0)};
}

EdgeDistance PolygonDistance(const std::vector<QPointF>& clockwise, QPointF point)
{
    double nearestPlane = std::numeric_limits<double>::max();
    double nearestSegment = std::numeric_limits<double>::max();
    QPointF planeNormal, segmentNormal;
    for (size_t i = 0; i < clockwise.size(); ++i) {
        const QPointF a = clockwise[i];
        const QPointF b = clockwise[(i + 1) % clockwise.size()];
        const QPointF edge = b - a;
        const double len = Length(edge);
        const QPointF outward(edge.y() / len, -edge.x() / len);
        const double plane = -Dot(point - a, outward);
        if (plane < nearestPlane) {
            nearestPlane = plane;
            planeNormal = outward;
        }
        const double t = std::clamp(Dot(point - a, edge) / (len * len), 0.0, 1.0);
        const double segment = Length(point - (a + edge * t));
        if (segment < nearestSegment) {
            nearestSegment = segment;
            segmentNormal = outward;
        }
    }
    if (nearestPlane >= 0) {
        return {nearestPlane, planeNormal};
    }
    return {-nearestSegment, segmentNormal};
}

int CellAt(QPointF fieldPoint, QPointF* local)
{
    const auto& cells = BoardCells();
    for (size_t i = 0; i < cells.size(); ++i) {
        const QPointF inFrame = fieldPoint - QPointF(cells[i].left, cells[i].top);
        if (inFrame.x() < 0 || inFrame.x() >= CellWidth || inFrame.y() < 0 || inFrame.y() >= CellHeight) {
            continue;
        }
        if (PolygonDistance(CellTriangle(cells[i].up), inFrame).inside >= 0) {
            *local = inFrame;
            return int(i);
        }
    }
    return -1;
}
