#include "foundation/RectGrid.h"

#include <gtest/gtest.h>

namespace {

CRectGrid PreviewWall() {
  CRectGrid grid;
  EXPECT_TRUE(grid.Create(RECT{0, 0, 403, 301}, 4, 4, TRUE, TRUE));
  return grid;
}

}  // namespace

TEST(RectGrid, DefaultsBeforeCreate) {
  CRectGrid grid;
  EXPECT_EQ(4, grid.GetCellCount());
  EXPECT_EQ(2, grid.GetCount1());
  RECT cell;
  EXPECT_FALSE(grid.GetCellByIndex(0, &cell));
}

TEST(RectGrid, PreviewWallCellsAndCentredArea) {
  CRectGrid grid = PreviewWall();
  EXPECT_EQ(100, grid.GetCellWidth());
  EXPECT_EQ(75, grid.GetCellHeight());
  const RECT& area = grid.GetArea();
  EXPECT_EQ(1, area.left);
  EXPECT_EQ(0, area.top);
  EXPECT_EQ(401, area.right);
  EXPECT_EQ(300, area.bottom);
  RECT cell;
  ASSERT_TRUE(grid.GetCell(3, 2, &cell));
  // Cells carry neither the outer position nor the centring offset.
  EXPECT_EQ(200, cell.left);
  EXPECT_EQ(225, cell.top);
  EXPECT_EQ(300, cell.right);
  EXPECT_EQ(300, cell.bottom);
}

TEST(RectGrid, NotCentredKeepsTopLeft) {
  CRectGrid grid;
  ASSERT_TRUE(grid.Create(RECT{10, 20, 413, 321}, 4, 4, FALSE, FALSE));
  EXPECT_EQ(10, grid.GetArea().left);
  EXPECT_EQ(20, grid.GetArea().top);
  EXPECT_EQ(410, grid.GetArea().right);
  EXPECT_EQ(320, grid.GetArea().bottom);
}

TEST(RectGrid, CentredVerticallyOnly) {
  CRectGrid grid;
  ASSERT_TRUE(grid.Create(RECT{0, 0, 403, 306}, 4, 4, FALSE, TRUE));
  EXPECT_EQ(0, grid.GetArea().left);
  EXPECT_EQ(1, grid.GetArea().top);  // (306 - 4 * 76) / 2
}

TEST(RectGrid, RefusesEmptyShape) {
  CRectGrid grid;
  EXPECT_FALSE(grid.Create(RECT{0, 0, 100, 100}, 0, 4, TRUE, TRUE));
  EXPECT_FALSE(grid.Create(RECT{0, 0, 100, 100}, 4, -1, TRUE, TRUE));
  EXPECT_EQ(4, grid.GetCellCount());
}

TEST(RectGrid, NarrowerThanColumnsHitsNothing) {
  CRectGrid grid;
  ASSERT_TRUE(grid.Create(RECT{0, 0, 3, 3}, 4, 4, TRUE, TRUE));
  int index = -1;
  EXPECT_FALSE(grid.HitTest(POINT{1, 1}, &index));
}

struct HitRow {
  int x, y;
  BOOL hit;
  int index;
};

TEST(RectGrid, HitTestTable) {
  const HitRow rows[] = {
      {0, 10, FALSE, 0},    // left of the moved area
      {1, 10, TRUE, 0},     // first column of the area
      {100, 10, TRUE, 0},   // last pixel of cell 0
      {101, 10, TRUE, 1},   // first pixel of cell 1
      {400, 10, TRUE, 3},   // last column of the area
      {401, 10, FALSE, 0},  // right of the area
      {1, 74, TRUE, 0},
      {1, 75, TRUE, 4},
      {400, 299, TRUE, 15},
      {400, 300, FALSE, 0},
      {-1, -1, FALSE, 0},
  };
  CRectGrid grid = PreviewWall();
  for (const HitRow& row : rows) {
    int index = -1;
    EXPECT_EQ(row.hit, grid.HitTest(POINT{row.x, row.y}, &index)) << row.x << "," << row.y;
    if (row.hit) {
      EXPECT_EQ(row.index, index) << row.x << "," << row.y;
    }
  }
}

TEST(RectGrid, HitTestCellGivesTheCell) {
  CRectGrid grid = PreviewWall();
  RECT cell;
  ASSERT_TRUE(grid.HitTestCell(POINT{150, 80}, &cell));
  EXPECT_EQ(100, cell.left);
  EXPECT_EQ(75, cell.top);
  EXPECT_FALSE(grid.HitTestCell(POINT{402, 80}, &cell));
}

struct IndexRow {
  int index;
  BOOL ok;
  int row, column;
};

TEST(RectGrid, IndexToCellTable) {
  const IndexRow rows[] = {
      {-1, FALSE, 0, 0}, {0, TRUE, 0, 0}, {5, TRUE, 1, 1}, {15, TRUE, 3, 3}, {16, FALSE, 0, 0},
  };
  CRectGrid grid = PreviewWall();
  for (const IndexRow& r : rows) {
    int row = -1, column = -1;
    EXPECT_EQ(r.ok, grid.IndexToCell(r.index, &row, &column)) << r.index;
    if (r.ok) {
      EXPECT_EQ(r.row, row);
      EXPECT_EQ(r.column, column);
    }
  }
}

TEST(RectGrid, CellToIndexAndBounds) {
  CRectGrid grid = PreviewWall();
  int index = -1;
  EXPECT_TRUE(grid.CellToIndex(2, 3, &index));
  EXPECT_EQ(11, index);
  EXPECT_FALSE(grid.CellToIndex(4, 0, &index));
  EXPECT_FALSE(grid.CellToIndex(0, 4, &index));
  RECT cell;
  EXPECT_TRUE(grid.GetCellByIndex(15, &cell));
  EXPECT_FALSE(grid.GetCellByIndex(16, &cell));
  EXPECT_FALSE(grid.GetCell(0, 4, &cell));
  EXPECT_EQ(16, grid.GetCellCount());
  EXPECT_EQ(4, grid.GetCount1());
}
