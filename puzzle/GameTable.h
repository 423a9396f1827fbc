#pragma once
// The game board: a triangle grid whose cells are GameCells.

#include "puzzle/GameCell.h"
#include "puzzle/TriangleCellTable.h"

class GameTable : public TriangleCellTable {
protected:
    std::shared_ptr<TriangleCellEntry> NewTriangleCellEntry() override;

public:
    // The cell with sequence number s, or null where there is none.
    virtual std::shared_ptr<GameCell> GetGameCell(Int32 s) const;
};
