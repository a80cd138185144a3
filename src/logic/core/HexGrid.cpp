#include "logic/core/HexGrid.h"

HexGrid::HexGrid() : m_rows(Rows) {}

bool HexGrid::inRange(int row, int column)
{
    return row >= 0 && row < Rows && column >= 0 && column < Columns;
}

QString HexGrid::cell(int row, int column) const
{
    if (!inRange(row, column))
        return QString();
    const QVector<QString> &cells = m_rows.at(row);
    return column < cells.size() ? cells.at(column) : QString();
}

void HexGrid::setCell(int row, int column, const QString &text)
{
    if (!inRange(row, column))
        return;
    QVector<QString> &cells = m_rows[row];
    if (cells.isEmpty())
        cells.resize(Columns);
    cells[column] = text;
}
