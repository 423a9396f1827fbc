#pragma once
// A cell of the game board: empty (-1) or a tile with a number from 0 to 9.

#include "puzzle/TriangleCellEntry.h"

class GameCell : public TriangleCellEntry {
protected:
    // A cell starts empty.
    void Initialize() override;

public:
    virtual Int32 RefValue() const;
    virtual void SetValue(Int32 value);

protected:
    Int32 ItsValue = 0;
};
