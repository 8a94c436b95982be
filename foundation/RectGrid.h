#pragma once
#include <windows.h>
#include <vector>

// A rectangle cut into rows x columns equal cells. Cell rectangles are relative to the grid's own
// origin (the preview wall's client area starts at 0, 0); the area is where whole cells lie in
// the outer rectangle, centred when asked, and is what hit tests are made against.
class CRectGrid
{
public:
    CRectGrid();
    virtual ~CRectGrid();

    // FALSE (and nothing changes) for fewer than one row or column.
    BOOL Create(const RECT& outer, int rows, int columns, BOOL centreX, BOOL centreY);

    BOOL GetCell(int row, int column, RECT* cell) const;
    BOOL HitTestCell(POINT pt, RECT* cell) const;
    BOOL HitTest(POINT pt, int* index) const;
    BOOL GetCellByIndex(int index, RECT* cell) const;
    int GetCellCount() const { return m_rows * m_columns; }
    int GetCount1() const { return m_rows; }
    BOOL IndexToCell(int index, int* row, int* column) const;
    BOOL CellToIndex(int row, int column, int* index) const;

    const RECT& GetArea() const { return m_area; }
    const RECT& GetOuter() const { return m_outer; }
    int GetCellWidth() const { return m_cellWidth; }
    int GetCellHeight() const { return m_cellHeight; }

private:
    RECT m_outer;
    RECT m_area;
    int m_rows;
    int m_columns;
    int m_cellWidth;
    int m_cellHeight;
    std::vector<RECT> m_cells;
};
