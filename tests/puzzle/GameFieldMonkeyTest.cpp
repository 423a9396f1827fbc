// Five thousand ticks of random presses, drags, releases, Shift, commands and ticks on the
// field on its window; the rules of the phases and of the log hold after every tick.

#include "framework/TestSeams.h"
#include "framework/Window.h"
#include "tests/puzzle/FieldWindowTest.h"

#include <algorithm>
#include <map>
#include <random>

namespace {

constexpr Int32 Ready = 1, Playing = 3, RedoingAll = 6, Ending = 7;

Board BoardFromString(const String& text)
{
    Board board;
    for (Int32 s = 0; s < 24; ++s) {
        const char ch = text.at(5 + s);
        board[s] = ch == '-' ? -1 : ch - '0';
    }
    return board;
}

bool FollowsByOneMove(const Board& before, const Board& after)
{
    const auto moves = LegalMoves(before);
    return std::ranges::any_of(moves, [&](BoardMove m) { return ApplyMove(before, m) == after; });
}

class GameFieldMonkey : public FieldWindowTest {
protected:
    void SetUp() override
    {
        SetRndSource([this] { return std::uniform_real_distribution<double>(0.0, 1.0)(random); });
        FieldWindowTest::SetUp();
        // A line of play that clears a board, so that some games can be won.
        Board board = ZeroDrawBoard();
        const auto solution = SolveBoard(board);
        ASSERT_TRUE(solution);
        for (const BoardMove move : *solution) {
            winningLine.push_back(board);
            winningMove[board] = move;
            board = ApplyMove(board, move);
        }
    }

    // Now and then a new game is given a position of the winning line instead of its board.
    void MaybePutOnTheWinningLine()
    {
        if (field->LogLimit() == 0 && Roll(3) == 0) {
            field->ReplacePosition(winningLine[Roll(Int32(winningLine.size()))]);
        }
    }

    Int32 Roll(Int32 n) { return std::uniform_int_distribution<Int32>(0, n - 1)(random); }
    std::pair<Int32, Int32> AnyPoint() { return {Roll(320) - 10, Roll(320) - 10}; }

    void Press(std::pair<Int32, Int32> at)
    {
        SetMouseDownOverride(true);
        PressAt(at.first, at.second);
        held = true;
    }

    void Release(std::pair<Int32, Int32> at)
    {
        ReleaseAt(at.first, at.second);
        SetMouseDownOverride(false);
        held = false;
    }

    // A legal move of the board shown: the winning one on the winning line.
    std::optional<BoardMove> SomeMove()
    {
        const Board board = field->GetBoard();
        if (const auto winning = winningMove.find(board); winning != winningMove.end()) {
            return winning->second;
        }
        const auto moves = LegalMoves(board);
        if (moves.empty()) {
            return std::nullopt;
        }
        return moves[Roll(Int32(moves.size()))];
    }

    void Command()
    {
        using Operation = void (GameField::*)();
        constexpr Operation commands[] = {&GameField::GameStart, &GameField::GameRetry,   &GameField::GameUndo,
                                          &GameField::GameRedo,  &GameField::GameUndoAll, &GameField::GameRedoAll,
                                          &GameField::GameAbort};
        // Aborts are rarer, so that games get played.
        const Int32 count = Roll(4) == 0 ? 7 : 6;
        (field.get()->*commands[Roll(count)])();
    }

    void RandomInput()
    {
        const Int32 r = Roll(100);
        if (r < 25 && !held) {
            if (const auto move = SomeMove(); move && field->Phase() == Playing) {
                Press(CellCentre(move->From));
                Release(CellCentre(Roll(5) == 0 ? Roll(24) : move->To));
            }
        } else if (r < 40) {
            held ? Release(AnyPoint()) : Press(AnyPoint());
        } else if (r < 50) {
            const auto [x, y] = AnyPoint();
            PointAt(x, y);
        } else if (r < 55) {
            SetShiftKeyOverride(Roll(2) == 0);
        } else if (r < 70) {
            Command();
        }
    }

    // The rules of the phases and of the log.
    void CheckInvariants(Int32 tick)
    {
        SCOPED_TRACE("tick " + std::to_string(tick));
        const Int32 phase = field->Phase();
        const Int32 current = field->LogCurrent();
        const Int32 limit = field->LogLimit();
        ASSERT_GE(phase, 0);
        ASSERT_LE(phase, 7);
        ASSERT_GE(field->EndStatus(), 0);
        ASSERT_LE(field->EndStatus(), 3);
        ASSERT_GE(field->ButtonIndex(), -1);
        ASSERT_LE(field->ButtonIndex(), 3);
        ASSERT_GE(field->CursorIndex(), 0);
        ASSERT_LE(field->CursorIndex(), 3);
        for (const Int32 v : field->GetBoard()) {
            ASSERT_GE(v, -1);
            ASSERT_LE(v, 9);
        }
        if (phase != Ending) {
            ASSERT_FALSE(field->CompleteFader().IsVisible());
            ASSERT_FALSE(field->DeadEndFader().IsVisible());
        }
        if (Playing <= phase && phase <= RedoingAll) {
            ASSERT_LE(0, current);
            ASSERT_LE(current, limit);
            ASSERT_LE(limit, 32);
        }
        if (phase == Playing) {
            ASSERT_TRUE(field->TargetCell() < 0 || field->ClickCell() >= 0);
        }
        if (phase == Playing || phase == 5 || phase == RedoingAll) {
            ASSERT_EQ(field->GetBoard(), BoardFromString(field->LogEntry(current)));
        }
        const bool ended = field->EndStatus() == 1 || field->EndStatus() == 2;
        if (ended && ((phase == Ending && field->SubPhase() > 2) || phase == Ready)) {
            ASSERT_EQ(limit, current - 1);
        }
        // Entries 0 to the limit are one line of play.
        std::vector<String> line;
        for (Int32 k = 0; k <= limit; ++k) {
            line.push_back(field->LogEntry(k));
        }
        if (phase >= Playing && line != checkedLine) {
            for (Int32 k = 0; k < limit; ++k) {
                ASSERT_TRUE(FollowsByOneMove(BoardFromString(line[k]), BoardFromString(line[k + 1])))
                    << "entry " << k + 1;
            }
            checkedLine = line;
        }
    }

    std::mt19937 random{20120617};
    bool held = false;
    std::vector<String> checkedLine;
    std::vector<Board> winningLine;
    std::map<Board, BoardMove> winningMove;
};

TEST_F(GameFieldMonkey, FiveThousandTicksKeepTheRules)
{
    Int32 ends[4] = {};
    Int32 moves = 0;
    Int32 lastPhase = field->Phase();
    for (Int32 tick = 1; tick <= 5000; ++tick) {
        while (Roll(3) != 0) {
            RandomInput();
        }
        Tick();
        window->UpdateNow();
        CheckInvariants(tick);
        if (HasFatalFailure()) {
            return;
        }
        const Int32 phase = field->Phase();
        if (phase != lastPhase) {
            if (phase == Ending) {
                ++ends[field->EndStatus()];
            } else if (phase == 4) {
                ++moves;
            } else if (phase == Playing && lastPhase == 2) {
                MaybePutOnTheWinningLine();
            }
            lastPhase = phase;
        }
    }
    if (held) {
        Release(AnyPoint());
    }
    // The run went through every kind of end and many moves.
    EXPECT_GT(moves, 125);
    EXPECT_GT(ends[1], 0) << "complete";
    EXPECT_GT(ends[2], 0) << "dead end";
    EXPECT_GT(ends[3], 0) << "aborted";
}

} // namespace
