// The move log: undo, redo, retry, and which positions stay within reach.

#include "tests/puzzle/FieldTest.h"

#include <algorithm>

namespace {

constexpr Int32 Ready = 1, Playing = 3, Ending = 7;

class GameFieldLog : public FieldTest {
protected:
    void SetUp() override
    {
        FieldTest::SetUp();
        StartFirstGame();
        const auto solution = SolveBoard(ZeroDrawBoard());
        ASSERT_TRUE(solution);
        moves = *solution;
    }

    // The board after the first n moves of the solution.
    Board AfterMoves(std::size_t n) const
    {
        Board board = ZeroDrawBoard();
        for (std::size_t i = 0; i < n; ++i) {
            board = ApplyMove(board, moves[i]);
        }
        return board;
    }

    void PlayMoves(std::size_t from, std::size_t to)
    {
        for (std::size_t i = from; i < to; ++i) {
            PlayMove(moves[i]);
        }
    }

    // Plays the whole solution, then waits for the ready phase.
    void PlayToTheEnd(std::size_t from = 0)
    {
        PlayMoves(from, moves.size());
        ASSERT_EQ(field->Phase(), Ending);
        ASSERT_EQ(field->EndStatus(), 1);
        TicksWhile(Ending);
        ASSERT_EQ(field->Phase(), Ready);
    }

    void Retry()
    {
        field->GameRetry();
        EXPECT_TRUE(field->RetryMode());
        const Sounds heard = Ticks(3);
        EXPECT_EQ(heard, (Sounds{{"Start", 5}}));
        ASSERT_EQ(field->Phase(), Playing);
        EXPECT_EQ(field->GetBoard(), ZeroDrawBoard());
        EXPECT_EQ(field->LogCurrent(), 0);
    }

    // Redoes while redo is offered; gives how many times it was.
    Int32 RedoWhileAvailable()
    {
        Int32 n = 0;
        while (field->IsRedoAvail() && n < 100) {
            field->GameRedo();
            ++n;
        }
        return n;
    }

