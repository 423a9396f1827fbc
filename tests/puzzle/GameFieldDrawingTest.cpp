// What the field paints into its off-screen picture, read back pixel by pixel and compared
// with the media it is made of.

#include "components/media/Pictures.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"
#include "tests/puzzle/FieldWindowTest.h"
#include "tests/support/BoardCells.h"

#include <cstdlib>

namespace {

constexpr Int32 Ready = 1, Ending = 7;

Color PixelOf(const std::shared_ptr<Picture>& picture, Int32 x, Int32 y)
{
    return picture->Graphics()->Pixel(x, y);
}

bool IsWhite(Color c)
{
    return c == Color(255, 255, 255);
}

// The top-left corner of the 60 by 52 box of cell s.
std::pair<Int32, Int32> CellBox(Int32 s)
{
    const CellRow& cell = BoardCells[s];
    return {30 * cell.posX, 150 - ((cell.posY + 1) / 2) * 52};
}

// Points of cell s's triangle that no other cell's triangle covers, as offsets in its box:
// well inside, away from the digit, and on the rim of the horizontal edge, where the
// highlighted look differs.
std::pair<Int32, Int32> TriangleInside(Int32 s)
{
    return BoardCells[s].up ? std::pair{30, 15} : std::pair{30, 36};
}

std::pair<Int32, Int32> TriangleRim(Int32 s)
{
    return BoardCells[s].up ? std::pair{30, 48} : std::pair{30, 2};
}

// The field picture `shown` has the triangle of cell s in the look of `strip`.
void ExpectTriangleShown(const std::shared_ptr<Picture>& shown, Int32 s, const std::shared_ptr<Picture>& strip)
{
    const auto [left, top] = CellBox(s);
    for (const auto& [dx, dy] : {TriangleInside(s), TriangleRim(s)}) {
        const Color expected = PixelOf(strip, dx, dy + (BoardCells[s].up ? 52 : 0));
        ASSERT_FALSE(IsWhite(expected));
        EXPECT_EQ(PixelOf(shown, left + dx, top + dy), expected) << "cell " << s << " at " << dx << "," << dy;
    }
}

class GameFieldDrawing : public FieldTest {
protected:
    // The off-screen picture shows the region of `source` at (sx, sy) at field (x, y).
    void ExpectRegion(Int32 x, Int32 y, Int32 w, Int32 h, const std::shared_ptr<Picture>& source, Int32 sx,
                      Int32 sy)
    {
        Int32 wrong = 0;
        for (Int32 dy = 0; dy < h; ++dy) {
            for (Int32 dx = 0; dx < w; ++dx) {
                wrong += PixelAt(x + dx, y + dy) != PixelOf(source, sx + dx, sy + dy);
            }
        }
        EXPECT_EQ(wrong, 0) << "region at " << x << "," << y;
    }

    void ExpectTriangle(Int32 s, const std::shared_ptr<Picture>& strip)
    {
        ExpectTriangleShown(field->Offscreen(), s, strip);
    }

    void ExpectDigit(Int32 s, Int32 value)
    {
        const auto [left, top] = CellBox(s);
        ExpectRegion(left + 21, top + (BoardCells[s].up ? 26 : 8), 18, 18, TilePict(), value * 18, 0);
    }

    // An empty cell shows the background at its triangle and digit.
    void ExpectEmpty(Int32 s)
    {
        const auto [left, top] = CellBox(s);
        const auto [dx, dy] = TriangleInside(s);
        EXPECT_EQ(PixelAt(left + dx, top + dy), PixelOf(BackPict(), left + dx, top + dy)) << "cell " << s;
        ExpectRegion(left + 21, top + (BoardCells[s].up ? 26 : 8), 18, 18, BackPict(), left + 21,
                     top + (BoardCells[s].up ? 26 : 8));
    }

    void EndTheGame(const Board& board, BoardMove last)
    {
        StartFirstGame();
        field->ReplacePosition(board);
        PlayMove(last);
        ASSERT_EQ(field->Phase(), Ending);
    }

    // Whether the field shows the middle pixel of an end picture drawn centred on it.
    bool ShowsCentred(const std::shared_ptr<Picture>& pic) const
    {
        const Int32 cx = pic->Width() / 2;
        const Int32 cy = pic->Height() / 2;
        return PixelAt((300 - pic->Width()) / 2 + cx, (300 - pic->Height()) / 2 + cy) == PixelOf(pic, cx, cy);
    }

