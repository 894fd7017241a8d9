#include "maincommand.h"

namespace {

using Action = MainCommand::Action;
using Access = MainCommand::Access;

const QString Vehicles = QStringLiteral("车辆管理");
const QString Reports = QStringLiteral("数据统计报表");
const QString BaseData = QStringLiteral("基本数据录入编辑");
const QString System = QStringLiteral("系统管理");
const QString HelpMenu = QStringLiteral("帮助[F1]");

MainCommand screen(const QString &menu, const QString &caption, const QString &screenName)
{
    MainCommand command;
    command.menu = menu;
    command.caption = caption;
    command.screenName = screenName;
    command.group = menu;
    command.access = Access::Rights;
    return command;
}

MainCommand plain(const QString &menu, const QString &caption, Action action)
{
    MainCommand command;
    command.menu = menu;
    command.caption = caption;
    command.action = action;
    return command;
}

QList<MainCommand> buildCommands()
{
    QList<MainCommand> commands = {
        screen(Vehicles, QStringLiteral("车辆资料录入编辑"), QStringLiteral("CarForm")),
        screen(Vehicles, QStringLiteral("车辆工作任务管理"), QStringLiteral("CarWorkForm")),
        screen(Vehicles, QStringLiteral("车辆维修资料管理"), QStringLiteral("CarRepairForm")),
        screen(Vehicles, QStringLiteral("单位收支资料管理"), QStringLiteral("MoneyIntoOutForm")),
        screen(Vehicles, QStringLiteral("事务提醒资料管理"), QStringLiteral("CarAwakeForm")),
        screen(Reports, QStringLiteral("车辆工作任务统计报表"), QStringLiteral("CarWorkQueryForm")),
        screen(Reports, QStringLiteral("车辆维修数据统计报表"), QStringLiteral("CarRepairQueryForm")),
        screen(Reports, QStringLiteral("单位收支数据统计报表"), QStringLiteral("MoneyIntoOutQueryForm")),
        screen(BaseData, QStringLiteral("车辆类别资料录入编辑"), QStringLiteral("CarTypeForm")),
        screen(BaseData, QStringLiteral("车辆工作任务类别录入编辑"), QStringLiteral("CarWorkTypeForm")),
        screen(BaseData, QStringLiteral("车辆维修类别资料录入编辑"), QStringLiteral("RepairTypeForm")),
        screen(BaseData, QStringLiteral("单位帐款类别录入编辑"), QStringLiteral("MoneyIntoOutTypeForm")),
        screen(BaseData, QStringLiteral("单位部门资料录入编辑"), QStringLiteral("DeptForm")),
        screen(BaseData, QStringLiteral("单位员工资料录入编辑"), QStringLiteral("OperationManForm")),
    };

    MainCommand users = screen(System, QStringLiteral("用户管理"), QStringLiteral("UserForm"));
    users.access = Access::SystemUser;
    MainCommand password = screen(System, QStringLiteral("用户口令修改"), QStringLiteral("PasswordChangeForm"));
    password.access = Access::Everyone;
    MainCommand backup = screen(System, QStringLiteral("数据备份"), QString());
    backup.action = Action::Backup;
    MainCommand restore = plain(System, QStringLiteral("数据恢复"), Action::Restore);
    restore.access = Access::SystemUser;
    restore.refusal = QStringLiteral("只有系统管理员才能有恢复数据库的权限");
    MainCommand deletion = screen(System, QStringLiteral("过时数据删除"), QStringLiteral("DeleteDataForm"));
    deletion.action = Action::DeleteData;
    MainCommand repair = plain(System, QStringLiteral("数据修复"), Action::Repair);
    repair.screenName = QStringLiteral("DataRebuildForm");
    repair.access = Access::SystemUser;
    MainCommand inputMethod = plain(System, QStringLiteral("设置输入法"), Action::InputMethod);
    inputMethod.hidden = true;
    MainCommand numbering = plain(System, QStringLiteral("编号方式设置和修改"), Action::NumberSettings);
    numbering.access = Access::SystemUser;
    numbering.refusal = QStringLiteral("只有系统管理员才能有设置修改编号方式的权限");
    MainCommand help = plain(HelpMenu, QStringLiteral("帮助"), Action::Help);
    help.shortcut = QKeySequence(Qt::Key_F1);

    commands << users << password << backup << restore << deletion << repair << inputMethod
             << plain(System, QStringLiteral("设置窗口图像"), Action::Picture)
             << plain(System, QStringLiteral("改变主窗口颜色"), Action::Colour) << numbering
             << plain(System, QStringLiteral("退出[T]"), Action::Exit) << help
             << plain(HelpMenu, QStringLiteral("关于"), Action::About);
    return commands;
}

} // namespace

QString MainCommand::refusalText() const
{
    if (!refusal.isEmpty())
        return refusal;
    return QStringLiteral("您没有在程序\"") + caption + QStringLiteral("\"中的权限");
}

const QList<MainCommand> &MainCommands()
{
    static const QList<MainCommand> commands = buildCommands();
    return commands;
}

const QList<MainToolButton> &MainToolButtons()
{
    static const QList<MainToolButton> buttons = {
        {QStringLiteral("车辆资料录入编辑"), QStringLiteral("车辆资料录入编辑"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("车辆工作任务管理"), QStringLiteral("车辆工作任务管理"), QStyle::SP_FileDialogListView},
        {QStringLiteral("车辆维修资料管理"), QStringLiteral("车辆维修资料管理"), QStyle::SP_BrowserReload},
        {QStringLiteral("单位收支资料管理"), QStringLiteral("单位收支资料管理"), QStyle::SP_DirIcon},
        {QStringLiteral("单位收支数据统计报表"), QStringLiteral("单位收支数据统计报表"),
         QStyle::SP_FileDialogContentsView},
        {QStringLiteral("事务提醒资料管理"), QStringLiteral("事务提醒资料管理"), QStyle::SP_MessageBoxInformation},
        {QStringLiteral("数据备份"), QStringLiteral("数据备份"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("退出[T]"), QStringLiteral("关闭系统"), QStyle::SP_DialogCloseButton},
    };
    return buttons;
}
