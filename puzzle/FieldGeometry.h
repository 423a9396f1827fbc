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

// TilePict's 18 by 18 digit glyphs, placed in the middle of the wide half of a cell's triangle.
inline constexpr int DigitSize = 18;
inline constexpr int DigitLeft = (CellWidth - DigitSize) / 2;
inline constexpr int DigitTopUp = 26;
inline constexpr int DigitTopDown = 8;

// The picture buttons below the board: two groups of two keys, start and retry on the left,
// undo and redo on the right, each group 60 by 30.
inline constexpr int ButtonGroupWidth = 60;
inline constexpr int ButtonGroupHeight = 30;
inline constexpr int ButtonRowTop = 262;
inline constexpr int StartGroupLeft = 8;
inline constexpr int UndoGroupLeft = 232;

// The end status banner between the two groups: one 100 by 20 row of EndPict per status.
inline constexpr int BannerLeft = 100;
inline constexpr int BannerTop = 260;
inline constexpr int BannerWidth = 100;
inline constexpr int BannerHeight = 20;

// The green disc that dims the board behind the dead end picture.
inline constexpr int DeadEndDiscDiameter = 250;

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
