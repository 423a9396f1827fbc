// The field on a window, worked with real mouse events: selecting a tile and naming the
// target, the picture buttons, the cursor, and repaints that are not ticks.

#include "components/media/Cursors.h"
#include "components/media/Pictures.h"
#include "framework/Graphics.h"
#include "framework/Picture.h"
#include "framework/TestSeams.h"
#include "framework/Window.h"
#include "tests/puzzle/FieldWindowTest.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

constexpr Int32 Ready = 1, Starting = 2, Playing = 3, Moving = 4, UndoingAll = 5, Ending = 7;

// Points of the picture buttons: start and undo on the left of their groups, retry and redo
// on the right.
constexpr std::pair<Int32, Int32> StartButton{23, 277}, RetryButton{53, 277}, UndoButton{247, 277},
    RedoButton{277, 277};

class GameFieldMouse : public FieldWindowTest {
protected:
    void PressAt(std::pair<Int32, Int32> at) { FieldWindowTest::PressAt(at.first, at.second); }
    void ReleaseAt(std::pair<Int32, Int32> at) { FieldWindowTest::ReleaseAt(at.first, at.second); }
    using FieldWindowTest::PressAt;
    using FieldWindowTest::ReleaseAt;

    // The ready phase after an aborted first game, with no start asked for.
    void ReadyAfterAnAbort()
    {
        StartFirstGame();
        field->GameAbort();
        TicksWhile(Playing);
        TicksWhile(Ending);
        ASSERT_EQ(field->Phase(), Ready);
        ASSERT_FALSE(field->StartRequested());
    }

    // A game of the zero-draw board with two moves played.
    void PlayTwoMoves()
    {
        StartFirstGame();
        const auto moves = SolveBoard(ZeroDrawBoard());
        ASSERT_TRUE(moves);
        for (Int32 i = 0; i < 2; ++i) {
            PressOn((*moves)[i].From);
            ReleaseOn((*moves)[i].To);
            Tick();
            TicksWhile(Moving);
        }
        ASSERT_EQ(field->LogCurrent(), 2);
    }

    Color ButtonFace(const std::shared_ptr<Picture>& pic, std::pair<Int32, Int32> at, Int32 groupLeft) const
    {
        return pic->Graphics()->Pixel(at.first - groupLeft, at.second - 262);
    }
};

TEST_F(GameFieldMouse, APressOnATileAndAReleaseOnANeighbourNameTheMoveForTheNextTick)
{
    StartFirstGame();
    PressOn(0);
    EXPECT_EQ(field->ClickCell(), 0);
    EXPECT_EQ(field->ClickNext(), (std::array<Int32, 3>{1, 6, -1}));
    EXPECT_EQ(field->TargetCell(), -1);
    ReleaseOn(1);
    EXPECT_EQ(field->ClickCell(), 0);
    EXPECT_EQ(field->TargetCell(), 1);
    EXPECT_EQ(field->GetBoard(), ZeroDrawBoard());
    EXPECT_EQ(field->Phase(), Playing);

    EXPECT_EQ(Tick(), (Sounds{{"Click", 6}}));
    EXPECT_EQ(field->Phase(), Moving);
    EXPECT_EQ(Tick(), (Sounds{{"Tile", 4}}));
    EXPECT_EQ(field->GetBoard()[0], -1);
    EXPECT_EQ(field->GetBoard()[1], 6);
}

TEST_F(GameFieldMouse, AReleaseAnywhereButOnANeighbouringTileDropsTheSelection)
{
    StartFirstGame();
    field->ReplacePosition(BoardOf({{7, 3}, {8, 3}, {14, 9}, {0, 3}}));
    const std::pair<Int32, Int32> elsewhere[] = {
        CellCentre(7), // the tile itself
        CellCentre(0), // a tile that is no neighbour
        CellCentre(6), // an empty neighbour
        {150, 5},      // off the board
        {285, 150},    // the buttons' side
    };
    for (const auto& at : elsewhere) {
        PressOn(7);
        ASSERT_EQ(field->ClickCell(), 7);
        ReleaseAt(at);
        EXPECT_EQ(field->ClickCell(), -1) << at.first << "," << at.second;
        EXPECT_EQ(field->TargetCell(), -1);
    }
    // A neighbour whose number is too far off is still named; the tick refuses it.
    PressOn(7);
    ReleaseOn(14);
    EXPECT_EQ(field->TargetCell(), 14);
    Ticks(2);
    EXPECT_EQ(field->Phase(), Playing);
    EXPECT_EQ(field->ClickCell(), -1);
}

