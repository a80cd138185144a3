#include "core/HexGrid.h"

HexGrid::HexGrid() : m_cells(Size * Size) {}

bool HexGrid::inRange(int row, int column)
{
    return row >= 0 && row < Size && column >= 0 && column < Size;
}

QString HexGrid::cell(int row, int column) const
{
    return inRange(row, column) ? m_cells.at(row * Size + column) : QString();
}

void HexGrid::setCell(int row, int column, const QString &text)
{
    if (inRange(row, column))
        m_cells[row * Size + column] = text;
}
