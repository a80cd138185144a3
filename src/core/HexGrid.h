#pragma once

#include <QString>
#include <QVector>

// Two-digit lower-case hex text of each byte read from a loaded bitmap,
// addressed (row, byte column), both 0..256. Cells never written stay empty;
// a load overwrites only the cells it reaches.
class HexGrid
{
public:
    static constexpr int Size = 257;

    HexGrid();

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    static bool inRange(int row, int column);

private:
    QVector<QString> m_cells;
};
