// The triangle grid: the game board's 24 cells as data, the point look-up on cell
// boundaries, walks, and tables with other bounds.

#include "puzzle/GameTable.h"
#include "tests/support/BoardCells.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

namespace {

std::shared_ptr<TriangleCellTable> MakeTable(Int32 sizeX, Int32 sizeY, Int32 top, Int32 bottom)
{
    auto table = std::make_shared<TriangleCellTable>();
    table->Constructor(sizeX, sizeY, top, bottom);
    return table;
}

Int32 CellAt(TriangleCellTable& table, double px, double py)
{
    table.PosToCurrent(px, py);
    return table.GetCurrentEntry();
}

Int32 NeighbourOf(TriangleCellTable& table, Int32 s, Int32 direction)
{
    table.IndexSToCurrent(s);
    return table.GetNextEntry(direction);
}

// The (X, Y, Z) of every cell, in S order.
std::vector<std::tuple<Int32, Int32, Int32>> CellIndices(TriangleCellTable& table)
{
    std::vector<std::tuple<Int32, Int32, Int32>> cells;
    for (Int32 s = 0; s < table.RefCellCount(); ++s) {
        const auto e = table.GetCellEntry(s);
        cells.emplace_back(e->RefIndexX(), e->RefIndexY(), e->RefIndexZ());
    }
    return cells;
}

} // namespace

TEST(TriangleCellTable, GameBoardCellsMatchTheirIndicesPositionsAndNeighbours)
{
    auto table = MakeTable(4, 4, 4, -4);
    ASSERT_EQ(table->RefCellCount(), 24);
    for (const CellRow& row : BoardCells) {
        SCOPED_TRACE(testing::Message() << "cell " << row.s);
        const auto entry = table->GetCellEntry(row.s);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->RefIndexS(), row.s);
        EXPECT_EQ(entry->RefIndexX(), row.x);
        EXPECT_EQ(entry->RefIndexY(), row.y);
        EXPECT_EQ(entry->RefIndexZ(), row.z);
        EXPECT_EQ(entry->IsCellUp(), row.up);

        table->IndexSToCurrent(row.s);
        EXPECT_EQ(table->GetCurrentEntry(), row.s);
        EXPECT_EQ(table->GetCurrentPosX(), row.posX);
        EXPECT_EQ(table->GetCurrentPosY(), row.posY);
        EXPECT_EQ(table->IsCurrentUp(), row.up);
        for (Int32 d = 0; d < 3; ++d) {
            EXPECT_EQ(table->GetNextEntry(d), row.next[d]) << "direction " << d;
        }
        EXPECT_EQ(table->GetCurrentEntry(), row.s) << "GetNextEntry moved the cursor";

        table->IndexToCurrent(row.x, row.y, row.z);
        EXPECT_EQ(table->GetCurrentEntry(), row.s);
        EXPECT_EQ(CellAt(*table, row.posX, row.posY), row.s);
    }
}

TEST(TriangleCellTable, GameBoardLeavesOutTheLatticeTrianglesBeyondItsRows)
{
    auto table = MakeTable(4, 4, 4, -4);
    const std::tuple<Int32, Int32, Int32> outside[] = {{0, 2, 1}, {0, 3, 0}, {0, 3, 1}, {1, 3, 1},
                                                       {2, 0, 0}, {3, 0, 0}, {3, 0, 1}, {3, 1, 0}};
    for (const auto& [x, y, z] : outside) {
        table->IndexToCurrent(x, y, z);
        EXPECT_EQ(table->GetCurrentEntry(), -1) << x << "," << y << "," << z;
        EXPECT_FALSE(table->IsCurrentUp());
    }
    for (Int32 s = 24; s < 32; ++s) {
        EXPECT_FALSE(table->GetCellEntry(s));
        table->IndexSToCurrent(s);
        EXPECT_EQ(table->GetCurrentEntry(), -1);
    }
}

TEST(TriangleCellTable, NeighbourRelationIsSymmetricAndEveryEdgeIsShared)
{
    auto table = MakeTable(4, 4, 4, -4);
    std::set<std::pair<Int32, Int32>> edges;
    for (Int32 s = 0; s < 24; ++s) {
        for (Int32 d = 0; d < 3; ++d) {
            const Int32 n = NeighbourOf(*table, s, d);
            if (n < 0) {
                continue;
            }
            EXPECT_NE(n, s);
            EXPECT_EQ(NeighbourOf(*table, n, d), s) << s << " -> " << n << " in direction " << d;
            edges.insert({std::min(s, n), std::max(s, n)});
        }
    }
    // The hexagon of 24 triangles has 30 inner edges.
    EXPECT_EQ(edges.size(), 30u);
}

