#pragma once
// A finite grid of triangular cells: a lattice of SizeX by SizeY rhombi, each cut along its
// horizontal diagonal into a down-pointing (Z = 0) and an up-pointing (Z = 1) triangle, of
// which the table keeps those whose row lies strictly between two bounds.
//
// Positions are in half-cell units, x to the right and y upward. All queries run through
// one cursor cell; walking all cells is ClearCurrent, then IncreaseCurrent until it gives -1.

#include "puzzle/TriangleCellEntry.h"

#include <memory>
#include <vector>

class TriangleCellTable {
public:
    virtual ~TriangleCellTable() = default;

    virtual void Constructor(Int32 sizeX, Int32 sizeY, Int32 boundTop, Int32 boundBottom);

protected:
    virtual void SetupTable();
    // Makes one cell; a subclass makes its own cell class here.
    virtual std::shared_ptr<TriangleCellEntry> NewTriangleCellEntry();
    virtual Int32 IndexToPosY(Int32 x, Int32 y, Int32 z) const;
    virtual Int32 IndexToPosX(Int32 x, Int32 y, Int32 z) const;

public:
    // Puts the cursor on the cell under the point, or clears it.
    virtual void PosToCurrent(double px, double py);
    virtual String VersionInfo() const;
    virtual void IndexToCurrent(Int32 x, Int32 y, Int32 z);
    // The S of the cursor cell's neighbour across edge 0 (horizontal), 1 or 2 (slanted),
    // or -1. Any other direction counts as 0.
    virtual Int32 GetNextEntry(Int32 direction) const;
    // The cursor's S, or -1 without a cursor.
    virtual Int32 GetCurrentEntry() const;
    virtual void IndexSToCurrent(Int32 s);
    virtual Int32 RefCellCount() const;
    // The cell with sequence number s; null where there is none.
    virtual const std::shared_ptr<TriangleCellEntry>& GetCellEntry(Int32 s) const;
    virtual void ClearCurrent();
    // Moves the cursor to the next cell in S order and gives its S; -1 after the last cell,
    // with the cursor left on it.
    virtual Int32 IncreaseCurrent();
    virtual Int32 GetCurrentPosX() const;
    virtual Int32 GetCurrentPosY() const;
    virtual bool IsCurrentUp() const;

protected:
    // The cell of every lattice triangle, [X][Y][Z] with Z innermost; null where none is kept.
    std::vector<std::shared_ptr<TriangleCellEntry>> ItsCellTable;
    Int32 ItsBoundTop = 0;
    Int32 ItsBoundBottom = 0;
    Int32 ItsSizeX = 0;
    Int32 ItsSizeY = 0;
    Int32 ItsCellCount = 0;
    // The kept cells by S; the slots from ItsCellCount on stay null.
    std::vector<std::shared_ptr<TriangleCellEntry>> ItsCellArrey;
    std::shared_ptr<TriangleCellEntry> ItsCurrentEntry;
    // Lattice coordinates u, v of the point last found by PosToCurrent.
    double ItsCurrentX = 0.0;
    double ItsCurrentY = 0.0;

private:
    bool IsInLattice(Int32 x, Int32 y) const;
    // Slot of lattice triangle (x, y, z) in ItsCellTable; the indices must lie in the lattice.
    std::size_t LatticeSlot(Int32 x, Int32 y, Int32 z) const;
    // ItsCellArrey(s); null outside the array.
    const std::shared_ptr<TriangleCellEntry>& SequenceEntry(Int32 s) const;
    void SetCurrent(std::shared_ptr<TriangleCellEntry> entry);
};
