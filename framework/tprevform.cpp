#include "tprevform.h"

#include "messageservice.h"
#include "printmargins.h"
#include "settingsstore.h"
#include "tqxexcel.h"
#include "tqxreport.h"
#include "tselectitemqueryform.h"
#include "tsetprintform.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

const QString ReopenMessage = QStringLiteral("请关闭打印预览窗口后，再重新打开");

} // namespace

TPrevForm::TPrevForm(QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("打印预览窗口"));
    resize(800, 575);
    setWindowState(Qt::WindowMaximized);

    QXExcel = new TQXExcel(this);
    QXExcel->setObjectName(QStringLiteral("QXExcel"));

    m_preview = new QPrintPreviewWidget(m_printer.get(), this);
    setCentralWidget(m_preview);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        m_freshPages = true;
        if (m_pages)
            m_pages->render(*printer);
    });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, [this] {
        if (!m_freshPages)
            return;
        m_freshPages = false;
        m_preview->setCurrentPage(1);
        m_status->setText(QStringLiteral("总共") + QString::number(pageCount()) + QStringLiteral("页,第")
                          + QString::number(currentPage()) + QStringLiteral("页"));
    });

    auto *tools = addToolBar(QString());
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(addCommand(QStringLiteral("按1:1显示"), {}, [this] { zoomToActualSize(); }));
    tools->addAction(addCommand(QStringLiteral("整页显示"), {}, [this] { zoomToWholePage(); }));
    tools->addAction(addCommand(QStringLiteral("第一页"), {}, [this] { showFirstPage(); }));
    tools->addAction(addCommand(QStringLiteral("前一页"), {}, [this] { showPreviousPage(); }));
    tools->addAction(addCommand(QStringLiteral("下一页"), {}, [this] { showNextPage(); }));
    tools->addAction(addCommand(QStringLiteral("末一页"), {}, [this] { showLastPage(); }));
    QAction *print = addCommand(QStringLiteral("F11 打印"), QKeySequence(Qt::Key_F11), [this] { printReport(); });
    tools->addAction(print);
    m_settings = addCommand(QStringLiteral("打印设置"), {}, [this] { printSettings(); });
    m_settings->setVisible(false);
    tools->addAction(m_settings);
    m_export = addCommand(QStringLiteral("导到Excel"), {}, [this] { exportToExcel(); });
    m_export->setVisible(false);
    tools->addAction(m_export);
    QAction *closeAction = addCommand(QStringLiteral("F4 关闭"), QKeySequence(Qt::Key_F4), [this] { close(); });
    closeAction->setShortcuts({QKeySequence(Qt::Key_F4), QKeySequence(Qt::Key_Escape)});
    tools->addAction(closeAction);

    // The pop-up menu of the preview area and of the print button.
    const QList<QAction *> popup{
        addCommand(QStringLiteral("打印机设定"), QKeySequence(Qt::CTRL | Qt::Key_P), [this] { refresh(); }),
        addCommand(QStringLiteral("放大"), QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { zoomBy(1); }),
        addCommand(QStringLiteral("缩小"), QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { zoomBy(-1); }),
        addCommand(QStringLiteral("另存为PDF文件"), {}, [this] { saveAsPdf(); })};
    m_preview->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_preview->addActions(popup);
    if (QWidget *button = tools->widgetForAction(print)) {
        button->setContextMenuPolicy(Qt::ActionsContextMenu);
        button->addActions(popup);
    }

    m_status = new QLabel(this);
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(false);
    zoomToActualSize();
}

TPrevForm::~TPrevForm()
{
    // The preview area refers to the printer this window owns; it goes first.
    delete m_preview;
}

QAction *TPrevForm::addCommand(const QString &text, const QKeySequence &shortcut, const std::function<void()> &command)
{
    auto *action = new QAction(text, this);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, command);
    return action;
}

void TPrevForm::LoadPrintSettings(TQXReport *printReport, int verticalTotal, int horizontalTotal)
{
    report = printReport;
    VerticalTotal = verticalTotal;
    HorizontalTotal = horizontalTotal;
    m_settings->setVisible(true);
    if (printReport)
        ApplyStoredMargins(*printReport);
}

void TPrevForm::attachReport(TQXReport *pages)
{
    m_pages = pages;
    if (!pages)
        return;
    pages->attachPreview(this);
    applyPrinterLayout();
    if (isVisible())
        m_preview->updatePreview();
}

