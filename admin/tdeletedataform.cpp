#include "tdeletedataform.h"

#include "appvalues.h"
#include "backupcommands.h"
#include "cjkfont.h"
#include "databaseengine.h"
#include "exceptionhandler.h"
#include "messageservice.h"
#include "programrights.h"
#include "screenmessages.h"
#include "tqxthread.h"
#include "tyearform.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString Deleted = QStringLiteral("数据成功删除");
const QString DeleteFailed = QStringLiteral("数据删除过程发生错误");

QString yearQuestion(const DataDeletion::Count &count)
{
    QString text = QStringLiteral("共找到 %1 个符合条件的纪录").arg(count.records);
    if (count.dependent > 0)
        text += QStringLiteral(",以及与其相关的 %1 个收支纪录").arg(count.dependent);
    if (count.kept > 0)
        text += QStringLiteral(",另有 %1 个收支纪录属于现存的工作任务或维修纪录,不删除").arg(count.kept);
    return text + QStringLiteral(",是否删除");
}

} // namespace

TDeleteDataForm::TDeleteDataForm(QWidget *mainWindow) : QWidget(mainWindow, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("DeleteDataForm"));
    setWindowTitle(QStringLiteral("数据删除选择窗口"));
    setFont(CjkFont(QStringLiteral("宋体"), 9));

    m_options = new QGroupBox(this);
    auto *optionLayout = new QVBoxLayout(m_options);
    for (const QString &caption : {QStringLiteral("删除小于等于指定年份的车辆工作任务资料"),
                                   QStringLiteral("删除小于等于指定年份的车辆维修资料"),
                                   QStringLiteral("删除小于等于指定年份的资金收支资料"),
                                   QStringLiteral("删除小于等于指定年份的事务提醒资料"),
                                   QStringLiteral("删除全部数据资料")}) {
        auto *button = new QRadioButton(caption, m_options);
        optionLayout->addWidget(button);
        m_optionButtons << button;
    }
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_options);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &TDeleteDataForm::ButtonOKClick);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
}

QRadioButton *TDeleteDataForm::option(int number) const
{
    return m_optionButtons.value(number - 1);
}

TYearForm *TDeleteDataForm::yearForm() const
{
    return m_yearForm;
}

QObject *TDeleteDataForm::applicationWindow() const
{
    return parentWidget() ? static_cast<QObject *>(parentWidget()) : const_cast<TDeleteDataForm *>(this);
}

void TDeleteDataForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TDeleteDataForm::FormShow()
{
    const TRights rights = LoadRights(MainDatabaseName, QStringLiteral("系统管理"), QStringLiteral("过时数据删除"), App().UserID);
    m_options->setEnabled(rights.add);
}

void TDeleteDataForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit ScreenMessages::instance().screenClosed(this);
}

void TDeleteDataForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized() && !m_minimized) {
        m_minimized = true;
        emit ScreenMessages::instance().screenHidden(this);
    } else if (!isMinimized() && m_minimized) {
        m_minimized = false;
        emit ScreenMessages::instance().screenShown(this);
    }
}

void TDeleteDataForm::ButtonOKClick()
{
    int choice = 0;
    for (int i = 0; i < m_optionButtons.size(); ++i) {
        if (m_optionButtons[i]->isChecked())
            choice = i + 1;
    }
    if (choice == 0) {
        ShowWarningFor(applicationWindow(), QStringLiteral("必须选择一个删除选项"));
        return;
    }
    if (choice == 5)
        deleteAll();
    else
        deleteYear(DataDeletion::YearOption(choice));
}

void TDeleteDataForm::deleteYear(DataDeletion::YearOption option)
{
    if (!m_yearForm)
        m_yearForm = new TYearForm(this);
    if (m_yearForm->exec() != QDialog::Accepted)
        return;
    const int year = m_yearForm->year();
    DataDeletion deletion(DatabaseEngine::byName(MainDatabaseName));
    DataDeletion::Count count;
    try {
        count = deletion.countYear(option, year);
    } catch (const std::exception &) {
        ShowErrorFor(applicationWindow(), DeleteFailed);
        return;
    }
    if (count.records == 0) {
        ShowWarningFor(applicationWindow(), QStringLiteral("没有找到符合条件的纪录"));
        return;
    }
    if (!AskYesNo(yearQuestion(count)))
        return;
    runDeletion([&] { deletion.deleteYear(option, year); });
}

void TDeleteDataForm::deleteAll()
{
    if (!AskYesNo(QStringLiteral("是否删除全部数据库资料")))
        return;
    runDeletion([] { DataDeletion(DatabaseEngine::byName(MainDatabaseName)).deleteAll(App().DataDir); });
}

void TDeleteDataForm::runDeletion(const std::function<void()> &deletion)
{
    TQXThread progress;
    progress.setCaption(QStringLiteral("正在删除数据....."));
    progress.setKind(crDelete);
    try {
        progress.ShowProgress();
        deletion();
    } catch (const std::exception &) {
        progress.HideProgress();
        ShowErrorFor(applicationWindow(), DeleteFailed);
        return;
    }
    pack();
    progress.HideProgress();
    ShowWarningFor(applicationWindow(), Deleted);
}

void TDeleteDataForm::pack()
{
    try {
        PackAllTables(DatabaseEngine::byName(MainDatabaseName));
    } catch (...) {
        HandleCurrentException(this);
    }
}
