#include "gridfooter.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

GridFooter::GridFooter(QTableView *grid) : QWidget(grid), m_grid(grid)
{
    setObjectName(QStringLiteral("Footer"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    QHeaderView *header = grid->horizontalHeader();
    const auto repaint = [this] { update(); };
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
}

void GridFooter::setCell(int column, const QString &text, Qt::Alignment alignment)
{
    m_cells.insert(column, Cell{text, alignment});
    update();
}

void GridFooter::clearCells()
{
    m_cells.clear();
    update();
}

QString GridFooter::text(int column) const
{
    return m_cells.value(column).text;
}

Qt::Alignment GridFooter::alignment(int column) const
{
    return m_cells.value(column).alignment;
}

QRect GridFooter::cellRect(int column) const
{
    const QHeaderView *header = m_grid->horizontalHeader();
    if (column < 0 || column >= header->count() || header->isSectionHidden(column) || header->sectionSize(column) <= 0)
        return {};
    return QRect(header->sectionViewportPosition(column), 0, header->sectionSize(column), height());
}

QString GridFooter::fitted(const QString &text, Qt::Alignment alignment, int width) const
{
    const QFontMetrics metrics = fontMetrics();
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    // A figure cut short would read as another figure: it gives way to "#" marks.
    if (alignment & Qt::AlignRight)
        return QString(std::max(1, width / std::max(1, metrics.horizontalAdvance(QLatin1Char('#')))), QLatin1Char('#'));
    return metrics.elidedText(text, Qt::ElideRight, width);
}

int GridFooter::preferredHeight() const
{
    return fontMetrics().height() + 8;
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width(), 0);
    const QHeaderView *header = m_grid->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        const QRect cell = cellRect(column);
        if (cell.isEmpty() || cell.right() < 0 || cell.left() > width())
            continue;
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(cell.right(), 0, cell.right(), height());
        const auto found = m_cells.constFind(column);
        if (found == m_cells.constEnd() || found->text.isEmpty())
            continue;
        painter.setPen(palette().color(QPalette::ButtonText));
        const QRect area = cell.adjusted(3, 1, -4, 0);
        painter.drawText(area, int(found->alignment | Qt::AlignVCenter), fitted(found->text, found->alignment, area.width()));
    }
}
