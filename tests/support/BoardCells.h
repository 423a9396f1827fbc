#pragma once
// The game board's 24 cells as the tests know them, independent of the table that makes them.

#include "framework/Types.h"

#include <utility>

struct CellRow {
    Int32 s, x, y, z;
    bool up;
    Int32 posX, posY;
    Int32 next[3];
};

// The hexagonal board of Constructor(4, 4, 4, -4).
inline constexpr CellRow BoardCells[] = {
    {0, 0, 0, 0, false, 1, -1, {1, 6, -1}},    {1, 0, 0, 1, true, 1, 1, {0, -1, 2}},
    {2, 0, 1, 0, false, 2, 1, {3, 8, 1}},      {3, 0, 1, 1, true, 2, 3, {2, -1, 4}},
    {4, 0, 2, 0, false, 3, 3, {-1, 10, 3}},    {5, 1, 0, 0, false, 2, -3, {6, 12, -1}},
    {6, 1, 0, 1, true, 2, -1, {5, 0, 7}},      {7, 1, 1, 0, false, 3, -1, {8, 14, 6}},
    {8, 1, 1, 1, true, 3, 1, {7, 2, 9}},       {9, 1, 2, 0, false, 4, 1, {10, 16, 8}},
    {10, 1, 2, 1, true, 4, 3, {9, 4, 11}},     {11, 1, 3, 0, false, 5, 3, {-1, 18, 10}},
    {12, 2, 0, 1, true, 3, -3, {-1, 5, 13}},   {13, 2, 1, 0, false, 4, -3, {14, 19, 12}},
    {14, 2, 1, 1, true, 4, -1, {13, 7, 15}},   {15, 2, 2, 0, false, 5, -1, {16, 21, 14}},
    {16, 2, 2, 1, true, 5, 1, {15, 9, 17}},    {17, 2, 3, 0, false, 6, 1, {18, 23, 16}},
    {18, 2, 3, 1, true, 6, 3, {17, 11, -1}},   {19, 3, 1, 1, true, 5, -3, {-1, 13, 20}},
    {20, 3, 2, 0, false, 6, -3, {21, -1, 19}}, {21, 3, 2, 1, true, 6, -1, {20, 15, 22}},
    {22, 3, 3, 0, false, 7, -1, {23, -1, 21}}, {23, 3, 3, 1, true, 7, 1, {22, 17, -1}},
};

// The point that selects cell s: its position (PosX, PosY) in field pixels.
inline std::pair<Int32, Int32> CellCentre(Int32 s)
{
    const CellRow& cell = BoardCells[s];
    return {30 * cell.posX + 30, 150 - 26 * cell.posY};
}
