#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The first worksheet of an .xlsx workbook as a test reads it back: its name and the
// values of its cells by reference ("B2"), shared strings resolved, and which cells are
// number cells. An unreadable file gives an empty sheet.
struct WorksheetCells
{
    QString name;
    QHash<QString, QString> cells;
    QSet<QString> numbers;
    int lastRow = 0;

    QString text(const QString &reference) const { return cells.value(reference); }
    bool isNumber(const QString &reference) const { return numbers.contains(reference); }
    // The values of row `row` (1-based) from column A to the last filled one; empty cells
    // in between are empty texts.
    QStringList row(int row) const;
    // Every row from 1 to lastRow, as row() gives them.
    QList<QStringList> rows() const;

    static WorksheetCells read(const QString &fileName);
};
