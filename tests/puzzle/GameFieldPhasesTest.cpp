// The phase machine tick by tick: start-up, moves, ends, abort, undo all and redo all, and
// commands outside their phase.

#include "components/media/Sounds.h"
#include "tests/puzzle/FieldTest.h"

namespace {

constexpr Int32 StartUp = 0, Ready = 1, Starting = 2, Playing = 3, Moving = 4, UndoingAll = 5, RedoingAll = 6,
                Ending = 7;

Board EmptyBoard()
{
    return BoardOf({});
}

// 4 on cell 0 next to 5 on cell 1, and a pair of 2s on cells 5 and 6 that keeps the game going.
Board FourNextToFive()
{
    return BoardOf({{0, 4}, {1, 5}, {5, 2}, {6, 2}});
}

class GameFieldPhases : public FieldTest {
protected:
    // The first game, its board replaced.
    void StartWith(const Board& board)
    {
        StartFirstGame();
        field->ReplacePosition(board);
    }

    void ExpectPhase(Int32 phase, Int32 sub)
    {
        EXPECT_EQ(field->Phase(), phase);
        EXPECT_EQ(field->SubPhase(), sub);
    }

    // The ticks of an end found on the tick before: picture at full opacity from the third,
    // fading out from the nineteenth, ready on the twenty-fourth.
    void ExpectEndTimeline(ProbedFader& fader, ProbedFader& other, const String& endSound, Int32 limitBefore)
    {
        ExpectPhase(Ending, 0);
        EXPECT_EQ(Tick(), Sounds{});
        EXPECT_EQ(Tick(), Sounds{});
        EXPECT_EQ(fader.Status(), 0) << "nothing drawn before the third tick";
        EXPECT_EQ(field->LogLimit(), limitBefore);

        EXPECT_EQ(Tick(), (Sounds{{endSound, 5}}));
        ExpectPhase(Ending, 3);
        EXPECT_EQ(fader.Status(), 2);
        EXPECT_EQ(fader.Opacity(), 1.0);
        EXPECT_EQ(field->LogLimit(), limitBefore - 1);
        EXPECT_EQ(field->LogCurrent(), limitBefore);

        for (Int32 tick = 4; tick <= 18; ++tick) {
            EXPECT_EQ(Tick(), Sounds{});
            EXPECT_EQ(fader.Opacity(), 1.0) << "tick " << tick;
        }
        Tick();
        ExpectPhase(Ending, 19);
        EXPECT_DOUBLE_EQ(fader.Opacity(), 0.74);
        Tick();
        EXPECT_DOUBLE_EQ(fader.Opacity(), 0.48);
        Tick();
        EXPECT_NEAR(fader.Opacity(), 0.22, 1e-9);
        EXPECT_EQ(fader.Status(), 1);
        Tick();
        EXPECT_EQ(fader.Status(), 0) << "hidden on the twenty-second tick";
        Tick();
        ExpectPhase(Ending, 23);
        EXPECT_EQ(Tick(), Sounds{});
        ExpectPhase(Ready, 0);
        EXPECT_EQ(other.Status(), 0) << "the other end picture never shows";
        EXPECT_TRUE(field->IsGameReady());
        EXPECT_TRUE(field->IsRetryReady());
        EXPECT_EQ(field->LogLimit(), field->LogCurrent() - 1);
    }
};

TEST_F(GameFieldPhases, TheFieldsSoundsAreLoaded)
{
    // The tests tell the sounds apart by their objects.
    for (const auto& snd :
         {BeepSnd(), ClickSnd(), CompleteSnd(), DeadEndSnd(), StartSnd(), StepSnd(), TileSnd()}) {
        EXPECT_NE(snd, nullptr);
    }
}

TEST_F(GameFieldPhases, TheFirstBoardIsShownOnTheSixthTickWithoutAnyCommand)
{
    ExpectPhase(StartUp, 0);
    EXPECT_EQ(field->LogLimit(), -1);
    EXPECT_EQ(field->GetBoard(), EmptyBoard());

    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(StartUp, 1);
    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(StartUp, 2);
    EXPECT_FALSE(field->IsGameReady());

    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Ready, 0);
    EXPECT_TRUE(field->StartRequested());
    EXPECT_FALSE(field->RetryMode());
    EXPECT_TRUE(field->IsGameReady());
    EXPECT_FALSE(field->IsRetryReady()) << "no game has started yet";

    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Starting, 0);
    EXPECT_FALSE(field->IsGameReady());

    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Starting, 1);
    EXPECT_FALSE(field->StartRequested());
    EXPECT_EQ(field->GetBoard(), EmptyBoard());
    EXPECT_EQ(field->ClickCell(), 0) << "untouched until the board is shown";

    EXPECT_EQ(Tick(), (Sounds{{"Start", 5}}));
    ExpectPhase(Playing, 0);
    EXPECT_EQ(field->GetBoard(), ZeroDrawBoard());
    EXPECT_EQ(field->LogCurrent(), 0);
    EXPECT_EQ(field->LogLimit(), 0);
    EXPECT_EQ(field->LogEntry(0), "KLMa:331656631632366316531632");
    EXPECT_EQ(field->ClickCell(), -1);
    EXPECT_EQ(field->TargetCell(), -1);
    EXPECT_TRUE(field->IsGameActive());
    EXPECT_FALSE(field->IsUndoAvail());
    EXPECT_FALSE(field->IsRedoAvail());
}

