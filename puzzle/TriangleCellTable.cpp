#include "puzzle/TriangleCellTable.h"

#include "framework/Maths.h"
#include "framework/Thread.h"

#include <algorithm>

void TriangleCellTable::Constructor(Int32 sizeX, Int32 sizeY, Int32 boundTop, Int32 boundBottom)
{
    ItsSizeX = sizeX;
    ItsSizeY = sizeY;
    ItsBoundTop = boundTop;
    ItsBoundBottom = boundBottom;
    const std::size_t triangles = 2 * static_cast<std::size_t>(std::max(sizeX, 0)) *
                                  static_cast<std::size_t>(std::max(sizeY, 0));
    ItsCellTable.assign(triangles, nullptr);
    ItsCellArrey.assign(triangles, nullptr);
    SetupTable();
    SetCurrent(nullptr);
}

void TriangleCellTable::SetupTable()
{
    Int32 s = 0;
    for (Int32 x = 0; x < ItsSizeX; ++x) {
        for (Int32 y = 0; y < ItsSizeY; ++y) {
            for (Int32 z = 0; z <= 1; ++z) {
                const Int32 posY = IndexToPosY(x, y, z);
                std::shared_ptr<TriangleCellEntry> entry;
                if (ItsBoundBottom < posY && posY < ItsBoundTop) {
                    entry = NewTriangleCellEntry();
                    entry->SetIndex(x, y, z, s);
                    ItsCellArrey[s] = entry;
                    ++s;
                }
                ItsCellTable[LatticeSlot(x, y, z)] = std::move(entry);
                YieldToNextThread();
            }
        }
    }
    ItsCellCount = s;
}

std::shared_ptr<TriangleCellEntry> TriangleCellTable::NewTriangleCellEntry()
{
    return std::make_shared<TriangleCellEntry>();
}

Int32 TriangleCellTable::IndexToPosY(Int32 x, Int32 y, Int32 z) const
{
    return 2 * (y - x) - 1 + 2 * z;
}

Int32 TriangleCellTable::IndexToPosX(Int32 x, Int32 y, Int32 /*z*/) const
{
    return x + y + 1;
}

void TriangleCellTable::PosToCurrent(double px, double py)
{
    const double u = px / 2.0 - py / 4.0;
    const double v = px / 2.0 + py / 4.0;
    const double x = Floor(u);
    const double y = Floor(v);
    // Compared as doubles first, so that far-off points (and NaN) never overflow an Int32.
    if (!(x >= 0.0 && x < ItsSizeX && y >= 0.0 && y < ItsSizeY)) {
        SetCurrent(nullptr);
        return;
    }
    const Int32 z = (u - x) < (v - y) ? 1 : 0;
    SetCurrent(ItsCellTable[LatticeSlot(static_cast<Int32>(x), static_cast<Int32>(y), z)]);
    if (ItsCurrentEntry) {
        ItsCurrentX = u;
        ItsCurrentY = v;
    }
}

String TriangleCellTable::VersionInfo() const
{
    return "2011-11-21,1";
}

void TriangleCellTable::IndexToCurrent(Int32 x, Int32 y, Int32 z)
{
    const bool inside = IsInLattice(x, y) && (z == 0 || z == 1);
    SetCurrent(inside ? ItsCellTable[LatticeSlot(x, y, z)] : nullptr);
}

Int32 TriangleCellTable::GetNextEntry(Int32 direction) const
{
    if (!ItsCurrentEntry) {
        return -1;
    }
    Int32 x = ItsCurrentEntry->RefIndexX();
    Int32 y = ItsCurrentEntry->RefIndexY();
    Int32 z = ItsCurrentEntry->RefIndexZ();
    if (direction == 2) {
        y += z == 1 ? 1 : -1;
    } else if (direction == 1) {
        x += z == 1 ? -1 : 1;
    }
    z = (z + 1) % 2;
    if (!IsInLattice(x, y)) {
        return -1;
    }
    const auto& next = ItsCellTable[LatticeSlot(x, y, z)];
    return next ? next->RefIndexS() : -1;
}

Int32 TriangleCellTable::GetCurrentEntry() const
{
    return ItsCurrentEntry ? ItsCurrentEntry->RefIndexS() : -1;
}

void TriangleCellTable::IndexSToCurrent(Int32 s)
{
    SetCurrent(SequenceEntry(s));
}

Int32 TriangleCellTable::RefCellCount() const
{
    return ItsCellCount;
}

const std::shared_ptr<TriangleCellEntry>& TriangleCellTable::GetCellEntry(Int32 s) const
{
    return SequenceEntry(s);
}

void TriangleCellTable::ClearCurrent()
{
    SetCurrent(nullptr);
}

Int32 TriangleCellTable::IncreaseCurrent()
{
    const Int32 next = ItsCurrentEntry ? ItsCurrentEntry->RefIndexS() + 1 : 0;
    if (next >= ItsCellCount) {
        return -1;
    }
    IndexSToCurrent(next);
    return next;
}

Int32 TriangleCellTable::GetCurrentPosX() const
{
    if (!ItsCurrentEntry) {
        return -1;
    }
    return IndexToPosX(ItsCurrentEntry->RefIndexX(), ItsCurrentEntry->RefIndexY(), ItsCurrentEntry->RefIndexZ());
}

Int32 TriangleCellTable::GetCurrentPosY() const
{
    if (!ItsCurrentEntry) {
        return -1;
    }
    return IndexToPosY(ItsCurrentEntry->RefIndexX(), ItsCurrentEntry->RefIndexY(), ItsCurrentEntry->RefIndexZ());
}

bool TriangleCellTable::IsCurrentUp() const
{
    return ItsCurrentEntry && ItsCurrentEntry->IsCellUp();
}

bool TriangleCellTable::IsInLattice(Int32 x, Int32 y) const
{
    return 0 <= x && x < ItsSizeX && 0 <= y && y < ItsSizeY;
}

std::size_t TriangleCellTable::LatticeSlot(Int32 x, Int32 y, Int32 z) const
{
    return (static_cast<std::size_t>(x) * static_cast<std::size_t>(ItsSizeY) + static_cast<std::size_t>(y)) * 2 +
           static_cast<std::size_t>(z);
}

const std::shared_ptr<TriangleCellEntry>& TriangleCellTable::SequenceEntry(Int32 s) const
{
    static const std::shared_ptr<TriangleCellEntry> none;
    if (s < 0 || static_cast<std::size_t>(s) >= ItsCellArrey.size()) {
        return none;
    }
    return ItsCellArrey[s];
}

void TriangleCellTable::SetCurrent(std::shared_ptr<TriangleCellEntry> entry)
{
    ItsCurrentEntry = std::move(entry);
    ItsCurrentX = 0.0;
    ItsCurrentY = 0.0;
}
