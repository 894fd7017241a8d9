#include "tqxreport.h"

#include "modelfields.h"
#include "tprevform.h"

#include <QAbstractItemModel>
#include <QDate>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Text keeps clear of the rules drawn along its cell's edges.
constexpr qreal TextPadding = 0.6;
// Rounding slack when deciding whether a band still fits on the page.
constexpr qreal FitTolerance = 0.001;
// Line distance of text broken into lines, in em.
constexpr qreal LineSpacing = 1.15;

} // namespace

TQXReport::TQXReport(const QString &name, QObject *parent) : QObject(parent)
{
    setObjectName(name);
}

TQXReport::~TQXReport() = default;

QPageLayout TQXReport::pageLayout() const
{
    return QPageLayout(m_pageSize, m_orientation, m_margins, QPageLayout::Millimeter, QMarginsF());
}

QSizeF TQXReport::bandArea() const
{
    return pageLayout().paintRect(QPageLayout::Millimeter).size();
}

void TQXReport::setRowTarget(int rows)
{
    m_rowTarget = rows;
    m_pageRows = 0;
}

int TQXReport::prepare()
{
    return produce().pageCount();
}

bool TQXReport::render(QPagedPaintDevice &device)
{
    return paint(produce(), device);
}

bool TQXReport::paint(const TQXReportPages &pages, QPagedPaintDevice &device) const
{
    device.setPageLayout(pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = device.logicalDpiY() / 25.4;
    bool firstPage = true;
    for (const auto &page : pages.pages) {
        if (!firstPage)
            device.newPage();
        firstPage = false;
        for (const TQXPrintedBand &band : page) {
            for (const TQXPrintedItem &printed : band.items)
                paintItem(painter, scale, band.top, printed);
        }
    }
    painter.end();
    return true;
}

bool TQXReport::exportPdf(const QString &fileName)
{
    {
        QPdfWriter writer(fileName);
        writer.setTitle(m_title);
        writer.setResolution(600);
        if (!render(writer))
            return false;
    }
    return QFileInfo(fileName).size() > 0;
}

void TQXReport::preview()
{
    m_previewWindow.clear();
    if (OnPreview) {
        OnPreview(*this);
    } else {
        auto *window = new TPrevForm;
        window->attachReport(this);
        window->show();
    }
    const QPointer<QWidget> window = m_previewWindow;
    if (!window)
        return;
    QEventLoop loop;
    connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
}

void TQXReport::attachPreview(QWidget *window)
{
    m_previewWindow = window;
}

QString TQXReport::fieldText(const QString &fieldName) const
{
    if (!m_dataSet)
        return QString();
    const int column = FieldColumn(*m_dataSet, fieldName);
    const int row = m_currentRow;
    if (column < 0 || row < 0 || row >= m_dataSet->rowCount())
        return QString();
    return FieldText(*m_dataSet, row, column);
}

TQXReportPages TQXReport::produce()
{
    TQXReportPages pages;
    m_pageNumber = 0;
    m_detailNumber = 0;
    m_pageRows = 0;
    m_currentRow = -1;
    if (BeforePrint)
        BeforePrint(*this);

    int rows = 0;
    if (m_dataSet) {
        FetchAllRows(*m_dataSet);
        rows = m_dataSet->rowCount();
    }
    m_columns.clear();
    for (const TQXReportBand *band : {&m_pageHeader, &m_detail, &m_summary, &m_pageFooter}) {
        for (const auto &item : band->items()) {
            if (item->kind != TQXReportItem::Kind::DataText)
                continue;
            QAbstractItemModel *model = item->dataSet ? item->dataSet.data() : m_dataSet.data();
            m_columns.insert(item.get(), model ? FieldColumn(*model, item->fieldName) : -1);
        }
    }

    const qreal footerTop = bandArea().height() - (m_pageFooter.isEmpty() ? 0 : m_pageFooter.height);
    qreal y = 0;
    // False while the page holds only its header: a band taller than the page then still
    // prints instead of starting page after page.
    bool pageHasBody = false;
    const auto roomFor = [&](qreal height) { return y + height <= footerTop + FitTolerance; };
    const auto startPage = [&] {
        pages.pages.emplace_back();
        ++m_pageNumber;
        m_pageRows = 0;
        y = 0;
        pageHasBody = false;
        if (OnStartPage)
            OnStartPage(*this);
        if (!m_pageHeader.isEmpty()) {
            printBand(pages, m_pageHeader, 0, false);
            y += m_pageHeader.height;
        }
    };
    const auto endPage = [&] {
        if (!m_pageFooter.isEmpty())
            printBand(pages, m_pageFooter, footerTop, false);
    };

    startPage();
    if (!m_detail.isEmpty()) {
        for (int row = 0; row < rows; ++row) {
            if (pageHasBody && !roomFor(m_detail.height)) {
                endPage();
                startPage();
            }
            m_currentRow = row;
            ++m_detailNumber;
            printBand(pages, m_detail, y, false);
            y += m_detail.height;
            pageHasBody = true;
            ++m_pageRows;
        }
        m_currentRow = -1;
        const int target = m_isSummany ? m_rowTarget - 1 : m_rowTarget;
        while (m_rowTarget > 0 && m_detail.height > 0 && m_pageRows < target && roomFor(m_detail.height)) {
            printBand(pages, m_detail, y, true);
            y += m_detail.height;
            pageHasBody = true;
            ++m_pageRows;
        }
    }
    if (!m_summary.isEmpty()) {
        if (pageHasBody && !roomFor(m_summary.height)) {
            endPage();
            startPage();
        }
        m_currentRow = rows - 1;
        printBand(pages, m_summary, y, false);
        m_currentRow = -1;
    }
    endPage();

    m_pageCount = pages.pageCount();
    for (auto &page : pages.pages) {
        for (TQXPrintedBand &band : page) {
            for (TQXPrintedItem &printed : band.items) {
                if (printed.item->kind == TQXReportItem::Kind::SystemData
                    && printed.item->systemKind == TQXReportItem::SystemKind::PageCount)
                    printed.text = itemText(*printed.item);
            }
        }
    }
    return pages;
}

void TQXReport::printBand(TQXReportPages &pages, const TQXReportBand &band, qreal top, bool blankRow)
{
    TQXPrintedBand printed;
    printed.band = &band;
    printed.top = top;
    printed.blankRow = blankRow;
    printed.row = band.kind == TQXReportBand::Kind::Detail && !blankRow ? m_currentRow : -1;
    printed.items.reserve(band.items().size());
    for (const auto &item : band.items()) {
        if (!item->enabled || (blankRow && !item->isShape()))
            continue;
        TQXPrintedItem entry{item.get(), QString(), item->font};
        if (!item->isShape()) {
            entry.text = itemText(*item);
            if (item->OnPrint)
                item->OnPrint(entry.text, entry.font);
        }
        printed.items.push_back(std::move(entry));
    }
    pages.pages.back().push_back(std::move(printed));
}

QString TQXReport::itemText(const TQXReportItem &item) const
{
    switch (item.kind) {
    case TQXReportItem::Kind::Label:
        return item.text;
    case TQXReportItem::Kind::DataText: {
        QAbstractItemModel *model = item.dataSet ? item.dataSet.data() : m_dataSet.data();
        const int column = m_columns.value(&item, -1);
        if (!model || column < 0)
            return QString();
        const int row = model == m_dataSet.data() ? qMax(m_currentRow, 0) : 0;
        return row < model->rowCount() ? FieldText(*model, row, column) : QString();
    }
    case TQXReportItem::Kind::SystemData:
        switch (item.systemKind) {
        case TQXReportItem::SystemKind::DetailNumber:
            return item.text + QString::number(m_detailNumber);
        case TQXReportItem::SystemKind::PageNumber:
            return item.text + QString::number(m_pageNumber);
        case TQXReportItem::SystemKind::PageCount:
            return item.text + (m_pageCount < 0 ? QString() : QString::number(m_pageCount));
        case TQXReportItem::SystemKind::Date:
            return item.text + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        case TQXReportItem::SystemKind::Title:
            return item.text + m_title;
        }
        break;
    case TQXReportItem::Kind::Shape:
        break;
    }
    return QString();
}

void TQXReport::paintItem(QPainter &painter, qreal scale, qreal top, const TQXPrintedItem &printed)
{
    const TQXReportItem &item = *printed.item;
    const QRectF rect(item.geometry.x() * scale, (top + item.geometry.y()) * scale, item.geometry.width() * scale,
                      item.geometry.height() * scale);
    if (item.isShape()) {
        QPen pen(Qt::black);
        pen.setWidthF(qMax(item.penWidth * scale, 1.0));
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        switch (item.shapeKind) {
        case TQXReportItem::ShapeKind::HorizontalLine:
            painter.drawLine(QPointF(rect.left(), rect.center().y()), QPointF(rect.right(), rect.center().y()));
            break;
        case TQXReportItem::ShapeKind::VerticalLine:
            painter.drawLine(QPointF(rect.center().x(), rect.top()), QPointF(rect.center().x(), rect.bottom()));
            break;
        case TQXReportItem::ShapeKind::Rectangle:
            painter.drawRect(rect);
            break;
        }
        return;
    }
    if (printed.text.isEmpty())
        return;
    QString lines = printed.text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    int flags = int(item.alignment);
    if (!(item.alignment & Qt::AlignVertical_Mask))
        flags |= Qt::AlignVCenter;
    if (item.wordWrap)
        flags |= Qt::TextWordWrap;
    const QRectF textRect = rect.adjusted(TextPadding * scale, 0, -TextPadding * scale, 0);
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(printed.font);
    painter.setPen(Qt::black);
    const QStringList parts = lines.split(QLatin1Char('\n'));
    if (parts.size() == 1 || item.wordWrap) {
        painter.drawText(textRect, flags, lines);
    } else {
        // Broken lines stand at 1.15 em, as in a Song typeface: the CJK fallbacks have
        // taller line spacing, which would push the second line out of its cell.
        const qreal em = printed.font.pointSizeF() > 0 ? printed.font.pointSizeF() / 72 * 25.4 * scale
                                                       : QFontMetricsF(printed.font, painter.device()).ascent();
        const qreal lineHeight = em * LineSpacing;
        const qreal block = lineHeight * parts.size();
        qreal y = textRect.top();
        if (item.alignment & Qt::AlignBottom)
            y = textRect.bottom() - block;
        else if (!(item.alignment & Qt::AlignTop))
            y = textRect.center().y() - block / 2;
        const int lineFlags = (flags & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter;
        for (const QString &part : parts) {
            painter.drawText(QRectF(textRect.left(), y, textRect.width(), lineHeight), lineFlags, part);
            y += lineHeight;
        }
    }
    painter.restore();
}