TEST_F(GameFieldPhases, AMoveIsTakenUpAtTheNextTickAndMadeOnTheOneAfter)
{
    StartWith(FourNextToFive());
    ASSERT_TRUE(Drag(0, 1));
    EXPECT_EQ(field->ClickCell(), 0);
    EXPECT_EQ(field->TargetCell(), 1);
    EXPECT_EQ(field->GetBoard(), FourNextToFive()) << "the mouse only records the move";

    EXPECT_EQ(Tick(), (Sounds{{"Click", 6}}));
    ExpectPhase(Moving, 0);
    EXPECT_EQ(field->GetBoard(), FourNextToFive());
    EXPECT_FALSE(field->IsUndoAvail());

    EXPECT_EQ(Tick(), (Sounds{{"Tile", 4}}));
    ExpectPhase(Moving, 2);
    EXPECT_EQ(field->GetBoard(), BoardOf({{1, 9}, {5, 2}, {6, 2}}));
    EXPECT_EQ(field->LogCurrent(), 0);

    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Playing, 0);
    EXPECT_EQ(field->ClickCell(), -1);
    EXPECT_EQ(field->TargetCell(), -1);
    EXPECT_EQ(field->LogCurrent(), 1);
    EXPECT_EQ(field->LogLimit(), 1);
    EXPECT_EQ(field->LogEntry(1), "KLMa:-9---22-----------------");
    EXPECT_EQ(field->EndStatus(), 0);
    EXPECT_TRUE(field->IsUndoAvail());
}

TEST_F(GameFieldPhases, ASumEndingInZeroShowsTheZeroForOneTick)
{
    StartWith(BoardOf({{0, 5}, {1, 5}, {5, 2}, {6, 2}}));
    Drag(0, 1);
    Tick();
    ExpectPhase(Moving, 0);

    EXPECT_EQ(Tick(), (Sounds{{"Tile", 4}}));
    ExpectPhase(Moving, 1);
    EXPECT_EQ(field->GetBoard(), BoardOf({{1, 0}, {5, 2}, {6, 2}}));

    EXPECT_EQ(Tick(), (Sounds{{"Tile", 4}}));
    ExpectPhase(Moving, 2);
    EXPECT_EQ(field->GetBoard(), BoardOf({{5, 2}, {6, 2}}));
    EXPECT_EQ(field->LogCurrent(), 0);

    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Playing, 0);
    EXPECT_EQ(field->LogCurrent(), 1);
    EXPECT_EQ(field->LogLimit(), 1);
}

TEST_F(GameFieldPhases, AnIllegalPairGoesBackToPlayWithoutASound)
{
    const Board board = BoardOf({{0, 3}, {1, 5}, {5, 2}, {6, 2}});
    StartWith(board);
    Drag(0, 1);
    EXPECT_EQ(field->TargetCell(), 1) << "the release does not look at the numbers";
    Tick();
    ExpectPhase(Moving, 0);

    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Playing, 0);
    EXPECT_EQ(field->GetBoard(), board);
    EXPECT_EQ(field->ClickCell(), -1);
    EXPECT_EQ(field->TargetCell(), -1);
    EXPECT_EQ(field->LogCurrent(), 0);
    EXPECT_EQ(field->LogLimit(), 0);
}

TEST_F(GameFieldPhases, ACompleteGameShowsItsPictureThenFadesAndIsReadyAfterTwentyFourTicks)
{
    StartWith(BoardOf({{0, 5}, {1, 5}}));
    Drag(0, 1);
    Ticks(4);
    EXPECT_EQ(field->EndStatus(), 1);
    ExpectEndTimeline(field->CompleteFader(), field->DeadEndFader(), "Complete", 1);
    EXPECT_EQ(field->EndStatus(), 1) << "kept through the ready phase";
    EXPECT_EQ(field->GetBoard(), EmptyBoard());
}

