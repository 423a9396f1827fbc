#pragma once
// One triangular cell of a triangle grid: its lattice indices and sequence number.

#include "framework/Types.h"

class TriangleCellEntry {
public:
    virtual ~TriangleCellEntry() = default;

    // Stores the indices, then lets the cell reset its own data.
    virtual void SetIndex(Int32 x, Int32 y, Int32 z, Int32 s);

protected:
    virtual void Initialize();

public:
    virtual Int32 RefIndexX() const;
    virtual Int32 RefIndexY() const;
    virtual Int32 RefIndexZ() const;
    virtual Int32 RefIndexS() const;
    virtual String VersionInfo() const;
    // True for the up-pointing half of the rhombus (Z = 1).
    virtual bool IsCellUp() const;

protected:
    Int32 ItsIndexX = 0;
    Int32 ItsIndexY = 0;
    Int32 ItsIndexZ = 0;
    Int32 ItsIndexS = 0;
};