TEST(TriangleCellTable, NeighbourQueriesWithoutCursorOrWithOtherDirections)
{
    auto table = MakeTable(4, 4, 4, -4);
    table->ClearCurrent();
    EXPECT_EQ(table->GetNextEntry(0), -1);
    EXPECT_EQ(table->GetCurrentPosX(), -1);
    EXPECT_EQ(table->GetCurrentPosY(), -1);
    for (Int32 s : {2, 9, 17}) {
        EXPECT_EQ(NeighbourOf(*table, s, 3), NeighbourOf(*table, s, 0));
        EXPECT_EQ(NeighbourOf(*table, s, -1), NeighbourOf(*table, s, 0));
    }
}

TEST(TriangleCellTable, PointsOnCellBoundariesBelongToTheCellBelowOrRight)
{
    auto table = MakeTable(4, 4, 4, -4);
    EXPECT_EQ(CellAt(*table, 1, 0), 0);     // horizontal edge between 1 above and 0 below
    EXPECT_EQ(CellAt(*table, 2.5, 1), 8);   // slanted edge between 2 and 8
    EXPECT_EQ(CellAt(*table, 2, 0), 7);     // a vertex
    EXPECT_EQ(CellAt(*table, 4, -4), -1);   // a vertex of the bottom outline
    EXPECT_EQ(CellAt(*table, 8, 0), -1);    // the right corner
    EXPECT_EQ(CellAt(*table, 0.01, 0), 0);  // just inside the left corner
    EXPECT_EQ(CellAt(*table, 7.99, 0), 22); // just inside the right corner
    EXPECT_EQ(CellAt(*table, 4, 3.99), 10); // just below the apex of 10 on the top side
    EXPECT_EQ(CellAt(*table, 4, 4), 11);    // that apex: upper-left corner of 11
    EXPECT_EQ(CellAt(*table, 5, 4), 11);    // the top side above 11
    EXPECT_EQ(CellAt(*table, 4, 4.5), -1);  // above the top side
}

TEST(TriangleCellTable, PointsOffTheLatticeClearTheCursor)
{
    auto table = MakeTable(4, 4, 4, -4);
    const std::pair<double, double> points[] = {{-0.5, 0}, {0, -8},    {4, 9},   {20, 0},
                                                {1e30, 0}, {-1e30, 0}, {NAN, 1}, {0, INFINITY}};
    for (const auto& [px, py] : points) {
        table->IndexSToCurrent(5);
        EXPECT_EQ(CellAt(*table, px, py), -1) << px << "," << py;
        EXPECT_EQ(table->GetCurrentPosX(), -1);
        EXPECT_EQ(table->GetCurrentPosY(), -1);
    }
}

TEST(TriangleCellTable, PointLookUpRemembersLatticeCoordinatesOnlyOfAHit)
{
    struct Probe : TriangleCellTable {
        double U() const { return ItsCurrentX; }
        double V() const { return ItsCurrentY; }
    } table;
    table.Constructor(4, 4, 4, -4);
    table.PosToCurrent(3.0, 1.0);
    EXPECT_EQ(table.GetCurrentEntry(), 8);
    EXPECT_DOUBLE_EQ(table.U(), 1.25);
    EXPECT_DOUBLE_EQ(table.V(), 1.75);
    table.IndexSToCurrent(3);
    EXPECT_EQ(table.U(), 0.0);
    table.PosToCurrent(3.0, 1.0);
    table.PosToCurrent(4.0, 5.0); // inside the lattice, on a triangle that is not kept
    EXPECT_EQ(table.GetCurrentEntry(), -1);
    EXPECT_EQ(table.U(), 0.0);
    EXPECT_EQ(table.V(), 0.0);
}

TEST(TriangleCellTable, WalkVisitsEveryCellInOrderAndStopsOnTheLast)
{
    auto table = MakeTable(4, 4, 4, -4);
    table->ClearCurrent();
    for (Int32 expected = 0; expected < 24; ++expected) {
        EXPECT_EQ(table->IncreaseCurrent(), expected);
        EXPECT_EQ(table->GetCurrentEntry(), expected);
    }
    for (int again = 0; again < 3; ++again) {
        EXPECT_EQ(table->IncreaseCurrent(), -1);
        EXPECT_EQ(table->GetCurrentEntry(), 23);
    }
    table->IndexSToCurrent(10);
    EXPECT_EQ(table->IncreaseCurrent(), 11);
}

TEST(TriangleCellTable, RowsOnABoundAreNotKept)
{
    auto board = MakeTable(4, 4, 4, -4);
    auto wider = MakeTable(4, 4, 5, -5);
    EXPECT_EQ(wider->RefCellCount(), 24);
    EXPECT_EQ(CellIndices(*wider), CellIndices(*board));

    auto middle = MakeTable(4, 4, 3, -3);
    ASSERT_EQ(middle->RefCellCount(), 14);
    for (Int32 s = 0; s < 14; ++s) {
        middle->IndexSToCurrent(s);
        EXPECT_EQ(std::abs(middle->GetCurrentPosY()), 1) << "cell " << s;
    }
    // S follows X, then Y, then Z: the first cells of rows -1 and 1 at X = 0.
    EXPECT_EQ(CellIndices(*middle)[0], std::make_tuple(0, 0, 0));
    EXPECT_EQ(CellIndices(*middle)[1], std::make_tuple(0, 0, 1));
    EXPECT_EQ(CellIndices(*middle)[2], std::make_tuple(0, 1, 0));
}

