#include "puzzle/BoardRules.h"

#include "framework/Maths.h"
#include "framework/Thread.h"
#include "puzzle/GameTable.h"

#include <vector>

namespace {

// A draw from Rnd scaled to 0 .. range - 1. Each scale is a multiple of its range, so that
// every result is equally likely; the "mod" keeps even a draw of 1.0 in range.
Int32 Draw(double scale, Int32 range)
{
    return static_cast<Int32>(Floor(Rnd() * scale)) % range;
}

// The start cell's scale, a multiple of the board's 24 cells.
constexpr double StartScale = 9600.0;
// The starting direction's scale, a multiple of the three directions.
constexpr double DirectionScale = 900.0;
// The frontier pick's scale is the frontier's size times this.
constexpr Int32 FrontierScale = 1000;

bool HasPartner(GameTable& board, Int32 a)
{
    for (Int32 direction = 0; direction < 3; ++direction) {
        const Int32 n = board.GetNextEntry(direction);
        if (n >= 0) {
            const Int32 b = board.GetGameCell(n)->RefValue();
            if (b >= 0 && ArePartners(a, b)) {
                return true;
            }
        }
    }
    return false;
}

// The generator's marks on the cells.
enum CellState : Int32 { Untouched = 0, Frontier = 1, Filled = 2 };
using CellStates = std::vector<Int32>;

// The p-th frontier cell in S order, p drawn from the frontier's size; `previous` when there
// is no such cell.
Int32 DrawFrontierCell(const CellStates& state, Int32 frontier, Int32 previous)
{
    Int32 p = Draw(static_cast<double>(frontier * FrontierScale), frontier);
    for (Int32 s = 0; s < static_cast<Int32>(state.size()); ++s) {
        if (state[s] == Frontier) {
            if (p < 1) {
                return s;
            }
            --p;
        }
        YieldToNextThread();
    }
    return previous;
}

// The first filled neighbour of the board's current cell, from a random direction on; -1
// for none.
Int32 DrawFilledNeighbour(GameTable& board, const CellStates& state)
{
    const Int32 d0 = Draw(DirectionScale, 3);
    Int32 neighbour = -1;
    for (Int32 k = 0; k < 3 && neighbour < 0; ++k) {
        const Int32 n = board.GetNextEntry((d0 + k) % 3);
        if (n >= 0 && state[n] == Filled) {
            neighbour = n;
        }
        YieldToNextThread();
    }
    return neighbour;
}

// Fills cell s: with 0 when it has no filled neighbour, else with a part of the neighbour's
// number (plus 10 at times) and leaves the neighbour the rest, so that a move merges them back.
void SplitIntoCell(GameTable& board, Int32 s, Int32 neighbour)
{
    const Int32 v = neighbour < 0 ? -1 : board.GetGameCell(neighbour)->RefValue();
    if (v < 0) {
        board.GetGameCell(s)->SetValue(0);
        return;
    }
    Int32 w = v;
    if (v < 2 || (v <= 8 && Rnd() > 0.5)) {
        w = v + 10;
    }
    Int32 a = w / 2;
    if (w % 2 != 0 && Rnd() > 0.5) {
        a = (w + 1) / 2;
    }
    board.GetGameCell(s)->SetValue(a);
    board.GetGameCell(neighbour)->SetValue(w - a);
}

// Marks the untouched neighbours of the board's current cell as frontier; how many it marked.
Int32 AddFrontier(GameTable& board, CellStates& state)
{
    Int32 added = 0;
    for (Int32 direction = 0; direction < 3; ++direction) {
        const Int32 n = board.GetNextEntry(direction);
        if (n >= 0 && state[n] == Untouched) {
            state[n] = Frontier;
            ++added;
        }
        YieldToNextThread();
    }
    return added;
}

} // namespace

void WalkBoard(GameTable& board, const std::function<void(Int32 s, GameCell& cell)>& visit)
{
    board.ClearCurrent();
    for (Int32 s = board.IncreaseCurrent(); s >= 0; s = board.IncreaseCurrent()) {
        visit(s, *board.GetGameCell(s));
        YieldToNextThread();
    }
}

void ClearBoard(GameTable& board)
{
    WalkBoard(board, [](Int32, GameCell& cell) { cell.SetValue(-1); });
}

MoveResult MoveTile(GameTable& board, Int32 from, Int32 to)
{
    const auto click = board.GetGameCell(from);
    const auto target = board.GetGameCell(to);
    // Only a move between two different tiles can be made.
    if (!click || !target || click == target) {
        return MoveRefused;
    }
    const Int32 a = click->RefValue();
    const Int32 b = target->RefValue();
    if (a < 0 || b < 0 || !ArePartners(a, b)) {
        return MoveRefused;
    }
    const Int32 sum = (a + b) % 10;
    target->SetValue(sum);
    click->SetValue(-1);
    return sum != 0 ? MoveDone : MoveLeftZero;
}

void RemoveTile(GameTable& board, Int32 s)
{
    if (const auto cell = board.GetGameCell(s)) {
        cell->SetValue(-1);
    }
}

EndStatus EndOfGame(GameTable& board)
{
    Int32 tiles = 0;
    Int32 movable = 0;
    WalkBoard(board, [&](Int32, GameCell& cell) {
        const Int32 a = cell.RefValue();
        if (a >= 0) {
            ++tiles;
            if (HasPartner(board, a)) {
                ++movable;
            }
        }
    });
    if (movable > 0) {
        return NotEnded;
    }
    return tiles == 0 ? Complete : DeadEnd;
}

// Plays the move rule backwards from one cell holding 0: each pass fills one frontier cell by
// splitting the number of a filled neighbour into two numbers that a move would merge back.
void MakeBoard(GameTable& board)
{
    const Int32 count = board.RefCellCount();
    if (count <= 0) {
        return;
    }
    CellStates state(static_cast<std::size_t>(count), Untouched);
    Int32 cur = Draw(StartScale, count);
    state[cur] = Frontier;
    Int32 frontier = 1;
    while (frontier >= 1) {
        cur = DrawFrontierCell(state, frontier, cur);
        board.IndexSToCurrent(cur);
        SplitIntoCell(board, cur, DrawFilledNeighbour(board, state));
        state[cur] = Filled;
        frontier += AddFrontier(board, state) - 1;
        YieldToNextThread();
    }
}
