#pragma once

#include <QString>
#include <QVector>

// Two-digit lower-case hex text of each byte read from a loaded bitmap,
// addressed (row, byte column): rows 0..1024, columns 0..256. Cells never
// written stay empty; a load overwrites only the cells it reaches. A row
// takes memory only once a cell of it is written.
class HexGrid
{
public:
    static constexpr int Rows = 1025;
    static constexpr int Columns = 257;

    HexGrid();

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    static bool inRange(int row, int column);

private:
    QVector<QVector<QString>> m_rows;
};
