#pragma once

#include <QHash>
#include <QWidget>

class QTableView;

// The footer row under a grid's cells: one cell under each shown column, kept in line with
// the column widths, the column order and the horizontal scrolling of its grid. It only
// shows texts the grid computed; it never reads rows.
class GridFooter final : public QWidget
{
    Q_OBJECT

public:
    explicit GridFooter(QTableView *grid);

    void setCell(int column, const QString &text, Qt::Alignment alignment);
    void clearCells();
    QString text(int column) const;
    Qt::Alignment alignment(int column) const;
    // The rectangle of a column's cell in footer coordinates (empty when not shown).
    QRect cellRect(int column) const;
    int preferredHeight() const;
    // The text as a cell of `width` pixels shows it: a right-aligned figure too wide for
    // the cell becomes "###", any other text is cut with an ellipsis.
    QString fitted(const QString &text, Qt::Alignment alignment, int width) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Cell
    {
        QString text;
        Qt::Alignment alignment;
    };

    QTableView *m_grid;
    QHash<int, Cell> m_cells;
};