TEST_F(GameFieldMouse, APressMeaningNothingGetsNoRelease)
{
    StartFirstGame();
    field->ReplacePosition(BoardOf({{7, 3}, {8, 3}}));
    PressAt(150, 150); // an empty cell
    ReleaseOn(7);
    PressAt(60, 80); // inside the circle, beside the board
    ReleaseOn(7);
    EXPECT_EQ(field->ClickCell(), -1);
    EXPECT_EQ(field->TargetCell(), -1);
    EXPECT_EQ(Tick(), Sounds{});
}

TEST_F(GameFieldMouse, TheCirclesEdgeBelongsToTheButtons)
{
    StartFirstGame();
    PressOn(7);
    ReleaseOn(7);
    ASSERT_EQ(field->ClickNext(), (std::array<Int32, 3>{8, 14, 6}));
    // A board-side press with nothing selected resets the noted neighbours; a button-side one
    // does not.
    EXPECT_FALSE(field->MouseClick(285, 150));
    EXPECT_FALSE(field->MouseClick(150, 15));
    EXPECT_EQ(field->ClickNext(), (std::array<Int32, 3>{8, 14, 6}));
    EXPECT_FALSE(field->MouseClick(284, 150));
    EXPECT_EQ(field->ClickNext(), (std::array<Int32, 3>{-1, -1, -1}));
}

TEST_F(GameFieldMouse, TheBoardTakesPressesOnlyWhilePlaying)
{
    ReadyAfterAnAbort();
    PressOn(7);
    ReleaseOn(8);
    EXPECT_EQ(field->ClickCell(), -1);
    Ticks(3);
    EXPECT_EQ(field->Phase(), Ready) << "pressing the board never starts a game";

    field->GameStart();
    Ticks(3);
    field->GameAbort();
    Tick();
    ASSERT_EQ(field->Phase(), Ending);
    PressOn(7);
    EXPECT_EQ(field->ClickCell(), -1);
    ReleaseOn(8);
    EXPECT_EQ(field->TargetCell(), -1);
}

TEST_F(GameFieldMouse, TheStartButtonsActOnPressAndReleaseInTheReadyPhaseAtTheNextTick)
{
    ReadyAfterAnAbort();

    // Press on start, release on retry or beside the buttons: nothing.
    PressAt(StartButton);
    EXPECT_EQ(field->ButtonIndex(), 0);
    ReleaseAt(RetryButton);
    EXPECT_EQ(field->ButtonIndex(), -1);
    PressAt(StartButton);
    ReleaseAt(100, 290);
    EXPECT_FALSE(field->StartRequested());

    PressAt(RetryButton);
    EXPECT_EQ(field->ButtonIndex(), 1);
    ReleaseAt(RetryButton);
    EXPECT_TRUE(field->StartRequested());
    EXPECT_TRUE(field->RetryMode());
    EXPECT_EQ(field->Phase(), Ready) << "the start waits for the tick";

    PressAt(StartButton);
    ReleaseAt(StartButton);
    EXPECT_FALSE(field->RetryMode());
    Tick();
    EXPECT_EQ(field->Phase(), Starting);
}

TEST_F(GameFieldMouse, EachGroupOfButtonsWorksInItsOwnPhaseOnly)
{
    PlayTwoMoves();
    // In play the start group takes no press.
    PressAt(StartButton);
    EXPECT_EQ(field->ButtonIndex(), -1);
    ReleaseAt(StartButton);
    EXPECT_FALSE(field->StartRequested());

    field->GameAbort();
    TicksWhile(Playing);
    TicksWhile(Ending);
    ASSERT_EQ(field->Phase(), Ready);
    // Ready: the undo group takes no press.
    PressAt(UndoButton);
    EXPECT_EQ(field->ButtonIndex(), -1);
    ReleaseAt(UndoButton);
    EXPECT_EQ(field->LogCurrent(), 2);

    // A press whose phase has gone by the release runs nothing.
    PressAt(StartButton);
    field->GameRetry();
    Tick();
    ASSERT_EQ(field->Phase(), Starting);
    ReleaseAt(StartButton);
    EXPECT_EQ(field->ButtonIndex(), -1);
    EXPECT_TRUE(field->RetryMode()) << "the start button's command did not run";
}

