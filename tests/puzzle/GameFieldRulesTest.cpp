// The board string, the move rule and the end test of the game field.

#include "components/media/Sounds.h"
#include "tests/support/BoardSolver.h"
#include "tests/support/FieldUnderTest.h"
#include "tests/support/RecordedApp.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class GameFieldRules : public testing::Test {
protected:
    RecordedApp app;
    FieldUnderTest field{std::make_shared<GameTable>()};

    const std::vector<RecordingSoundPlayer::Push>& Pushed() { return app.Player().Pushed; }
};

} // namespace

TEST_F(GameFieldRules, BoardStringHasOneCharacterPerCellInOrder)
{
    field.SetBoard(BoardOf({}));
    EXPECT_EQ(field.SaveToString(), "KLMa:------------------------");

    Board counting;
    for (Int32 s = 0; s < 24; ++s) {
        counting[s] = s % 9 + 1;
    }
    field.SetBoard(counting);
    EXPECT_EQ(field.SaveToString(), "KLMa:123456789123456789123456");

    // Values outside 0 to 9 are written as empty cells and read back as such.
    field.SetBoard(BoardOf({{0, 0}, {1, 10}, {2, -7}, {23, 9}}));
    const String text = field.SaveToString();
    EXPECT_EQ(text, "KLMa:0" + String(22, '-') + "9");
    field.SetBoard(counting);
    field.RestoreFromString(text);
    EXPECT_EQ(field.GetBoard(), BoardOf({{0, 0}, {23, 9}}));
}

TEST_F(GameFieldRules, BoardStringRoundTripsEveryBoard)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<Int32> value(-1, 9);
    for (int round = 0; round < 500; ++round) {
        Board board;
        for (Int32& cell : board) {
            cell = value(random);
        }
        field.SetBoard(board);
        const String text = field.SaveToString();
        ASSERT_EQ(text.size(), 29u);
        field.SetBoard(BoardOf({}));
        field.RestoreFromString(text);
        ASSERT_EQ(field.GetBoard(), board) << text;
    }
}

TEST_F(GameFieldRules, BoardStringsWithoutThePrefixChangeNothing)
{
    Board board = BoardOf({{3, 4}, {9, 9}});
    for (const String& text : {String(), String("KLMa"), String("klma:123"), String("KLMb:123"),
                               String("xKLMa:123"), String("KLM\0:123", 8)}) {
        field.SetBoard(board);
        field.RestoreFromString(text);
        EXPECT_EQ(field.GetBoard(), board) << text;
    }
}

TEST_F(GameFieldRules, ShortOrDamagedBoardStringsGiveZeroes)
{
    field.SetBoard(BoardOf({{5, 5}}));
    field.RestoreFromString("KLMa:");
    Board zeroes;
    zeroes.fill(0);
    EXPECT_EQ(field.GetBoard(), zeroes);

    field.RestoreFromString(String("KLMa:x?9- \xff", 11) + "3");
    Board expected = zeroes;
    expected[2] = 9;
    expected[3] = -1;
    expected[6] = 3;
    EXPECT_EQ(field.GetBoard(), expected);

    // Bytes past the board are ignored.
    field.RestoreFromString("KLMa:111111111111111111111111-----");
    Board ones;
    ones.fill(1);
    EXPECT_EQ(field.GetBoard(), ones);
}

TEST_F(GameFieldRules, LegalMovesLeaveTheLastDigitOfTheSumOnTheTarget)
{
    struct Case {
        Int32 pressed, target, result, digit;
    };
    const Case cases[] = {{4, 5, 1, 9}, {5, 6, 1, 1}, {6, 5, 1, 1}, {9, 9, 1, 8},
                          {7, 7, 1, 4}, {1, 2, 1, 3}, {9, 8, 1, 7}, {1, 0, 1, 1}};
    ASSERT_TRUE(TileSnd());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pressed << " onto " << c.target);
        app.Player().Pushed.clear();
        field.SetBoard(BoardOf({{8, c.pressed}, {7, c.target}, {9, 3}}));
        field.SelectMove({8, 7});
        EXPECT_EQ(field.GameAction1(), c.result);
        EXPECT_EQ(field.GetBoard(), BoardOf({{7, c.digit}, {9, 3}}));
        ASSERT_EQ(Pushed().size(), 1u);
        EXPECT_EQ(Pushed()[0].Snd, TileSnd());
        EXPECT_EQ(Pushed()[0].Priority, 4);
    }
}

