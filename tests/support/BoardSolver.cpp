#include "tests/support/BoardSolver.h"

#include "tests/support/BoardCells.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>
#include <unordered_set>

namespace {

using CellSet = std::uint32_t;

// Four bits per cell of a group: the value + 1, and 0 for a cell outside the group.
using GroupKey = unsigned __int128;

struct KeyHash {
    std::size_t operator()(GroupKey key) const
    {
        const auto low = static_cast<std::uint64_t>(key);
        const auto high = static_cast<std::uint64_t>(key >> 64);
        return std::hash<std::uint64_t>()(low ^ (high * 0x9E3779B97F4A7C15ull));
    }
};

const std::array<CellSet, 24> NeighbourSets = [] {
    std::array<CellSet, 24> sets{};
    for (const CellRow& cell : BoardCells) {
        for (Int32 n : cell.next) {
            if (n >= 0) {
                sets[cell.s] |= CellSet(1) << n;
            }
        }
    }
    return sets;
}();

// The move rule's partners: equal or one apart.
bool Partners(Int32 a, Int32 b)
{
    return std::abs(a - b) <= 1;
}

// Calls visit(s) for every cell of the set, in ascending order.
template <class Visit>
void ForEachCell(CellSet cells, Visit visit)
{
    for (; cells != 0; cells &= cells - 1) {
        visit(std::countr_zero(cells));
    }
}

CellSet Occupied(const Board& board)
{
    CellSet set = 0;
    for (Int32 s = 0; s < 24; ++s) {
        if (board[s] >= 0) {
            set |= CellSet(1) << s;
        }
    }
    return set;
}

// The connected group of cells holding the lowest cell of `cells`.
CellSet GroupOfFirst(CellSet cells)
{
    CellSet group = cells & -cells;
    for (CellSet added = group; added != 0;) {
        CellSet reached = 0;
        ForEachCell(added, [&reached](Int32 s) { reached |= NeighbourSets[s]; });
        added = reached & cells & ~group;
        group |= added;
    }
    return group;
}

// Tiles never move to other cells and a move joins two neighbours, so every group of
// connected tiles is played on its own: a board is clear exactly when each group can be
// cleared. A move keeps the last digit of the sum of its two numbers, so a group whose sum
// does not end in 0 never can be. Depth first, remembering every group already decided.
class Search {
public:
    explicit Search(const Board& board) : itsBoard(board) {}

    bool ClearAll(CellSet cells)
    {
        while (cells != 0) {
            const CellSet group = GroupOfFirst(cells);
            if (!ClearGroup(group)) {
                return false;
            }
            cells &= ~group;
        }
        return true;
    }

    // The moves that clear the tiles of a set for which ClearAll was True.
    void AppendMoves(CellSet cells, std::vector<BoardMove>& moves)
    {
        while (cells != 0) {
            const CellSet group = GroupOfFirst(cells);
            const BoardMove move = itsWinningMoves.at(KeyOf(group));
            moves.push_back(move);
            const Undo undo = Apply(move);
            AppendMoves(group & ~Vacated(move, undo), moves);
            Revert(move, undo);
            cells &= ~group;
        }
    }

private:
    struct Undo {
        Int32 From, To;
    };

    bool ClearGroup(CellSet group)
    {
        Int32 sum = 0;
        ForEachCell(group, [&](Int32 s) { sum += itsBoard[s]; });
        if (sum % 10 != 0) {
            return false;
        }
        const GroupKey key = KeyOf(group);
        if (itsWinningMoves.contains(key)) {
            return true;
        }
        if (itsDeadEnds.contains(key)) {
            return false;
        }
        bool cleared = false;
        ForEachCell(group, [&](Int32 from) {
            ForEachCell(NeighbourSets[from] & group, [&](Int32 to) {
                const BoardMove move{from, to};
                if (cleared || !Partners(itsBoard[from], itsBoard[to])) {
                    return;
                }
                const Undo undo = Apply(move);
                cleared = ClearAll(group & ~Vacated(move, undo));
                Revert(move, undo);
                if (cleared) {
                    itsWinningMoves[key] = move;
                }
            });
        });
        if (!cleared) {
            itsDeadEnds.insert(key);
        }
        return cleared;
    }

    Undo Apply(BoardMove move)
    {
        const Undo undo{itsBoard[move.From], itsBoard[move.To]};
        itsBoard = ApplyMove(itsBoard, move);
        return undo;
    }

    void Revert(BoardMove move, Undo undo)
    {
        itsBoard[move.From] = undo.From;
        itsBoard[move.To] = undo.To;
    }

    // The cells a move emptied.
    CellSet Vacated(BoardMove move, Undo undo) const
    {
        const CellSet from = CellSet(1) << move.From;
        return (undo.From + undo.To) % 10 == 0 ? from | CellSet(1) << move.To : from;
    }

    GroupKey KeyOf(CellSet group) const
    {
        GroupKey key = 0;
        for (Int32 s = 0; s < 24; ++s) {
            key = (key << 4) | static_cast<GroupKey>((group >> s) & 1 ? itsBoard[s] + 1 : 0);
        }
        return key;
    }

    Board itsBoard;
    std::unordered_set<GroupKey, KeyHash> itsDeadEnds;
    std::unordered_map<GroupKey, BoardMove, KeyHash> itsWinningMoves;
};

} // namespace

Board ApplyMove(const Board& board, BoardMove move)
{
    Board next = board;
    const Int32 sum = (board[move.From] + board[move.To]) % 10;
    next[move.From] = -1;
    next[move.To] = sum == 0 ? -1 : sum;
    return next;
}

std::vector<BoardMove> LegalMoves(const Board& board)
{
    std::vector<BoardMove> moves;
    const CellSet occupied = Occupied(board);
    ForEachCell(occupied, [&](Int32 from) {
        ForEachCell(NeighbourSets[from] & occupied, [&](Int32 to) {
            if (Partners(board[from], board[to])) {
                moves.push_back({from, to});
            }
        });
    });
    return moves;
}

std::optional<std::vector<BoardMove>> SolveBoard(const Board& board)
{
    Search search(board);
    if (!search.ClearAll(Occupied(board))) {
        return std::nullopt;
    }
    std::vector<BoardMove> moves;
    search.AppendMoves(Occupied(board), moves);
    return moves;
}