TEST_F(GameFieldPhases, ADeadEndShowsItsPictureThenFadesAndIsReadyAfterTwentyFourTicks)
{
    StartWith(BoardOf({{0, 4}, {1, 5}, {20, 1}}));
    Drag(0, 1);
    Ticks(3);
    EXPECT_EQ(field->EndStatus(), 2);
    ExpectEndTimeline(field->DeadEndFader(), field->CompleteFader(), "DeadEnd", 1);
    EXPECT_EQ(field->GetBoard(), BoardOf({{1, 9}, {20, 1}})) << "the last board stays until the next start";
}

TEST_F(GameFieldPhases, TheNextEndShowsItsPictureAgain)
{
    StartWith(BoardOf({{0, 5}, {1, 5}}));
    Drag(0, 1);
    Ticks(4 + 24);
    ASSERT_EQ(field->Phase(), Ready);
    field->GameStart();
    Ticks(3);
    field->ReplacePosition(BoardOf({{0, 5}, {1, 5}}));
    Drag(0, 1);
    Ticks(4 + 3);
    EXPECT_EQ(field->CompleteFader().Status(), 2);
}

TEST_F(GameFieldPhases, AnAbortBeepsOnTheThirdTickAndIsReadyOnTheFourth)
{
    StartWith(FourNextToFive());
    field->GameAbort();
    EXPECT_TRUE(field->AbortRequested());
    ExpectPhase(Playing, 0);

    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Ending, 0);
    EXPECT_EQ(field->EndStatus(), 3);
    EXPECT_EQ(Tick(), Sounds{});
    EXPECT_EQ(Tick(), Sounds{});
    EXPECT_EQ(Tick(), (Sounds{{"Beep", 5}}));
    ExpectPhase(Ending, 99);
    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Ready, 0);
    EXPECT_EQ(field->EndStatus(), 3);
    EXPECT_EQ(field->LogLimit(), 0) << "an abort keeps the log's limit";
    EXPECT_EQ(field->LogCurrent(), 0);
    EXPECT_EQ(field->CompleteFader().Status(), 0);
    EXPECT_EQ(field->DeadEndFader().Status(), 0);
    EXPECT_EQ(field->GetBoard(), FourNextToFive());
}

TEST_F(GameFieldPhases, AnAbortWinsOverAMoveWaitingAtTheSameTick)
{
    StartWith(FourNextToFive());
    Drag(0, 1);
    field->GameAbort();
    Tick();
    ExpectPhase(Ending, 0);
    Ticks(4);
    EXPECT_EQ(field->GetBoard(), FourNextToFive());
}

TEST_F(GameFieldPhases, TheNextStartClearsTheEndAndTheRequests)
{
    StartWith(FourNextToFive());
    field->GameAbort();
    Ticks(5);
    ASSERT_EQ(field->Phase(), Ready);
    field->GameStart();
    EXPECT_TRUE(field->StartRequested());
    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Starting, 0);
    Tick();
    EXPECT_EQ(field->EndStatus(), 0);
    EXPECT_FALSE(field->AbortRequested());
    EXPECT_EQ(field->GetBoard(), EmptyBoard());
    EXPECT_EQ(Tick(), (Sounds{{"Start", 5}}));
    ExpectPhase(Playing, 0);
    EXPECT_EQ(field->GetBoard(), ZeroDrawBoard()) << "a start makes a new board";
}

TEST_F(GameFieldPhases, UndoAllStepsBackOneEntryPerTickThenPlays)
{
    StartFirstGame();
    const auto moves = SolveBoard(ZeroDrawBoard());
    ASSERT_TRUE(moves);
    for (Int32 i = 0; i < 5; ++i) {
        PlayMove((*moves)[i]);
    }
    ASSERT_EQ(field->LogCurrent(), 5);
    const Board played = field->GetBoard();

    field->GameUndoAll();
    ExpectPhase(UndoingAll, 0); // at once, without waiting for a tick
    EXPECT_FALSE(field->IsUndoAvail());
    for (Int32 n = 4; n >= 0; --n) {
        EXPECT_EQ(Tick(), (Sounds{{"Step", 5}}));
        EXPECT_EQ(field->Phase(), UndoingAll);
        EXPECT_EQ(field->LogCurrent(), n);
    }
    EXPECT_EQ(field->GetBoard(), ZeroDrawBoard());
    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Playing, 0);
    EXPECT_EQ(field->LogLimit(), 5);

    field->GameRedoAll();
    ExpectPhase(RedoingAll, 0);
    for (Int32 n = 1; n <= 5; ++n) {
        EXPECT_EQ(Tick(), (Sounds{{"Step", 5}}));
        EXPECT_EQ(field->LogCurrent(), n);
    }
    EXPECT_EQ(field->GetBoard(), played);
    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Playing, 0);
}

