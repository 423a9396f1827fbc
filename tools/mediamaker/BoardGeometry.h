#pragma once
// Where the game draws the board: 24 triangular cells of 60 by 52 pixels forming a hexagon.

#include "puzzle/FieldGeometry.h"

#include <QPointF>

#include <vector>

// A cell's frame in the field: its top-left corner and whether the triangle points up.
struct CellPlace {
    int left;
    int top;
    bool up;
};

// The 24 cells, as the field places them.
const std::vector<CellPlace>& BoardCells();

// The corners of a cell's triangle in its own 60 by 52 frame, clockwise on screen.
const std::vector<QPointF>& CellTriangle(bool up);

// The outline of the whole board in the field, clockwise on screen.
std::vector<QPointF> BoardHexagon();

// Signed distance from a convex polygon's outline (positive inside) and the outward normal of
// the nearest edge.
struct EdgeDistance {
    double inside;
    QPointF outward;
};
EdgeDistance PolygonDistance(const std::vector<QPointF>& clockwise, QPointF point);

// The cell under a field point, or -1, and the point in that cell's frame.
int CellAt(QPointF fieldPoint, QPointF* local);
