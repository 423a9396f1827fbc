#pragma once
// The rules of the puzzle as plain functions over the board: the move, the end test and the
// board generator. The game field's operations call them and add the sounds; they need no
// application object. Every walk goes through the board's cursor and yields once per cell.

#include "framework/Types.h"

#include <functional>

class GameCell;
class GameTable;

// What a move did, as GameAction1 returns it.
enum MoveResult : Int32 {
    MoveRefused = 0,
    MoveDone = 1,
    // The target holds 0, which GameAction2 removes a tick later.
    MoveLeftZero = 2,
};

// How a game ended, as the game field's ItsEndStatus holds it; it stays until the next start.
enum EndStatus : Int32 { NotEnded = 0, Complete = 1, DeadEnd = 2, Aborted = 3 };

// Whether two tile numbers may be merged: equal or one apart (9 and 1 are not).
constexpr bool ArePartners(Int32 a, Int32 b)
{
    return a - b <= 1 && b - a <= 1;
}

// Calls visit(s, cell) for every cell in S order.
void WalkBoard(GameTable& board, const std::function<void(Int32 s, GameCell& cell)>& visit);

// Every cell empty.
void ClearBoard(GameTable& board);

// The tile on `from` goes and the tile on `to` keeps the last digit of the sum, when the two
// are partners; otherwise nothing changes.
MoveResult MoveTile(GameTable& board, Int32 from, Int32 to);

// Empties cell s.
void RemoveTile(GameTable& board, Int32 s);

// NotEnded while some tile has an edge neighbour that is its partner; otherwise Complete for
// an empty board and DeadEnd for one with tiles left.
EndStatus EndOfGame(GameTable& board);

// Fills the empty board with a puzzle that can be cleared, from the framework's Rnd.
void MakeBoard(GameTable& board);
