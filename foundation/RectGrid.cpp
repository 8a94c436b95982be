#include "foundation/RectGrid.h"

CRectGrid::CRectGrid()
    : m_outer{ 0, 0, 0, 0 }, m_area{ 0, 0, 0, 0 }, m_rows(2), m_columns(2), m_cellWidth(1), m_cellHeight(1)
{
    m_cells.reserve(16);
}

CRectGrid::~CRectGrid()
{
}

BOOL CRectGrid::Create(const RECT& outer, int rows, int columns, BOOL centreX, BOOL centreY)
{
    if (rows < 1 || columns < 1)
        return FALSE;
    m_outer = outer;
    m_rows = rows;
    m_columns = columns;
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    m_cellWidth = width / columns;
    m_cellHeight = height / rows;

    m_area = outer;
    m_area.right = outer.left + m_cellWidth * columns;
    m_area.bottom = outer.top + m_cellHeight * rows;
    const int dx = (width - (m_area.right - m_area.left)) * (centreX ? 1 : 0) / 2;
    const int dy = (height - (m_area.bottom - m_area.top)) * (centreY ? 1 : 0) / 2;
    OffsetRect(&m_area, dx, dy);

    m_cells.clear();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            m_cells.push_back(RECT{ c * m_cellWidth, r * m_cellHeight, (c + 1) * m_cellWidth, (r + 1) * m_cellHeight });
    return TRUE;
}

BOOL CRectGrid::GetCell(int row, int column, RECT* cell) const
{
    int index;
    if (!CellToIndex(row, column, &index))
        return FALSE;
    return GetCellByIndex(index, cell);
}

BOOL CRectGrid::HitTestCell(POINT pt, RECT* cell) const
{
    int index;
    if (!HitTest(pt, &index))
        return FALSE;
    return GetCellByIndex(index, cell);
}

BOOL CRectGrid::HitTest(POINT pt, int* index) const
{
    // An area narrower than its columns is empty, so no division by a zero cell size happens here.
    if (!PtInRect(&m_area, pt))
        return FALSE;
    const int i = ((pt.y - m_area.top) / m_cellHeight) * m_columns + (pt.x - m_area.left) / m_cellWidth;
    if (index)
        *index = i;
    return TRUE;
}

BOOL CRectGrid::GetCellByIndex(int index, RECT* cell) const
{
    if (index < 0 || index >= GetCellCount() || index >= (int)m_cells.size())
        return FALSE;
    if (cell)
        *cell = m_cells[index];
    return TRUE;
}

BOOL CRectGrid::IndexToCell(int index, int* row, int* column) const
{
    if (index < 0 || index >= GetCellCount())
        return FALSE;
    if (row)
        *row = index / m_columns;
    if (column)
        *column = index % m_columns;
    return TRUE;
}

BOOL CRectGrid::CellToIndex(int row, int column, int* index) const
{
    if (row < 0 || column < 0 || row >= m_rows || column >= m_columns)
        return FALSE;
    if (index)
        *index = row * m_columns + column;
    return TRUE;
}
