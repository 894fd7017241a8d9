#include "tdm.h"

#include "databaseengine.h"
#include "engineconfig.h"
#include "messageservice.h"
#include "settingsstore.h"

namespace {

const QString AliasMissingMessage = QStringLiteral(
    "1.没有找到软件设置的数据库连接参数，如果操作系统是Window7 或 以上的操作系统，用鼠标右键点桌面软件图标，"
    "在弹出的菜单里点属性，点兼容方式，把 以管理员身份运行此软件 打勾,然后重新打开软件。\n\r"
    "2.如果打勾后还提示此信息，或者是XP操作系统提示此信息，就要重新安装软件，如果有录入的数据，"
    "不要卸载和删除以前装的软件，换个盘重新安装，不要覆盖以前的软件，安装好后用最新的数据备份恢复数据");

} // namespace

TDM::TDM()
{
    if (!AliasExists(MainAliasName)) {
        ShowWarning(AliasMissingMessage);
        m_aliasMissing = true;
        return;
    }
    DatabaseEngine::add(CreateEngine(MainDatabaseName, GetAliasPath(MainAliasName)));
}

TDM::~TDM()
{
    if (!m_aliasMissing)
        DatabaseEngine::remove(MainDatabaseName);
}

DatabaseEngine &TDM::MainDatabase() const
{
    return DatabaseEngine::byName(MainDatabaseName);
}
