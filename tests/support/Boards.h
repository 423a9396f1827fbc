#pragma once
// The game board as the tests write it: one number per cell in S order, -1 for an empty cell.

#include "framework/Types.h"

#include <array>
#include <initializer_list>
#include <utility>

using Board = std::array<Int32, 24>;

// A move: the tile on cell From is pushed onto its neighbour To.
struct BoardMove {
    Int32 From;
    Int32 To;
};

// A board with only the given tiles, as (cell, value) pairs.
inline Board BoardOf(std::initializer_list<std::pair<Int32, Int32>> tiles)
{
    Board board;
    board.fill(-1);
    for (const auto& [s, value] : tiles) {
        board[s] = value;
    }
    return board;
}

// The board that the generator makes when every draw is 0.0.
inline Board ZeroDrawBoard()
{
    return {3, 3, 1, 6, 5, 6, 6, 3, 1, 6, 3, 2, 3, 6, 6, 3, 1, 6, 5, 3, 1, 6, 3, 2};
}
