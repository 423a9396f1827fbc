// The board generator: its exact boards for fixed draws, and boards from the real generator
// that hold 24 tiles and can be cleared.

#include "framework/Maths.h"
#include "framework/TestSeams.h"
#include "tests/support/BoardSolver.h"
#include "tests/support/FieldUnderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <set>

namespace {

// A board that records the cell each pass of the generator works on, in order.
class FillOrderTable : public GameTable {
public:
    void IndexSToCurrent(Int32 s) override
    {
        Visited.push_back(s);
        GameTable::IndexSToCurrent(s);
    }
    std::vector<Int32> Visited;
};

// Rnd gives these draws in turn, then the last one for good, or all of them over and over.
class ScriptedDraws {
public:
    enum Ending { KeepLast, Cycle };

    explicit ScriptedDraws(std::deque<double> draws, Ending ending = KeepLast) : itsDraws(std::move(draws))
    {
        SetRndSource([this, ending] {
            const double draw = itsDraws.front();
            if (ending == Cycle) {
                itsDraws.push_back(draw);
            }
            if (itsDraws.size() > 1) {
                itsDraws.pop_front();
            }
            ++itsCount;
            return draw;
        });
    }
    ~ScriptedDraws() { SetRndSource(nullptr); }

    // How many draws were made.
    int Count() const { return itsCount; }

private:
    std::deque<double> itsDraws;
    int itsCount = 0;
};

class GameFieldGenerator : public testing::Test {
protected:
    GameFieldGenerator() : table(std::make_shared<FillOrderTable>()), field(table) {}

    // A new board, made as the game makes one: on an emptied board.
    Board Make()
    {
        field.GameClear();
        table->Visited.clear();
        field.GameMake();
        return field.GetBoard();
    }

    std::shared_ptr<FillOrderTable> table;
    FieldUnderTest field;
};

} // namespace

TEST_F(GameFieldGenerator, DrawsOfZeroGiveTheBoardOfLowestChoices)
{
    ScriptedDraws draws({0.0});
    EXPECT_EQ(Make(), ZeroDrawBoard());
    EXPECT_EQ(table->Visited.front(), 0);
}

TEST_F(GameFieldGenerator, DrawsOfExactlyOneHalfChooseAsDrawsOfZero)
{
    // Every choice that compares with 0.5 is strict, and 0.5 scales to the lowest choice.
    ScriptedDraws draws({0.5});
    EXPECT_EQ(Make(), ZeroDrawBoard());
}

// Seven draws over and over, so that every choice meets high and low draws: frontier picks
// other than the first, all three direction offsets, splits on both sides of 0.5. Worked out
// pass by pass from the rules; the first passes:
//   start: 0.7312 x 9600 -> 7019 mod 24 = cell 11
//   0: frontier {11}; d0 from 0.9051 = 1; no filled neighbour: 11 holds 0
//   1: frontier {10, 18}, 0.2667 -> 533 mod 2 = 1: cell 18; d0 0: 17 empty, 11 holds 0;
//      w = 10: 18 and 11 get 5 each
//   2: frontier {10, 17}, 0.1376 -> 1: cell 17; d0 2 (0.8523): 16 is empty, then 18 holds 5;
//      0.7312 > 0.5: w = 15, 0.4189 <= 0.5: 17 gets 7 and 18 keeps 8
//   3: frontier {10, 16, 23}, 0.9051 -> 0: cell 10; d0 0: 9 and 4 empty, 11 holds 5; w = 15,
//      10 gets 7, 11 keeps 8
//   4: frontier {4, 9, 16, 23}, 0.8523 -> 1: cell 9; d0 1: 16 empty, 8 empty, 10 holds 7;
//      0.4189: w = 7, 0.9051: 9 gets 4, 10 keeps 3
TEST_F(GameFieldGenerator, VariedDrawsChooseTheFrontierCellTheDirectionAndTheSplits)
{
    ScriptedDraws draws({0.7312, 0.4189, 0.9051, 0.2667, 0.5834, 0.1376, 0.8523}, ScriptedDraws::Cycle);
    EXPECT_EQ(Make(), (Board{4, 9, 8, 8, 8, 7, 8, 9, 8, 1, 7, 8, 5, 7, 4, 2, 2, 3, 8, 9, 8, 3, 2, 2}));
    EXPECT_EQ(table->Visited, (std::vector<Int32>{11, 18, 17, 10, 9, 16, 8,  2, 7,  1, 14, 0,
                                                  13, 23, 15, 22, 6, 4,  12, 3, 21, 5, 19, 20}));
    EXPECT_EQ(draws.Count(), 81) << "a split draws only where it has a choice";
}

TEST_F(GameFieldGenerator, FirstDrawChoosesTheStartCell)
{
    for (const auto& [first, start] :
         {std::pair{0.99999, 23}, std::pair{0.5, 0}, std::pair{0.2512, 11}, std::pair{1.0, 0}}) {
        ScriptedDraws draws({first, 0.0});
        const Board board = Make();
        ASSERT_FALSE(table->Visited.empty());
        EXPECT_EQ(table->Visited.front(), start) << "first draw " << first;
        std::set<Int32> filled(table->Visited.begin(), table->Visited.end());
        EXPECT_EQ(filled.size(), 24u);
        EXPECT_EQ(std::count(board.begin(), board.end(), -1), 0);
    }
}

TEST_F(GameFieldGenerator, BoardsHoldTwentyFourTilesOfOneToNine)
{
    std::array<int, 24> starts{};
    std::array<int, 10> digits{};
    for (int round = 0; round < 30000; ++round) {
        const Board board = Make();
        for (Int32 value : board) {
            ASSERT_GE(value, 1) << "board " << round;
            ASSERT_LE(value, 9) << "board " << round;
            ++digits[value];
        }
        ++starts[table->Visited.front()];
    }
    // Every cell is a start cell and every digit occurs, each often enough to rule out a bias
    // to a few of them (a uniform start gives 1,250 per cell, give or take 35).
    for (int count : starts) {
        EXPECT_GT(count, 1000);
    }
    for (Int32 digit = 1; digit <= 9; ++digit) {
        EXPECT_GT(digits[digit], 3000) << "digit " << digit;
    }
}

TEST_F(GameFieldGenerator, GeneratedBoardsCanBeCleared)
{
    using Clock = std::chrono::steady_clock;
    // As many boards as a few seconds allow; a few of them take the search a second or more.
    const auto until = Clock::now() + std::chrono::seconds(3);
    int boards = 0;
    while (boards < 3 || Clock::now() < until) {
        const Board board = Make();
        ASSERT_TRUE(SolveBoard(board)) << "board " << boards << ": " << field.SaveToString();
        ++boards;
    }
    RecordProperty("boards", boards);
}

TEST(BoardSolver, FindsNoWayThroughBoardsThatCannotBeCleared)
{
    Board board;
    board.fill(-1);
    EXPECT_TRUE(SolveBoard(board));
    board[8] = 1;
    board[7] = 9;
    EXPECT_FALSE(SolveBoard(board));
    board[9] = 1; // 1 and 1 make 2, which still cannot meet the 9
    EXPECT_FALSE(SolveBoard(board));
    board[7] = 3; // 1, 1 -> 2 next to the 3 -> 5 alone
    EXPECT_FALSE(SolveBoard(board));
    board[2] = 5; // ... and then the 5 beside another 5 -> 0
    const auto moves = SolveBoard(board);
    ASSERT_TRUE(moves);
    EXPECT_EQ(moves->size(), 3u);
}