TEST_F(GameFieldMouse, AButtonIsHitWhereItsMaskIsDarkerThanHalfGrey)
{
    ReadyAfterAnAbort();
    const auto brightness = [](const std::shared_ptr<Picture>& mask, Int32 x, Int32 y) {
        return mask->Graphics()->Pixel(x, y).Value();
    };
    Int32 softEdge = 0;
    Int32 wrong = 0;
    for (Int32 y = 0; y < 30; ++y) {
        for (Int32 x = 0; x < 60; ++x) {
            const double start = brightness(Button0Mask(), x, y);
            const double retry = brightness(Button1Mask(), x, y);
            softEdge += (start > 0.05 && start < 0.95) + (retry > 0.05 && retry < 0.95);
            const Int32 expected = start < 0.5 ? 0 : retry < 0.5 ? 1 : -1;
            const bool pressed = field->MouseClick(8 + x, 262 + y);
            wrong += pressed != (expected >= 0) || field->ButtonIndex() != expected;
            field->MouseRelease(0, 0);
        }
    }
    EXPECT_GT(softEdge, 40) << "the masks' edges are antialiased";
    EXPECT_EQ(wrong, 0);
}

TEST_F(GameFieldMouse, UndoAndRedoButtonsActAtOnceAndShiftAtTheReleaseMeansAll)
{
    PlayTwoMoves();
    PressAt(UndoButton);
    EXPECT_EQ(field->ButtonIndex(), 2);
    ReleaseAt(UndoButton);
    EXPECT_EQ(field->LogCurrent(), 1) << "a single undo acts at once";
    EXPECT_EQ(field->Phase(), Playing);

    PressAt(RedoButton);
    EXPECT_EQ(field->ButtonIndex(), 3);
    ReleaseAt(RedoButton);
    EXPECT_EQ(field->LogCurrent(), 2);
    EXPECT_EQ(Tick(), (Sounds{{"Step", 4}, {"Step", 4}}));

    // Shift at the press only: a single undo.
    SetShiftKeyOverride(true);
    PressAt(UndoButton);
    SetShiftKeyOverride(false);
    ReleaseAt(UndoButton);
    EXPECT_EQ(field->LogCurrent(), 1);
    EXPECT_EQ(field->Phase(), Playing);

    // Shift at the release: all.
    PressAt(RedoButton);
    SetShiftKeyOverride(true);
    ReleaseAt(RedoButton);
    EXPECT_EQ(field->Phase(), 6);
    TicksWhile(6);
    EXPECT_EQ(field->LogCurrent(), 2);
    PressAt(UndoButton);
    ReleaseAt(UndoButton);
    EXPECT_EQ(field->Phase(), UndoingAll);
    TicksWhile(UndoingAll);
    EXPECT_EQ(field->LogCurrent(), 0);
}

TEST_F(GameFieldMouse, ASecondPressWhileAMoveWaitsForItsTickChangesNothing)
{
    PlayTwoMoves();
    const Board board = field->GetBoard();
    const auto moves = SolveBoard(ZeroDrawBoard());
    const BoardMove next = (*moves)[2];
    PressOn(next.From);
    ReleaseOn(next.To);
    ASSERT_EQ(field->TargetCell(), next.To);

    // On a tile: refused, so its release never arrives.
    PressOn(next.To);
    ReleaseAt(150, 5);
    // On the undo button, which was still shown enabled.
    EXPECT_FALSE(field->MouseClick(UndoButton.first, UndoButton.second));
    PressAt(UndoButton);
    EXPECT_EQ(field->ButtonIndex(), -1);
    ReleaseAt(UndoButton);
    EXPECT_EQ(field->ClickCell(), next.From);
    EXPECT_EQ(field->TargetCell(), next.To);
    EXPECT_EQ(field->LogCurrent(), 2);

    Tick();
    TicksWhile(Moving);
    EXPECT_EQ(field->GetBoard(), ApplyMove(board, next));
    EXPECT_EQ(field->LogCurrent(), 3);
}