    void ExpectBanner(Int32 row)
    {
        if (row < 0) {
            ExpectRegion(100, 260, 100, 20, BackPict(), 100, 260);
        } else {
            ExpectRegion(100, 260, 100, 20, EndPict(), 0, row * 20);
        }
    }
};

TEST_F(GameFieldDrawing, TheFirstPictureIsTheBackgroundWithTheTwoButtonBases)
{
    EXPECT_EQ(field->PaintCount(), 1) << "painted once, when the picture was made";
    ExpectRegion(0, 0, 300, 262, BackPict(), 0, 0);
    ExpectRegion(0, 292, 300, 8, BackPict(), 0, 292);
    ExpectRegion(8, 262, 60, 30, StartBtnPictB(), 0, 0);
    ExpectRegion(232, 262, 60, 30, UndoBtnPictB(), 0, 0);
    ExpectRegion(68, 262, 164, 30, BackPict(), 68, 262);
}

TEST_F(GameFieldDrawing, EveryTileShowsItsTriangleAndItsDigitInTheWideHalf)
{
    StartFirstGame();
    Board board;
    for (Int32 s = 0; s < 24; ++s) {
        board[s] = (s * 7) % 10;
    }
    field->ReplacePosition(board);
    field->PaintOffscreen();
    for (Int32 s = 0; s < 24; ++s) {
        ExpectTriangle(s, TrianglePict());
        ExpectDigit(s, board[s]);
    }
}

TEST_F(GameFieldDrawing, AnEmptyCellShowsTheBackground)
{
    StartFirstGame();
    const Board board = BoardOf({{0, 4}, {1, 5}, {5, 2}, {6, 2}});
    field->ReplacePosition(board);
    PlayMove({0, 1});
    ExpectEmpty(0);
    ExpectDigit(1, 9);
    for (Int32 s = 2; s < 24; ++s) {
        if (board[s] < 0) {
            ExpectEmpty(s);
        }
    }
}

TEST_F(GameFieldDrawing, TheSelectedTileIsHighlightedWhateverThePointerDoes)
{
    StartFirstGame();
    const auto [x, y] = CellCentre(7);
    ASSERT_TRUE(field->MouseClick(x, y));
    field->PaintOffscreen();
    ExpectTriangle(7, TriangleHiPict());
    ExpectTriangle(8, TrianglePict());
    ExpectTriangle(14, TrianglePict());
    const auto [dx, dy] = TriangleRim(7);
    EXPECT_NE(PixelOf(TriangleHiPict(), dx, dy), PixelOf(TrianglePict(), dx, dy)) << "the two looks differ there";
}

TEST_F(GameFieldDrawing, TheBannerOfADeadEndStaysInTheReadyPhase)
{
    EndTheGame(BoardOf({{0, 4}, {1, 5}, {20, 1}}), {0, 1});
    ExpectBanner(-1);
    TicksWhile(Ending);
    ASSERT_EQ(field->Phase(), Ready);
    ExpectBanner(2);
    Ticks(20);
    ExpectBanner(2);
    field->GameStart();
    Tick();
    Tick();
    ExpectBanner(-1);
}

TEST_F(GameFieldDrawing, AnAbortHasItsOwnBannerAndACompleteGameNone)
{
    StartFirstGame();
    field->GameAbort();
    TicksWhile(3);
    TicksWhile(Ending);
    ExpectBanner(3);

    field->GameStart();
    Ticks(3);
    field->ReplacePosition(BoardOf({{0, 5}, {1, 5}}));
    PlayMove({0, 1});
    TicksWhile(Ending);
    ASSERT_EQ(field->EndStatus(), 1);
    ExpectBanner(-1);
}

TEST_F(GameFieldDrawing, ADeadEndLaysAGreenDiscUnderItsPicture)
{
    EndTheGame(BoardOf({{0, 4}, {1, 5}, {20, 1}}), {0, 1});
    const Color before = PixelAt(150, 35);
    Ticks(2);
    EXPECT_EQ(PixelAt(150, 35), before) << "not before the third tick";
    Tick();

    // 40 % green over the background inside the disc; the corners untouched.
    const Color back = PixelOf(BackPict(), 150, 35);
    const Color disc = PixelAt(150, 35);
    EXPECT_LE(std::abs(disc.Red - 0.6 * back.Red), 1.0);
    EXPECT_LE(std::abs(disc.Green - (0.6 * back.Green + 0.4 * 153)), 1.0);
    EXPECT_LE(std::abs(disc.Blue - 0.6 * back.Blue), 1.0);
    EXPECT_EQ(PixelAt(3, 3), PixelOf(BackPict(), 3, 3));
    EXPECT_EQ(PixelAt(296, 296), PixelOf(BackPict(), 296, 296));
    EXPECT_EQ(PixelAt(150, 22), PixelOf(BackPict(), 150, 22)) << "outside the disc's edge";

    // The picture over the disc, at full opacity, centred.
    EXPECT_TRUE(ShowsCentred(DeadEndPict()));

    // After the fade the disc stays to the end of the phase.
    Ticks(20);
    ASSERT_EQ(field->SubPhase(), 23);
    EXPECT_EQ(PixelAt(150, 35), disc);
    EXPECT_FALSE(ShowsCentred(DeadEndPict()));
    Tick();
    EXPECT_EQ(PixelAt(150, 35), back);
}

TEST_F(GameFieldDrawing, ACompleteGameShowsItsPictureCentredWithoutTheDisc)
{
    EndTheGame(BoardOf({{0, 5}, {1, 5}}), {0, 1});
    Ticks(2);
    EXPECT_FALSE(ShowsCentred(CompletePict()));
    Tick();
    EXPECT_TRUE(ShowsCentred(CompletePict()));
    EXPECT_EQ(PixelAt(150, 35), PixelOf(BackPict(), 150, 35));
}

TEST_F(GameFieldDrawing, TheButtonsShowWhatTheGameOffers)
{
    const auto face = [](const std::shared_ptr<Picture>& pic) { return PixelOf(pic, 15, 15); };
    const auto rightFace = [](const std::shared_ptr<Picture>& pic) { return PixelOf(pic, 45, 15); };
    ASSERT_NE(face(StartBtnPictN()), face(StartBtnPictB()));
    ASSERT_NE(rightFace(RetryBtnPictN()), rightFace(StartBtnPictB()));
    ASSERT_NE(face(UndoBtnPictN()), face(UndoBtnPictB()));
    ASSERT_NE(rightFace(RedoBtnPictN()), rightFace(UndoBtnPictB()));

    Ticks(3);
    EXPECT_EQ(PixelAt(23, 277), face(StartBtnPictN())) << "start offered";
    EXPECT_EQ(PixelAt(53, 277), rightFace(StartBtnPictB())) << "nothing to retry";
    Ticks(3);
    EXPECT_EQ(PixelAt(23, 277), face(StartBtnPictB()));
    EXPECT_EQ(PixelAt(247, 277), face(UndoBtnPictB()));

    const auto moves = SolveBoard(ZeroDrawBoard());
    PlayMove((*moves)[0]);
    PlayMove((*moves)[1]);
    EXPECT_EQ(PixelAt(247, 277), face(UndoBtnPictN()));
    EXPECT_EQ(PixelAt(277, 277), rightFace(UndoBtnPictB()));
    field->GameUndo();
    field->PaintOffscreen();
    EXPECT_EQ(PixelAt(277, 277), rightFace(RedoBtnPictN())) << "updated at once";
    field->GameUndo();
    field->PaintOffscreen();
    EXPECT_EQ(PixelAt(247, 277), face(UndoBtnPictB())) << "nothing left to undo";
    field->GameRedo();
    field->GameRedo();
    field->PaintOffscreen();
    EXPECT_EQ(PixelAt(247, 277), face(UndoBtnPictN()));
    EXPECT_EQ(PixelAt(277, 277), rightFace(UndoBtnPictB())) << "nothing left to redo, at once";

    field->GameAbort();
    TicksWhile(3);
    TicksWhile(Ending);
    EXPECT_EQ(PixelAt(23, 277), face(StartBtnPictN()));
    EXPECT_EQ(PixelAt(53, 277), rightFace(RetryBtnPictN()));
    EXPECT_EQ(PixelAt(247, 277), face(UndoBtnPictB()));
}

// The pointer's part in the highlight needs a window.
class GameFieldHover : public FieldWindowTest {
protected:
    void ExpectLook(Int32 s, bool highlighted)
    {
        ExpectTriangleShown(field->Offscreen(), s, highlighted ? TriangleHiPict() : TrianglePict());
    }
};

TEST_F(GameFieldHover, ANeighbourUnderThePointerIsHighlightedWhenTheMoveIsLegal)
{
    StartFirstGame();
    // Cell 7's neighbours are 8, 14 and 6; 0 is not one.
    field->ReplacePosition(BoardOf({{7, 9}, {8, 8}, {14, 1}, {6, 9}, {0, 9}, {22, 9}}));
    Tick();
    PointAt(CellCentre(8).first, CellCentre(8).second);
    ASSERT_EQ(field->GetMouseLocalX(), CellCentre(8).first);
    ASSERT_EQ(field->GetMouseLocalY(), CellCentre(8).second);
    Tick();
    ExpectLook(8, false); // nothing selected

    PressOn(7);
    for (const Int32 s : {8, 6}) {
        PointAt(CellCentre(s).first, CellCentre(s).second);
        Tick();
        ExpectLook(7, true);
        ExpectLook(s, true);
    }
    // 1 next to 9 is no move; 0 is no neighbour.
    for (const Int32 s : {14, 0}) {
        PointAt(CellCentre(s).first, CellCentre(s).second);
        Tick();
        ExpectLook(7, true);
        ExpectLook(s, false);
        ExpectLook(8, false);
        ExpectLook(6, false);
    }
    PointAt(150, 5);
    Tick();
    ExpectLook(7, true);
    ExpectLook(8, false);
}

} // namespace