TEST_F(GameFieldPhases, UndoAllOrRedoAllWithNothingToDoPlaysOnAtTheNextTick)
{
    StartFirstGame();
    field->GameUndoAll();
    EXPECT_EQ(field->Phase(), UndoingAll);
    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Playing, 0);
    field->GameRedoAll();
    EXPECT_EQ(field->Phase(), RedoingAll);
    EXPECT_EQ(Tick(), Sounds{});
    ExpectPhase(Playing, 0);
    EXPECT_EQ(field->GetBoard(), ZeroDrawBoard());
}

TEST_F(GameFieldPhases, CommandsOutsideTheirPhaseLeaveNoTrace)
{
    // Start and retry during start-up.
    field->GameStart();
    field->GameRetry();
    field->GameAbort();
    field->GameUndoAll();
    EXPECT_FALSE(field->StartRequested());
    EXPECT_FALSE(field->AbortRequested());
    Ticks(5);
    ASSERT_EQ(field->Phase(), Starting);
    field->GameAbort();
    field->GameRedoAll();
    Tick();
    ASSERT_EQ(field->Phase(), Playing);
    EXPECT_FALSE(field->AbortRequested());
    Tick();
    ExpectPhase(Playing, 0);

    // During play: start and retry.
    field->GameStart();
    field->GameRetry();
    EXPECT_FALSE(field->StartRequested());

    // While a tile is held: undo all and redo all.
    const auto [x, y] = CellCentre(0);
    ASSERT_TRUE(field->MouseClick(x, y));
    field->GameUndoAll();
    field->GameRedoAll();
    EXPECT_EQ(field->Phase(), Playing);
    field->MouseRelease(x, y);

    // During a move: abort, undo all.
    field->ReplacePosition(FourNextToFive());
    Drag(0, 1);
    Tick();
    ASSERT_EQ(field->Phase(), Moving);
    field->GameAbort();
    field->GameUndoAll();
    field->GameStart();
    Ticks(2);
    ExpectPhase(Playing, 0);
    EXPECT_FALSE(field->AbortRequested());
    Tick();
    ExpectPhase(Playing, 0);

    // During the end: abort and start; nothing is left for the ready phase.
    field->GameAbort();
    Tick();
    ASSERT_EQ(field->Phase(), Ending);
    field->GameAbort();
    field->GameStart();
    field->GameRetry();
    Ticks(4);
    ASSERT_EQ(field->Phase(), Ready);
    Ticks(5);
    EXPECT_EQ(field->Phase(), Ready) << "no start was left for later";
    EXPECT_EQ(field->EndStatus(), 3);
}

TEST_F(GameFieldPhases, ARetryBeforeTheFirstGameIsAnOrdinaryStart)
{
    Ticks(3);
    ASSERT_EQ(field->Phase(), Ready);
    field->GameRetry();
    EXPECT_FALSE(field->RetryMode());
    EXPECT_TRUE(field->StartRequested());
    Ticks(3);
    EXPECT_EQ(field->GetBoard(), ZeroDrawBoard());
    EXPECT_EQ(field->LogLimit(), 0);
}

TEST_F(GameFieldPhases, EveryTickRepaintsTheFieldWhateverThePhase)
{
    const Int32 before = field->PaintCount();
    Ticks(40);
    EXPECT_EQ(field->PaintCount(), before + 40);
}

TEST_F(GameFieldPhases, WithoutAnOffscreenPictureTheGameStillRuns)
{
    // A field whose picture could not be made: the ticks go on and paint nothing.
    auto bare = std::make_shared<FieldUnderTest>();
    bare->SetProperties({.Control = {.Width = 300, .Height = 300}});
    bare->Event_Open();
    for (Int32 tick = 0; tick < 6; ++tick) {
        bare->GameStep();
    }
    EXPECT_EQ(bare->Phase(), Playing);
    EXPECT_EQ(bare->Offscreen(), nullptr);
}

} // namespace
