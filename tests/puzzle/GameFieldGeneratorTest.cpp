// The board generator: its exact boards for fixed draws, and boards from the real generator
// that hold 24 tiles and can be cleared.

#include "framework/Maths.h"
#include "framework/TestSeams.h"
#include "tests/puzzle/TestField.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <algorithm>
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

// Rnd gives these draws in turn, then the last one for good.
class ScriptedDraws {
public:
    explicit ScriptedDraws(std::deque<double> draws) : itsDraws(std::move(draws))
    {
        SetRndSource([this] {
            const double draw = itsDraws.front();
            if (itsDraws.size() > 1) {
                itsDraws.pop_front();
            }
            return draw;
        });
    }
    ~ScriptedDraws() { SetRndSource(nullptr); }

private:
    std::deque<double> itsDraws;
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
    TestField field;
};

const Board BoardOfZeroDraws = {3, 3, 1, 6, 5, 6, 6, 3, 1, 6, 3, 2,
                                3, 6, 6, 3, 1, 6, 5, 3, 1, 6, 3, 2};

} // namespace

TEST_F(GameFieldGenerator, DrawsOfZeroGiveTheBoardOfLowestChoices)
{
    ScriptedDraws draws({0.0});
    EXPECT_EQ(Make(), BoardOfZeroDraws);
    EXPECT_EQ(table->Visited.front(), 0);
}

TEST_F(GameFieldGenerator, DrawsOfExactlyOneHalfChooseAsDrawsOfZero)
{
    // Every choice that compares with 0.5 is strict, and 0.5 scales to the lowest choice.
    ScriptedDraws draws({0.5});
    EXPECT_EQ(Make(), BoardOfZeroDraws);
}

TEST_F(GameFieldGenerator, FirstDrawChoosesTheStartCell)
{
    for (const auto& [first, start] : {std::pair{0.99999, 23}, std::pair{0.5, 0}, std::pair{0.2512, 11},
                                       std::pair{1.0, 0}}) {
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
    for (int round = 0; round < 100000; ++round) {
        const Board board = Make();
        for (Int32 value : board) {
            ASSERT_GE(value, 1) << "board " << round;
            ASSERT_LE(value, 9) << "board " << round;
            ++digits[value];
        }
        ++starts[table->Visited.front()];
    }
    // Every cell is a start cell and every digit occurs, each often enough to rule out a bias
    // to a few of them (a uniform start gives about 4,167 per cell).
    for (int count : starts) {
        EXPECT_GT(count, 3500);
    }
    for (Int32 digit = 1; digit <= 9; ++digit) {
        EXPECT_GT(digits[digit], 10000) << "digit " << digit;
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