TEST_F(GameFieldRules, SumOfTenLeavesAZeroThatTheSecondStepRemoves)
{
    field.SetBoard(BoardOf({{14, 5}, {13, 5}, {0, 2}}));
    field.SelectMove({14, 13});
    EXPECT_EQ(field.GameAction1(), 2);
    EXPECT_EQ(field.GetBoard(), BoardOf({{13, 0}, {0, 2}}));
    EXPECT_EQ(Pushed().size(), 1u);

    field.GameAction2();
    EXPECT_EQ(field.GetBoard(), BoardOf({{0, 2}}));
    ASSERT_EQ(Pushed().size(), 2u);
    EXPECT_EQ(Pushed()[1].Snd, TileSnd());
    EXPECT_EQ(Pushed()[1].Priority, 4);
}

TEST_F(GameFieldRules, MovesBetweenNumbersApartByMoreThanOneAreRefusedSilently)
{
    const std::pair<Int32, Int32> pairs[] = {{3, 5}, {5, 3}, {9, 1}, {1, 9}, {0, 9}, {2, 8}};
    for (const auto& [pressed, target] : pairs) {
        const Board board = BoardOf({{8, pressed}, {2, target}});
        field.SetBoard(board);
        field.SelectMove({8, 2});
        EXPECT_EQ(field.GameAction1(), 0) << pressed << " onto " << target;
        EXPECT_EQ(field.GetBoard(), board);
    }
    EXPECT_TRUE(Pushed().empty());
}

TEST_F(GameFieldRules, OnlyMovesBetweenTwoTilesAreMade)
{
    const Board board = BoardOf({{8, 4}, {9, 4}});
    const BoardMove notMoves[] = {{7, 8}, {8, 7}, {8, 8}, {-1, 8}, {8, -1}, {24, 8}};
    for (const BoardMove& move : notMoves) {
        field.SetBoard(board);
        field.SelectMove(move);
        EXPECT_EQ(field.GameAction1(), 0) << move.From << " onto " << move.To;
        EXPECT_EQ(field.GetBoard(), board);
    }
    EXPECT_TRUE(Pushed().empty());
}

TEST_F(GameFieldRules, ClearEmptiesEveryCell)
{
    Board full;
    full.fill(6);
    field.SetBoard(full);
    field.GameClear();
    EXPECT_EQ(field.GetBoard(), BoardOf({}));
}

TEST_F(GameFieldRules, EndTestTellsCompleteFromDeadEnd)
{
    field.SetBoard(BoardOf({}));
    EXPECT_TRUE(field.GameTest());
    EXPECT_EQ(field.EndStatus(), 1);

    const Board deadEnds[] = {
        BoardOf({{8, 1}, {7, 9}}),         // 9 and 1 are not partners
        BoardOf({{8, 2}, {10, 3}}),        // partners that are not neighbours
        BoardOf({{8, 5}}),                 // a single tile
        BoardOf({{0, 1}, {1, 3}, {6, 5}}), // neighbours two apart
    };
    for (const Board& board : deadEnds) {
        field.SetEndStatus(0);
        field.SetBoard(board);
        EXPECT_TRUE(field.GameTest());
        EXPECT_EQ(field.EndStatus(), 2);
        EXPECT_EQ(field.GetBoard(), board);
    }
}

TEST_F(GameFieldRules, EndTestFindsAPairAcrossEveryKindOfEdge)
{
    // Cell 8's neighbours: 7 across the horizontal edge, 2 and 9 across the slanted ones;
    // the pair counts whichever of the two cells the walk reaches first.
    const Board pairs[] = {BoardOf({{8, 2}, {7, 3}}),   BoardOf({{8, 2}, {2, 3}}),
                           BoardOf({{8, 2}, {9, 3}}),   BoardOf({{8, 3}, {9, 3}}),
                           BoardOf({{22, 0}, {23, 1}}), BoardOf({{0, 9}, {1, 1}, {6, 8}})};
    for (const Board& board : pairs) {
        field.SetEndStatus(3);
        field.SetBoard(board);
        EXPECT_FALSE(field.GameTest());
        EXPECT_EQ(field.EndStatus(), 3);
    }
}

TEST_F(GameFieldRules, SolverMovesReplayedThroughTheRulesClearTheBoard)
{
    // A small board that only the right order clears: 4 and 5 make 9, 9 and 9 make 8,
    // 8 and 7 make 5, then 5 and 5 leave a 0 that vanishes.
    const Board board = BoardOf({{0, 4}, {1, 5}, {2, 9}, {3, 7}, {4, 5}});
    const auto moves = SolveBoard(board);
    ASSERT_TRUE(moves);
    field.SetBoard(board);
    for (const BoardMove& move : *moves) {
        field.SelectMove(move);
        const Int32 result = field.GameAction1();
        ASSERT_NE(result, 0) << move.From << " onto " << move.To;
        if (result == 2) {
            field.GameAction2();
        }
        EXPECT_EQ(field.GameTest(), &move == &moves->back());
    }
    EXPECT_EQ(field.GetBoard(), BoardOf({}));
    EXPECT_EQ(field.EndStatus(), 1);
}
