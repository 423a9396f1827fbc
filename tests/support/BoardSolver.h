#pragma once
// A search for a sequence of legal moves that empties a game board, written from the move
// rule alone: it knows nothing of how boards are made.

#include "tests/support/Boards.h"

#include <optional>
#include <vector>

// The board after the move: From empty, To the last digit of the sum, removed when that is 0.
Board ApplyMove(const Board& board, BoardMove move);

// Every legal move on the board: tiles on edge neighbours that are equal or one apart.
std::vector<BoardMove> LegalMoves(const Board& board);

// Moves that clear the board, or nothing when no sequence of moves does.
std::optional<std::vector<BoardMove>> SolveBoard(const Board& board);