TEST(TriangleCellTable, TablesWithoutCellsAnswerEveryQueryWithNone)
{
    for (const auto& table : {MakeTable(4, 4, 1, -1), MakeTable(0, 0, 4, -4), MakeTable(-3, 2, 4, -4),
                              std::make_shared<TriangleCellTable>()}) {
        EXPECT_EQ(table->RefCellCount(), 0);
        table->ClearCurrent();
        EXPECT_EQ(table->IncreaseCurrent(), -1);
        EXPECT_EQ(table->GetCurrentEntry(), -1);
        EXPECT_EQ(CellAt(*table, 1, 0), -1);
        EXPECT_FALSE(table->GetCellEntry(0));
    }
}

TEST(TriangleCellTable, LargerTableKeepsEveryTriangleBetweenItsBounds)
{
    auto table = MakeTable(6, 5, 100, -100);
    ASSERT_EQ(table->RefCellCount(), 60);
    for (Int32 s = 0; s < 60; ++s) {
        table->IndexSToCurrent(s);
        const Int32 px = table->GetCurrentPosX();
        const Int32 py = table->GetCurrentPosY();
        EXPECT_EQ(CellAt(*table, px, py), s);
        for (Int32 d = 0; d < 3; ++d) {
            const Int32 n = NeighbourOf(*table, s, d);
            if (n >= 0) {
                EXPECT_EQ(NeighbourOf(*table, n, d), s);
            }
        }
    }
}

TEST(TriangleCellTable, OwnCallsGoThroughOverridablePositions)
{
    // Rows counted twice as tall: the bounds then keep fewer cells, and the cursor's PosY follows.
    struct TallRows : TriangleCellTable {
        Int32 IndexToPosY(Int32 x, Int32 y, Int32 z) const override
        {
            return 2 * TriangleCellTable::IndexToPosY(x, y, z);
        }
        Int32 IndexToPosX(Int32 x, Int32 y, Int32 z) const override
        {
            return 10 + TriangleCellTable::IndexToPosX(x, y, z);
        }
    } table;
    table.Constructor(4, 4, 4, -4);
    EXPECT_EQ(table.RefCellCount(), 14);
    table.ClearCurrent();
    while (table.IncreaseCurrent() >= 0) {
        EXPECT_EQ(std::abs(table.GetCurrentPosY()), 2);
        EXPECT_GE(table.GetCurrentPosX(), 11);
    }
}

TEST(GameTable, MakesEmptyGameCells)
{
    GameTable table;
    table.Constructor(4, 4, 4, -4);
    for (Int32 s = 0; s < 24; ++s) {
        const auto cell = table.GetGameCell(s);
        ASSERT_TRUE(cell);
        EXPECT_EQ(cell->RefValue(), -1);
        EXPECT_EQ(cell, table.GetCellEntry(s));
    }
    EXPECT_FALSE(table.GetGameCell(24));
    EXPECT_FALSE(table.GetGameCell(31));
    EXPECT_FALSE(table.GetGameCell(-1));

    table.GetGameCell(7)->SetValue(9);
    table.IndexSToCurrent(3);
    EXPECT_EQ(table.GetGameCell(7)->RefValue(), 9);
    EXPECT_EQ(table.GetCurrentEntry(), 3) << "GetGameCell moved the cursor";
}

TEST(GameTable, CellsOfAnotherClassAreNotGameCells)
{
    struct PlainCells : GameTable {
        std::shared_ptr<TriangleCellEntry> NewTriangleCellEntry() override
        {
            return std::make_shared<TriangleCellEntry>();
        }
    } table;
    table.Constructor(4, 4, 4, -4);
    EXPECT_TRUE(table.GetCellEntry(0));
    EXPECT_FALSE(table.GetGameCell(0));
}

TEST(GameCell, HoldsZeroUntilItsIndexIsSetThenStartsEmpty)
{
    GameCell cell;
    EXPECT_EQ(cell.RefValue(), 0);
    cell.SetIndex(2, 3, 1, 17);
    EXPECT_EQ(cell.RefValue(), -1);
    EXPECT_EQ(cell.RefIndexS(), 17);
    EXPECT_TRUE(cell.IsCellUp());
    cell.SetValue(12);
    EXPECT_EQ(cell.RefValue(), 12);
    cell.SetIndex(2, 3, 0, 17);
    EXPECT_EQ(cell.RefValue(), -1);
    EXPECT_FALSE(cell.IsCellUp());
}
