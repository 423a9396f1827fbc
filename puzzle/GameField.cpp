#include "puzzle/GameField.h"

#include "app/ApplFields.h"
#include "components/media/Sounds.h"
#include "components/soundplayer/SoundPlayer.h"
#include "puzzle/BoardRules.h"

#include <string_view>

namespace {

constexpr std::string_view BoardPrefix = "KLMa:";

} // namespace

// ---- Board cells and sounds ----

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
    WalkBoard(*ItsGameTable, [&result](Int32, GameCell& cell) {
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
    WalkBoard(*ItsGameTable, [&boardString](Int32 s, GameCell& cell) {
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
    ClearBoard(*ItsGameTable);
}

Int32 GameField::GameAction1()
{
    const MoveResult result = MoveTile(*ItsGameTable, ItsClickCell, ItsTargetCell);
    if (result != MoveRefused) {
        PushSound(TileSnd(), MovePriority);
    }
    return result;
}

void GameField::GameAction2()
{
    RemoveTile(*ItsGameTable, ItsTargetCell);
    PushSound(TileSnd(), MovePriority);
}

bool GameField::GameTest()
{
    const EndStatus end = EndOfGame(*ItsGameTable);
    if (end == NotEnded) {
        return false;
    }
    ItsEndStatus = end;
    return true;
}

// ---- Board generator ----

void GameField::GameMake()
{
    MakeBoard(*ItsGameTable);
}
