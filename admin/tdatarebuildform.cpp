#include "tdatarebuildform.h"

#include "appvalues.h"
#include "backupdirectory.h"
#include "cjkfont.h"
#include "databaseengine.h"
#include "exceptionhandler.h"
#include "filehelpers.h"
#include "messageservice.h"
#include "tablerepair.h"
#include "tabledump.h"
#include "terrormsgform.h"
#include "topendirdialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// True when `dir` is `dataDir` or lies below it.
bool insideDirectory(const QString &dir, const QString &dataDir)
{
    const QString inner = QFileInfo(dir).canonicalFilePath();
    const QString outer = QFileInfo(dataDir).canonicalFilePath();
    return !inner.isEmpty() && !outer.isEmpty() && (inner == outer || inner.startsWith(outer + QLatin1Char('/')));
}

} // namespace

TDataRebuildForm::TDataRebuildForm(QWidget *parent, QString productTitle)
    : QDialog(parent), m_productTitle(std::move(productTitle))
{
    setWindowTitle(QStringLiteral("数据修复管理窗口"));
    setFont(CjkFont(QStringLiteral("宋体"), 9));
    m_warning = new QLabel(QStringLiteral(
        "如果数据库文件损坏，可在此按修复按钮修复数据，如果数据库能正常备份，就说明数据库文件是好的，就不要使用数据修复功能，"
        "以免修复过程发生错误后，影响系统使用！修复前请先将软件安装目录下的data文件夹复制到其他地方备份下,"
        "如果修复失败用备份的data文件做手工修复!!!"), this);
    m_warning->setWordWrap(true);
    m_progressLabel = new QLabel(QStringLiteral("修复进度:"), this);
    m_progress = new QProgressBar(this);
    m_repair = new QPushButton(QStringLiteral("修复"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);

    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progressLabel);
    progressRow->addWidget(m_progress, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_repair);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_warning);
    layout->addLayout(progressRow);
    layout->addLayout(buttons);
    resize(460, 200);
    showWorking(false);

    connect(m_repair, &QPushButton::clicked, this, &TDataRebuildForm::ButtonRepairClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TDataRebuildForm::showWorking(bool working)
{
    m_warning->setVisible(!working);
    m_progressLabel->setVisible(working);
    m_progress->setVisible(working);
}

void TDataRebuildForm::ButtonRepairClick()
{
    if (PreRepairBackup())
        RepairTables();
}

bool TDataRebuildForm::PreRepairBackup()
{
    ShowWarning(QStringLiteral("修复前需要备份一下数据库文件,请选择保存备份文件的位置"));
    TOpenDirDialog dialog;
    if (!dialog.Execute(this))
        return false;
    DatabaseEngine &engine = DatabaseEngine::byName(MainDatabaseName);
    const QString dataDir = App().DataDir;
    QString dir = dialog.Directory();
    // A copy of the data directory cannot go inside it.
    if (!dataDir.isEmpty() && insideDirectory(dir, dataDir))
        dir = WithTrailingSeparator(App().BaseDir);
    const QString target = dir + ValidFileName(m_productTitle + QStringLiteral("数据修复前")
                                               + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh.mm"))
                                               + QStringLiteral("备份文件"));
    bool copied = false;
    if (engine.dataDir().isEmpty()) {
        try {
            TableDump::exportTables(engine, target);
            copied = true;
        } catch (const std::exception &) {
            copied = false;
        }
    } else {
        if (!DirectoryExists(dataDir))
            return false;
        // Closed, the database file holds everything committed.
        engine.disconnect();
        copied = CopyFiles(dataDir, target);
    }
    ShowWarning(copied ? QStringLiteral("数据库文件成功备份到：") + QDir::toNativeSeparators(target)
                       : QStringLiteral("数据库文件备份失败"));
    return copied;
}

void TDataRebuildForm::RepairTables()
{
    showWorking(true);
    repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TErrorMsgForm messages(this);
    TableRepair repair(DatabaseEngine::byName(MainDatabaseName));
    repair.OnProgress = [this](int position, int count) {
        m_progress->setRange(0, qMax(0, count - 1));
        m_progress->setValue(position);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    QStringList lines;
    try {
        lines = repair.Run();
    } catch (...) {
        QApplication::restoreOverrideCursor();
        showWorking(false);
        HandleCurrentException(this);
        return;
    }
    QApplication::restoreOverrideCursor();
    if (lines.isEmpty()) {
        ShowWarning(QStringLiteral("数据库文件修复完成"));
    } else {
        for (const QString &line : lines)
            messages.addLine(line);
        messages.exec();
    }
    showWorking(false);
}
