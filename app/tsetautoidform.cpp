#include "tsetautoidform.h"

#include "exceptionhandler.h"
#include "programparameters.h"
#include "uihelpers.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Yes = QStringLiteral("是");
const QString No = QStringLiteral("否");

QString switchValue(bool on)
{
    return on ? Yes : No;
}

} // namespace

TSetAutoIDForm::TSetAutoIDForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SetAutoIDForm"));
    setWindowTitle(QStringLiteral("编号方式设置窗口"));

    auto box = [this](const char *objectName, const QString &caption) {
        auto *check = new QCheckBox(caption, this);
        check->setObjectName(QLatin1String(objectName));
        return check;
    };
    m_carNumber = box("CheckCarNumber", QStringLiteral("系统自动填写车辆编号"));
    m_repairNumber = box("CheckRepairNumber", QStringLiteral("系统自动填写车辆维修编号"));
    m_workNumber = box("CheckWorkNumber", QStringLiteral("系统自动填写车辆工作任务编号"));
    m_employeeNumber = box("CheckEmployeeNumber", QStringLiteral("系统自动填写员工编号"));
    m_reminders = box("CheckReminders", QStringLiteral("启动事务提醒"));
    m_backup = box("CheckBackup", QStringLiteral("系统自动备份数据"));
    m_buttonOK = new QPushButton(QStringLiteral("确定"), this);
    m_buttonOK->setObjectName(QStringLiteral("ButtonOK"));
    m_buttonOK->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(64, 18, 64, 14);  // room for the caption
    layout->setSpacing(10);
    for (QCheckBox *check : {m_carNumber, m_repairNumber, m_workNumber, m_employeeNumber, m_reminders, m_backup})
        layout->addWidget(check);
    layout->addSpacing(6);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttonOK);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_buttonOK, &QPushButton::clicked, this, &TSetAutoIDForm::ButtonOKClick);
}

void TSetAutoIDForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
    FormShow();
}

void TSetAutoIDForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_buttonOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSetAutoIDForm::FormShow()
{
    try {
        m_carNumber->setChecked(ReadSwitch(QStringLiteral("车辆编号")));
        m_repairNumber->setChecked(ReadSwitch(QStringLiteral("维修编号")));
        m_workNumber->setChecked(ReadSwitch(QStringLiteral("任务编号")));
        m_employeeNumber->setChecked(ReadSwitch(QStringLiteral("员工编号")));
        m_reminders->setChecked(ReadSwitch(QStringLiteral("启动事务提醒")));
        m_backup->setChecked(!ReadSwitch(QStringLiteral("不自动数据备份")));
    } catch (...) {
        HandleCurrentException(this);
    }
}

void TSetAutoIDForm::ButtonOKClick()
{
    WriteParameter(QStringLiteral("启动事务提醒"), switchValue(m_reminders->isChecked()));
    WriteParameter(QStringLiteral("车辆编号"), switchValue(m_carNumber->isChecked()));
    WriteParameter(QStringLiteral("维修编号"), switchValue(m_repairNumber->isChecked()));
    WriteParameter(QStringLiteral("任务编号"), switchValue(m_workNumber->isChecked()));
    WriteParameter(QStringLiteral("员工编号"), switchValue(m_employeeNumber->isChecked()));
    WriteParameter(QStringLiteral("不自动数据备份"), switchValue(!m_backup->isChecked()));
    accept();
}