    std::vector<BoardMove> moves;
};

TEST_F(GameFieldLog, EveryPlayedMoveAddsOneEntry)
{
    for (std::size_t k = 1; k <= 3; ++k) {
        PlayMove(moves[k - 1]);
        EXPECT_EQ(field->LogCurrent(), Int32(k));
        EXPECT_EQ(field->LogLimit(), Int32(k));
        EXPECT_TRUE(field->IsUndoAvail());
        EXPECT_FALSE(field->IsRedoAvail());
    }
}

TEST_F(GameFieldLog, SingleUndoAndRedoActAtOnceAndShowTheLoggedBoards)
{
    PlayMoves(0, 3);
    field->GameUndo();
    EXPECT_EQ(field->LogCurrent(), 2) << "between ticks";
    EXPECT_EQ(field->GetBoard(), AfterMoves(2));
    field->GameUndo();
    EXPECT_EQ(field->GetBoard(), AfterMoves(1));
    EXPECT_TRUE(field->IsRedoAvail());
    field->GameRedo();
    EXPECT_EQ(field->GetBoard(), AfterMoves(2));
    EXPECT_EQ(Tick(), (Sounds{{"Step", 4}, {"Step", 4}, {"Step", 4}}));
    EXPECT_EQ(field->LogLimit(), 3);

    field->GameRedo();
    EXPECT_EQ(field->GetBoard(), AfterMoves(3));
    field->GameRedo();
    EXPECT_EQ(field->LogCurrent(), 3) << "nothing above the limit";
    EXPECT_EQ(Tick(), (Sounds{{"Step", 4}}));
}

TEST_F(GameFieldLog, UndoAndRedoAreRefusedWhileATileIsHeldOrAMoveIsPending)
{
    PlayMoves(0, 2);
    field->GameUndo();
    ASSERT_TRUE(field->IsUndoAvail());
    ASSERT_TRUE(field->IsRedoAvail());
    Tick();

    const auto [x, y] = CellCentre(moves[1].From);
    ASSERT_TRUE(field->MouseClick(x, y));
    EXPECT_FALSE(field->IsUndoAvail());
    EXPECT_FALSE(field->IsRedoAvail());
    field->GameUndo();
    field->GameRedo();
    EXPECT_EQ(field->LogCurrent(), 1);

    const auto [toX, toY] = CellCentre(moves[1].To);
    field->MouseRelease(toX, toY);
    ASSERT_EQ(field->TargetCell(), moves[1].To);
    field->GameUndo();
    EXPECT_EQ(Tick(), (Sounds{{"Click", 6}})) << "no step sound";
    EXPECT_FALSE(field->IsUndoAvail()) << "moving";
    field->GameUndo();
    field->GameRedo();
    Sounds heard = Tick();
    while (field->Phase() == 4) {
        const Sounds more = Tick();
        heard.insert(heard.end(), more.begin(), more.end());
    }
    EXPECT_TRUE(std::ranges::none_of(heard, [](const Queued& q) { return q.Name == "Step"; }));
    EXPECT_EQ(field->LogCurrent(), 2);
    EXPECT_EQ(field->GetBoard(), AfterMoves(2));
}

TEST_F(GameFieldLog, AMovePlayedAfterUndosCutsTheLimitEvenWhenItIsTheSameMove)
{
    PlayMoves(0, 4);
    field->GameUndo();
    field->GameUndo();
    ASSERT_EQ(field->LogCurrent(), 2);
    ASSERT_EQ(field->LogLimit(), 4);
    PlayMove(moves[2]);
    EXPECT_EQ(field->LogCurrent(), 3);
    EXPECT_EQ(field->LogLimit(), 3);
    EXPECT_EQ(field->GetBoard(), AfterMoves(3));
    EXPECT_FALSE(field->IsRedoAvail());
}

TEST_F(GameFieldLog, RetryAfterACompleteGameRedoesAllButTheLastMove)
{
    const Int32 n = Int32(moves.size());
    PlayToTheEnd();
    EXPECT_EQ(field->LogLimit(), n - 1);
    EXPECT_EQ(field->LogCurrent(), n);
    EXPECT_TRUE(field->IsRetryReady());

    Retry();
    EXPECT_EQ(field->LogLimit(), n - 1);
    EXPECT_EQ(RedoWhileAvailable(), n - 1);
    EXPECT_EQ(field->GetBoard(), AfterMoves(moves.size() - 1));

    // The last move is played by hand, and the end is found again.
    PlayMove(moves.back());
    EXPECT_EQ(field->Phase(), Ending);
    EXPECT_EQ(field->EndStatus(), 1);
    EXPECT_EQ(field->LogLimit(), n);
}

TEST_F(GameFieldLog, RetryAfterAnAbortReachesEveryLoggedPosition)
{
    PlayMoves(0, 4);
    field->GameUndo();
    field->GameUndo();
    field->GameAbort();
    TicksWhile(Playing);
    TicksWhile(Ending);
    ASSERT_EQ(field->Phase(), Ready);
    EXPECT_EQ(field->LogLimit(), 4);

    Retry();
    EXPECT_EQ(RedoWhileAvailable(), 4);
    EXPECT_EQ(field->GetBoard(), AfterMoves(4)) << "also the positions undone before the abort";
}

TEST_F(GameFieldLog, RetryThenTheSameFirstMoveLeavesNothingToRedo)
{
    PlayMoves(0, 3);
    field->GameAbort();
    TicksWhile(Playing);
    TicksWhile(Ending);
    Retry();
    PlayMove(moves[0]);
    EXPECT_EQ(field->LogLimit(), 1);
    EXPECT_FALSE(field->IsRedoAvail());
}

TEST_F(GameFieldLog, ANewGameAfterARetryReplacesTheLog)
{
    PlayMoves(0, 3);
    field->GameAbort();
    TicksWhile(Playing);
    TicksWhile(Ending);
    field->GameStart();
    Ticks(3);
    EXPECT_FALSE(field->RetryMode());
    EXPECT_EQ(field->LogCurrent(), 0);
    EXPECT_EQ(field->LogLimit(), 0);
    EXPECT_FALSE(field->IsRedoAvail());
}

TEST_F(GameFieldLog, RestoringOutsideTheLimitChangesNothing)
{
    PlayMoves(0, 2);
    const Board board = field->GetBoard();
    field->GameLogRestore(3);
    field->GameLogRestore(-1);
    EXPECT_EQ(field->LogCurrent(), 2);
    EXPECT_EQ(field->GetBoard(), board);
    field->GameLogRestore(0);
    EXPECT_EQ(field->GetBoard(), ZeroDrawBoard());
    EXPECT_EQ(field->LogLimit(), 2);
}

TEST_F(GameFieldLog, SavesBeyondTheLastEntryAreDropped)
{
    for (Int32 i = 0; i < 40; ++i) {
        field->GameLogSave();
    }
    EXPECT_EQ(field->LogCurrent(), 32);
    EXPECT_EQ(field->LogLimit(), 32);
    EXPECT_EQ(field->LogEntry(32), field->LogEntry(0));
}

} // namespace
