#pragma once
// Where the board lies on the 300 by 300 field, in pixels with the origin at the top left and
// y downward. A board position (PosX, PosY) sits at (30 PosX + 30, 150 - 26 PosY): one PosX
// unit is half a cell's width, one PosY unit half a cell's height. The drawing, the mouse
// input and the media maker all place the board through these.

inline constexpr int FieldSize = 300;
inline constexpr int FieldCentre = 150;

// A cell's frame: a triangle's horizontal edge is 60 pixels wide, the triangle 52 high.
inline constexpr int CellWidth = 60;
inline constexpr int CellHeight = 52;
inline constexpr int PosXStep = CellWidth / 2;
inline constexpr int PosYStep = CellHeight / 2;

// The board side of the field is the open disc of radius 135 around the centre; it holds the
// whole board (x 30 to 270, y 46 to 254), and the buttons below it lie outside.
inline constexpr int BoardRadius = 135;
inline constexpr double BoardRadiusSquared = double(BoardRadius) * BoardRadius;

// A board position's field pixel.
constexpr double FieldX(double posX)
{
    return PosXStep * posX + PosXStep;
}
constexpr double FieldY(double posY)
{
    return FieldCentre - PosYStep * posY;
}

// A field pixel's board position, the inverse of FieldX and FieldY.
constexpr double PosXAt(int x)
{
    return (x - PosXStep) / double(PosXStep);
}
constexpr double PosYAt(int y)
{
    return (FieldCentre - y) / double(PosYStep);
}

// The top left corner of the frame of the cell at (PosX, PosY); PosY is odd, the middle of
// the cell's row, and rows are a cell high.
constexpr int CellLeft(int posX)
{
    return posX * PosXStep;
}
constexpr int CellTop(int posY)
{
    return FieldCentre - ((posY + 1) / 2) * CellHeight;
}

// Inside the board's disc; the circle itself belongs to the buttons' side.
constexpr bool IsBoardSide(int x, int y)
{
    const double dx = x - FieldCentre;
    const double dy = y - FieldCentre;
    return dx * dx + dy * dy < BoardRadiusSquared;
}
