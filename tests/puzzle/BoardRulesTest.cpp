// The rules as plain functions over a board, with no game field and no application object.

#include "puzzle/BoardRules.h"
#include "framework/Application.h"
#include "framework/TestSeams.h"
#include "puzzle/GameTable.h"
#include "tests/support/BoardSolver.h"

#include <gtest/gtest.h>

namespace {

class BoardRules : public testing::Test {
protected:
    BoardRules()
    {
        board.Constructor(4, 4, 4, -4);
        SetRndSource([] { return 0.0; });
    }
    ~BoardRules() override { SetRndSource(nullptr); }

    void SetUp() override { ASSERT_EQ(GetAppObject(), nullptr) << "the rules run without an application"; }

    Board Cells()
    {
        Board cells;
        for (Int32 s = 0; s < 24; ++s) {
            cells[s] = board.GetGameCell(s)->RefValue();
        }
        return cells;
    }

    GameTable board;
};

} // namespace

TEST_F(BoardRules, AGeneratedBoardIsPlayedToItsEndByTheRulesAlone)
{
    ClearBoard(board);
    MakeBoard(board);
    const Board made = Cells();
    EXPECT_EQ(made, ZeroDrawBoard());

    const auto moves = SolveBoard(made);
    ASSERT_TRUE(moves);
    Board expected = made;
    for (const BoardMove& move : *moves) {
        ASSERT_EQ(EndOfGame(board), NotEnded);
        const MoveResult result = MoveTile(board, move.From, move.To);
        expected = ApplyMove(expected, move);
        if (expected[move.To] < 0) {
            ASSERT_EQ(result, MoveLeftZero) << move.From << " onto " << move.To;
            EXPECT_EQ(board.GetGameCell(move.To)->RefValue(), 0);
            RemoveTile(board, move.To);
        } else {
            ASSERT_EQ(result, MoveDone) << move.From << " onto " << move.To;
        }
        ASSERT_EQ(Cells(), expected);
    }
    EXPECT_EQ(EndOfGame(board), Complete);
}

TEST_F(BoardRules, RefusedMovesAndDeadEndsLeaveTheBoardAlone)
{
    ClearBoard(board);
    board.GetGameCell(8)->SetValue(1);
    board.GetGameCell(7)->SetValue(9);
    board.GetGameCell(10)->SetValue(2);
    const Board before = Cells();
    EXPECT_EQ(MoveTile(board, 8, 7), MoveRefused);
    EXPECT_EQ(MoveTile(board, 8, 8), MoveRefused);
    EXPECT_EQ(MoveTile(board, 8, 2), MoveRefused) << "onto an empty cell";
    EXPECT_EQ(EndOfGame(board), DeadEnd);
    EXPECT_EQ(Cells(), before);

    board.GetGameCell(9)->SetValue(3);
    EXPECT_EQ(EndOfGame(board), NotEnded) << "2 and 3 across a slanted edge";
}