TEST_F(GameFieldMouse, TheCursorFollowsTheRegionAndIsSetOnlyWhenItChanges)
{
    ASSERT_NE(FieldCursor(), nullptr);
    ASSERT_NE(SelectCursor(), nullptr);
    ASSERT_NE(ButtonCursor(), nullptr);
    PointAt(150, 150);
    Ticks(3);
    EXPECT_EQ(field->CursorIndex(), 0) << "phases 0 and 1 show the arrow on the board";
    Tick();
    EXPECT_EQ(field->CursorIndex(), 2) << "before the first board no tile is unselected yet";
    EXPECT_EQ(field->MouseCursor(), SelectCursor());
    Ticks(2);
    EXPECT_EQ(field->CursorIndex(), 1);
    EXPECT_EQ(field->MouseCursor(), FieldCursor());

    // Within one region nothing is set again.
    field->SetMouseCursor(nullptr);
    PointAt(100, 120);
    Ticks(3);
    EXPECT_EQ(field->MouseCursor(), nullptr);
    field->SetMouseCursor(FieldCursor());

    PressOn(7);
    Tick();
    EXPECT_EQ(field->CursorIndex(), 2);
    EXPECT_EQ(field->MouseCursor(), SelectCursor());
    ReleaseOn(7);
    PointAt(120, 290);
    Tick();
    EXPECT_EQ(field->CursorIndex(), 0);
    EXPECT_EQ(field->MouseCursor(), nullptr);
    PointAt(UndoButton.first, UndoButton.second);
    Tick();
    EXPECT_EQ(field->CursorIndex(), 0) << "nothing to undo: the button is off";
    PointAt(StartButton.first, StartButton.second);
    Tick();
    EXPECT_EQ(field->CursorIndex(), 0) << "the start group is not offered in play";

    const auto moves = SolveBoard(ZeroDrawBoard());
    PressOn((*moves)[0].From);
    ReleaseOn((*moves)[0].To);
    Tick();
    TicksWhile(Moving);
    PointAt(UndoButton.first, UndoButton.second);
    Tick();
    EXPECT_EQ(field->CursorIndex(), 3);
    EXPECT_EQ(field->MouseCursor(), ButtonCursor());

    // A held button keeps the button cursor wherever the pointer goes.
    PressAt(UndoButton);
    PointAt(150, 150);
    Tick();
    EXPECT_EQ(field->CursorIndex(), 3);
    ReleaseAt(150, 150);
    Tick();
    EXPECT_EQ(field->CursorIndex(), 1);
}

TEST_F(GameFieldMouse, AHeldButtonLooksPushedOnlyWhileThePointerIsOverIt)
{
    ReadyAfterAnAbort();
    const Color normal = ButtonFace(StartBtnPictN(), StartButton, 8);
    const Color pushed = ButtonFace(StartBtnPictR(), StartButton, 8);
    ASSERT_NE(normal, pushed);
    PressAt(StartButton);
    field->PaintOffscreen();
    EXPECT_EQ(PixelAt(StartButton.first, StartButton.second), pushed);
    PointAt(150, 290);
    Tick();
    EXPECT_EQ(PixelAt(StartButton.first, StartButton.second), normal);
    PointAt(StartButton.first, StartButton.second);
    Tick();
    EXPECT_EQ(PixelAt(StartButton.first, StartButton.second), pushed);
}

TEST_F(GameFieldMouse, WithAnotherWindowInFrontTheCursorIsTheArrowAndTheButtonsStayPut)
{
    ReadyAfterAnAbort();
    PressAt(StartButton);
    Tick();
    ASSERT_EQ(field->CursorIndex(), 3);
    const Color pushed = PixelAt(StartButton.first, StartButton.second);

    const auto other = std::make_shared<Window>();
    other->SetProperties({.Width = 100, .Height = 100, .Title = "Other"});
    other->Constructor();
    ASSERT_EQ(WindowAt(0), other);
    PointAt(150, 290);
    field->SetMouseCursor(ButtonCursor());
    Tick();
    EXPECT_EQ(field->CursorIndex(), 0);
    EXPECT_EQ(field->MouseCursor(), nullptr);
    EXPECT_EQ(PixelAt(StartButton.first, StartButton.second), pushed) << "the group was not told of the pointer";
    field->SetMouseCursor(ButtonCursor());
    Tick();
    EXPECT_EQ(field->MouseCursor(), ButtonCursor()) << "the arrow is set once";
}

TEST_F(GameFieldMouse, RepaintsOfTheWindowNeverAdvanceTheField)
{
    StartFirstGame();
    field->ReplacePosition(BoardOf({{0, 5}, {1, 5}}));
    PressOn(0);
    ReleaseOn(1);
    Ticks(4);
    ASSERT_EQ(field->Phase(), Ending);
    const auto tickAndRepaint = [this] {
        Tick();
        window->UpdateNow();
        field->Refresh(false);
        FieldWidget()->repaint();
        QCoreApplication::processEvents();
        window->UpdateNow();
    };
    const Int32 painted = field->PaintCount();
    for (Int32 tick = 1; tick <= 19; ++tick) {
        tickAndRepaint();
    }
    EXPECT_EQ(field->PaintCount(), painted + 19);
    EXPECT_DOUBLE_EQ(field->CompleteFader().Opacity(), 0.74);
    tickAndRepaint();
    EXPECT_DOUBLE_EQ(field->CompleteFader().Opacity(), 0.48);
}

} // namespace
