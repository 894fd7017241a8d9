#pragma once

#include "tqxreportband.h"
#include "tqxreportpages.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <functional>

class QPagedPaintDevice;
class QPainter;
class QWidget;

// A banded report over one dataset (a Qt model): page header, detail (once per row),
// summary (once after the last row) and page footer. Geometry is in millimetres; the
// page is A4 portrait unless set otherwise, with margins of 10 mm.
//
// A production pass calls BeforePrint, then for every page OnStartPage, and each item's
// OnPrint as it prints. While the row target is non-zero, the detail band goes on after
// the end of the data until the page holds row-target detail rows (row-target - 1 with
// IsSummany, so the summary takes the last row's place); those blank rows print only
// their shapes and never start a page of their own. A page break comes only from the
// page being full.
class TQXReport : public QObject
{
    Q_OBJECT

public:
    // `name` is the component name (RepMoney, RepSumMoney...), which also names the
    // report's stored margins.
    explicit TQXReport(const QString &name, QObject *parent = nullptr);
    ~TQXReport() override;

    QString name() const { return objectName(); }
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    QPageSize pageSize() const { return m_pageSize; }
    void setPageSize(const QPageSize &size) { m_pageSize = size; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }
    // Margins in millimetres.
    qreal topMargin() const { return m_margins.top(); }
    qreal bottomMargin() const { return m_margins.bottom(); }
    qreal leftMargin() const { return m_margins.left(); }
    qreal rightMargin() const { return m_margins.right(); }
    void setTopMargin(qreal mm) { m_margins.setTop(mm); }
    void setBottomMargin(qreal mm) { m_margins.setBottom(mm); }
    void setLeftMargin(qreal mm) { m_margins.setLeft(mm); }
    void setRightMargin(qreal mm) { m_margins.setRight(mm); }
    QPageLayout pageLayout() const;
    // Width and height inside the margins, in millimetres.
    QSizeF bandArea() const;

    TQXReportBand &pageHeader() { return m_pageHeader; }
    TQXReportBand &detail() { return m_detail; }
    TQXReportBand &summary() { return m_summary; }
    TQXReportBand &pageFooter() { return m_pageFooter; }

    QAbstractItemModel *dataSet() const { return m_dataSet; }
    void setDataSet(QAbstractItemModel *model) { m_dataSet = model; }

    int rowTarget() const { return m_rowTarget; }
    // Also restarts the count of detail rows on the current page.
    void setRowTarget(int rows);
    bool isSummany() const { return m_isSummany; }
    void setIsSummany(bool on) { m_isSummany = on; }

    // Hooks: start of every production pass, start of every page, preview (creates and
    // shows the preview window, which attaches itself with attachPreview()).
    std::function<void(TQXReport &)> BeforePrint;
    std::function<void(TQXReport &)> OnStartPage;
    std::function<void(TQXReport &)> OnPreview;

    // One production pass; page-count system data holds the pass's own count.
    TQXReportPages produce();
    // Produces all pages, keeps their count and discards them.
    int prepare();
    // The page count of the last pass; -1 before the first.
    int pageCount() const { return m_pageCount; }
    // Produces the pages and paints them on `device` (printer, PDF writer, preview) with
    // the report's page layout. False when the device cannot be painted on.
    bool render(QPagedPaintDevice &device);
    bool paint(const TQXReportPages &pages, QPagedPaintDevice &device) const;
    bool exportPdf(const QString &fileName);
    // Calls OnPreview (without one, opens a preview window of its own) and returns when
    // that window has been closed; user input is processed meanwhile.
    void preview();
    // The preview window showing this report's pages; preview() waits for it.
    void attachPreview(QWidget *window);

    // State of the pass in progress, for the hooks.
    int pageNumber() const { return m_pageNumber; }
    int detailNumber() const { return m_detailNumber; }
    // The dataset row being printed: a detail row's record, in the summary the last
    // record; -1 elsewhere and in the blank rows.
    int currentRow() const { return m_currentRow; }
    // The text of a field of the current row (empty for an unknown field or no row).
    QString fieldText(const QString &fieldName) const;

private:
    void printBand(TQXReportPages &pages, const TQXReportBand &band, qreal top, bool blankRow);
    QString itemText(const TQXReportItem &item) const;
    static void paintItem(QPainter &painter, qreal scale, qreal top, const TQXPrintedItem &printed);

    QString m_title;
    QPageSize m_pageSize{QPageSize::A4};
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMarginsF m_margins{10, 10, 10, 10};
    TQXReportBand m_pageHeader{TQXReportBand::Kind::PageHeader};
    TQXReportBand m_detail{TQXReportBand::Kind::Detail};
    TQXReportBand m_summary{TQXReportBand::Kind::Summary};
    TQXReportBand m_pageFooter{TQXReportBand::Kind::PageFooter};
    QPointer<QAbstractItemModel> m_dataSet;
    int m_rowTarget = 0;
    bool m_isSummany = false;
    int m_pageCount = -1;
    QPointer<QWidget> m_previewWindow;

    int m_pageNumber = 0;
    int m_detailNumber = 0;
    int m_pageRows = 0;
    int m_currentRow = -1;
    // Columns of the data-bound items for the pass in progress.
    QHash<const TQXReportItem *, int> m_columns;
};
