#include "puzzle/GameTable.h"

#include <typeinfo>

std::shared_ptr<TriangleCellEntry> GameTable::NewTriangleCellEntry()
{
    return std::make_shared<GameCell>();
}

std::shared_ptr<GameCell> GameTable::GetGameCell(Int32 s) const
{
    const std::shared_ptr<TriangleCellEntry>& entry = GetCellEntry(s);
    const TriangleCellEntry* const raw = entry.get();
    // The cells this table makes are GameCells; only other classes need the full cast.
    if (raw && typeid(*raw) == typeid(GameCell)) {
        return std::static_pointer_cast<GameCell>(entry);
    }
    return std::dynamic_pointer_cast<GameCell>(entry);
}
