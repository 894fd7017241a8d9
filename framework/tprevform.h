#pragma once

#include "texcelfieldname.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class TQXExcel;
class TQXReport;

// The print preview window ("打印预览窗口"): pages through the attached report, zooms,
// prints it, edits its margins or paper choice and exports its data. A screen creates
// it in its report's preview hook, sets the members below, attaches the report and
// shows it; closing the window deletes it. It stays above the window it belongs to.
class TPrevForm final : public QMainWindow
{
    Q_OBJECT

public:
    explicit TPrevForm(QWidget *parent = nullptr);
    ~TPrevForm() override;

    // The report whose margins "打印设置" edits, and the sums the margin dialog keeps.
    QPointer<TQXReport> report;
    int VerticalTotal = 20;
    int HorizontalTotal = 20;
    // Export columns, totals row and the sequence-number switch for "导到Excel".
    TExcelFieldArray ExcelFields;
    TExcelFieldArray ExcelFooter;
    bool ExportID = false;
    // Layout mode: "打印设置" offers the paper layouts of LayoutChoices (";"-separated),
    // LayoutIndex preselected, and stores the choice in the setting LayoutSetting.
    bool LayoutMode = false;
    QString LayoutSetting;
    QString LayoutChoices;
    int LayoutIndex = 0;
    TQXExcel *QXExcel = nullptr;

    // Remembers the report and the totals, shows "打印设置" and applies the stored margins.
    void LoadPrintSettings(TQXReport *printReport, int verticalTotal, int horizontalTotal);
    // Shows the pages of `pages` in the preview area; its preview() waits for this window.
    void attachReport(TQXReport *pages);

    QAction *settingsAction() const { return m_settings; }
    QAction *exportAction() const { return m_export; }
    QPrintPreviewWidget *previewArea() const { return m_preview; }
    QString statusText() const;
    int currentPage() const;
    int pageCount() const;
    int zoom() const { return m_zoom; }

    // The window's commands.
    void zoomToActualSize();
    void zoomToWholePage();
    void zoomBy(int percent);
    void showFirstPage();
    void showPreviousPage();
    void showNextPage();
    void showLastPage();
    void printReport();
    void printSettings();
    void exportToExcel();
    void refresh();
    void saveAsPdf();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QAction *addCommand(const QString &text, const QKeySequence &shortcut, const std::function<void()> &command);
    void goToPage(int page);
    void chooseLayout();
    void applyPrinterLayout();

    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget *m_preview = nullptr;
    QLabel *m_status = nullptr;
    QAction *m_settings = nullptr;
    QAction *m_export = nullptr;
    QPointer<TQXReport> m_pages;
    int m_zoom = 100;
    bool m_freshPages = false;
};
