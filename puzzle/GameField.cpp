#include "puzzle/GameField.h"

#include "app/Appl.h"
#include "puzzle/BoardRules.h"
#include "components/media/Sounds.h"
#include "components/soundplayer/SoundPlayer.h"
#include "framework/Maths.h"
#include "framework/Thread.h"

#include <string_view>
#include <vector>

namespace {

constexpr std::string_view BoardPrefix = "KLMa:";

// A draw from Rnd scaled to 0 .. range - 1.
Int32 Draw(double scale, Int32 range)
{
    return static_cast<Int32>(Floor(Rnd() * scale)) % range;
}

} // namespace

// ---- Board walks and sounds ----

void GameField::WalkBoard(const std::function<void(Int32 s, GameCell& cell)>& visit)
{
    GameTable& table = *ItsGameTable;
    table.ClearCurrent();
    for (Int32 s = table.IncreaseCurrent(); s >= 0; s = table.IncreaseCurrent()) {
        visit(s, *table.GetGameCell(s));
        YieldToNextThread();
    }
}

Int32 GameField::CellValue(Int32 s) const
{
    return ItsGameTable->GetGameCell(s)->RefValue();
}

void GameField::PushSound(const std::shared_ptr<Sound>& snd, Int32 priority)
{
    if (const auto& player = App().ItsSoundPlayer) {
        player->PushQueue(snd, priority);
    }
}

// ---- Board string ----

String GameField::SaveToString()
{
    String result(BoardPrefix);
    WalkBoard([&result](Int32, GameCell& cell) {
        const Int32 value = cell.RefValue();
        result += (0 <= value && value < 10) ? static_cast<char>('0' + value) : '-';
    });
    return result;
}

void GameField::RestoreFromString(const String& boardString)
{
    if (!boardString.starts_with(BoardPrefix)) {
        return;
    }
    WalkBoard([&boardString](Int32 s, GameCell& cell) {
        const std::size_t at = BoardPrefix.size() + static_cast<std::size_t>(s);
        const char ch = at < boardString.size() ? boardString[at] : '\0';
        if (ch == '-') {
            cell.SetValue(-1);
        } else {
            cell.SetValue(('0' <= ch && ch <= '9') ? ch - '0' : 0);
        }
    });
}

// ---- Move rule and end test ----

void GameField::GameClear()
{
    WalkBoard([](Int32, GameCell& cell) { cell.SetValue(-1); });
}

Int32 GameField::GameAction1()
{
    const auto click = ItsGameTable->GetGameCell(ItsClickCell);
    const auto target = ItsGameTable->GetGameCell(ItsTargetCell);
    // Only a move between two different tiles can be made.
    if (!click || !target || click == target) {
        return 0;
    }
    const Int32 a = click->RefValue();
    const Int32 b = target->RefValue();
    if (a < 0 || b < 0 || !ArePartners(a, b)) {
        return 0;
    }
    const Int32 sum = (a + b) % 10;
    target->SetValue(sum);
    click->SetValue(-1);
    PushSound(TileSnd(), 4);
    return sum != 0 ? 1 : 2;
}

void GameField::GameAction2()
{
    if (const auto target = ItsGameTable->GetGameCell(ItsTargetCell)) {
        target->SetValue(-1);
    }
    PushSound(TileSnd(), 4);
}

bool GameField::GameTest()
{
    GameTable& table = *ItsGameTable;
    const auto hasPartner = [&table](Int32 a) {
        for (Int32 direction = 0; direction < 3; ++direction) {
            const Int32 n = table.GetNextEntry(direction);
            if (n >= 0) {
                const Int32 b = table.GetGameCell(n)->RefValue();
                if (b >= 0 && ArePartners(a, b)) {
                    return true;
                }
            }
        }
        return false;
    };
    Int32 tiles = 0;
    Int32 movable = 0;
    WalkBoard([&](Int32, GameCell& cell) {
        const Int32 a = cell.RefValue();
        if (a >= 0) {
            ++tiles;
            if (hasPartner(a)) {
                ++movable;
            }
        }
    });
    if (movable > 0) {
        return false;
    }
    ItsEndStatus = tiles == 0 ? Complete : DeadEnd;
    return true;
}

// ---- Board generator ----

// Plays the move rule backwards from one cell holding 0: each pass fills one frontier cell by
// splitting the number of a filled neighbour into two numbers that a move would merge back.
void GameField::GameMake()
{
    enum : Int32 { Untouched = 0, Frontier = 1, Filled = 2 };
    GameTable& table = *ItsGameTable;
    const Int32 count = table.RefCellCount();
    if (count <= 0) {
        return;
    }
    const auto value = [&table](Int32 s) -> Int32 { return table.GetGameCell(s)->RefValue(); };
    const auto setValue = [&table](Int32 s, Int32 v) { table.GetGameCell(s)->SetValue(v); };

    std::vector<Int32> state(static_cast<std::size_t>(count), Untouched);
    Int32 cur = Draw(9600.0, count);
    state[cur] = Frontier;
    Int32 frontier = 1;
    while (frontier >= 1) {
        // The p-th frontier cell in S order.
        Int32 p = Draw(static_cast<double>(frontier * 1000), frontier);
        for (Int32 s = 0; s < count; ++s) {
            if (state[s] == Frontier) {
                if (p < 1) {
                    cur = s;
                    break;
                }
                --p;
            }
            YieldToNextThread();
        }
        table.IndexSToCurrent(cur);

        // The first filled neighbour, from a random direction on.
        const Int32 d0 = Draw(900.0, 3);
        Int32 neighbour = -1;
        for (Int32 k = 0; k < 3 && neighbour < 0; ++k) {
            const Int32 n = table.GetNextEntry((d0 + k) % 3);
            if (n >= 0 && state[n] == Filled) {
                neighbour = n;
            }
            YieldToNextThread();
        }

        const Int32 v = neighbour < 0 ? -1 : value(neighbour);
        if (v < 0) {
            setValue(cur, 0);
        } else {
            Int32 w = v;
            if (v < 2 || (v <= 8 && Rnd() > 0.5)) {
                w = v + 10;
            }
            Int32 a = w / 2;
            if (w % 2 != 0 && Rnd() > 0.5) {
                a = (w + 1) / 2;
            }
            setValue(cur, a);
            setValue(neighbour, w - a);
        }
        state[cur] = Filled;
        --frontier;

        for (Int32 direction = 0; direction < 3; ++direction) {
            const Int32 n = table.GetNextEntry(direction);
            if (n >= 0 && state[n] == Untouched) {
                state[n] = Frontier;
                ++frontier;
            }
            YieldToNextThread();
        }
        YieldToNextThread();
    }
}