void TPrevForm::applyPrinterLayout()
{
    if (m_pages)
        m_printer->setPageLayout(m_pages->pageLayout());
}

QString TPrevForm::statusText() const
{
    return m_status->text();
}

int TPrevForm::currentPage() const
{
    return m_preview->currentPage();
}

int TPrevForm::pageCount() const
{
    return m_preview->pageCount();
}

void TPrevForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!isMaximized() && screen())
        move(screen()->availableGeometry().topLeft());
}

void TPrevForm::zoomToActualSize()
{
    m_zoom = 100;
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(1.0);
}

void TPrevForm::zoomToWholePage()
{
    m_preview->fitInView();
    m_zoom = qRound(m_preview->zoomFactor() * 100);
}

void TPrevForm::zoomBy(int percent)
{
    m_zoom = qMax(1, qRound(m_preview->zoomFactor() * 100) + percent);
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->setZoomFactor(m_zoom / 100.0);
}

void TPrevForm::goToPage(int page)
{
    m_preview->setCurrentPage(qBound(1, page, qMax(1, pageCount())));
    m_status->setText(QStringLiteral("总共") + QString::number(pageCount()) + QStringLiteral("页, 第")
                      + QString::number(currentPage()) + QStringLiteral("页"));
}

void TPrevForm::showFirstPage()
{
    goToPage(1);
}

void TPrevForm::showPreviousPage()
{
    goToPage(currentPage() - 1);
}

void TPrevForm::showNextPage()
{
    goToPage(currentPage() + 1);
}

void TPrevForm::showLastPage()
{
    goToPage(pageCount());
}

void TPrevForm::printReport()
{
    if (!m_pages)
        return;
    QPrinter printer(QPrinter::HighResolution);
    // Without a default printer the user picks one (or a file) instead.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    m_pages->render(printer);
}

void TPrevForm::printSettings()
{
    if (LayoutMode) {
        chooseLayout();
        return;
    }
    if (!report) {
        ShowWarning(QStringLiteral("没有报表对象"));
        return;
    }
    TSetPrintForm dialog(this);
    dialog.TopMargin = report->topMargin();
    dialog.BottomMargin = report->bottomMargin();
    dialog.LeftMargin = report->leftMargin();
    dialog.RightMargin = report->rightMargin();
    dialog.VerticalTotal = VerticalTotal;
    dialog.HorizontalTotal = HorizontalTotal;
    if (dialog.exec() != QDialog::Accepted || !report)
        return;
    report->setTopMargin(dialog.TopMargin);
    report->setBottomMargin(dialog.BottomMargin);
    report->setLeftMargin(dialog.LeftMargin);
    report->setRightMargin(dialog.RightMargin);
    if (!StorePrintMargins(report->name(), dialog.TopMargin, dialog.BottomMargin, dialog.LeftMargin, dialog.RightMargin))
        ShowError(QStringLiteral("设置参数保存错误"));
    ShowWarning(ReopenMessage);
}

void TPrevForm::chooseLayout()
{
    QStringList choices;
    for (const QString &piece : LayoutChoices.split(QLatin1Char(';'))) {
        if (!piece.isEmpty())
            choices << piece;
    }
    if (choices.isEmpty())
        return;
    TSelectItemQueryForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("打印设置"));
    for (const QString &choice : choices)
        dialog.addOption(choice);
    dialog.setItemIndex(LayoutIndex);
    if (dialog.exec() != QDialog::Accepted || dialog.choice() == 0)
        return;
    const int index = dialog.choice() - 1;
    if (index == LayoutIndex)
        return;
    LayoutIndex = index;
    WriteSetting(LayoutSetting, QString::number(index));
    ShowWarning(ReopenMessage);
}

void TPrevForm::exportToExcel()
{
    QXExcel->ID = ExportID;
    QXExcel->ExportData(ExcelFields, ExcelFooter);
}

void TPrevForm::refresh()
{
    applyPrinterLayout();
    m_preview->updatePreview();
}

void TPrevForm::saveAsPdf()
{
    if (!m_pages)
        return;
    QString fileName = MessageService::current().saveFileName(QStringLiteral("另存为PDF文件"), QStringLiteral("PDF (*.pdf)"), this);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    if (!m_pages->exportPdf(fileName))
        ShowWarning(QStringLiteral("PDF文件保存错误"));
}
