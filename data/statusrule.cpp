#include "statusrule.h"

StatusRule::Outcome StatusRule::check(const QString &status, const QStringList &allowList, const QStringList &denyList)
{
    if (!denyList.isEmpty())
        return denyList.contains(status) ? Outcome::InDenyList : Outcome::Allowed;
    if (!allowList.isEmpty())
        return allowList.contains(status) ? Outcome::Allowed : Outcome::NotInAllowList;
    return Outcome::Allowed;
}

QString StatusRule::message(Action action, bool master, Outcome outcome, const QString &status,
                            const QString &statusMsg)
{
    if (outcome == Outcome::Allowed)
        return QString();
    const bool denied = outcome == Outcome::InDenyList;
    const bool named = !statusMsg.isEmpty();

    switch (action) {
    case Action::Add:
        if (denied)
            return named ? statusMsg + QStringLiteral("的状态是 “") + status + QStringLiteral(" ” , 不能增加新的记录")
                         : QStringLiteral("主档纪录状态为：  “") + status + QStringLiteral(" ”  ") + QStringLiteral("的从档不能增加新记录");
        return named ? statusMsg + QStringLiteral("的状态是 “ ") + status + QStringLiteral(" ” , 不能增加新的记录")
                     : QStringLiteral("主档纪录状态为： “ ") + status + QStringLiteral(" ”") + QStringLiteral("的从档不能增加新记录");
    case Action::Edit:
        if (!master)
            return QStringLiteral("状态为： “ ") + status + QStringLiteral(" ”  ") + QStringLiteral("的记录不能编辑");
        if (denied)
            return named ? statusMsg + QStringLiteral("的状态是 “") + status + QStringLiteral(" ” , 不能修改记录")
                         : QStringLiteral("主档纪录状态为：  “") + status + QStringLiteral(" ”  ") + QStringLiteral("的记录不能编辑");
        return named ? statusMsg + QStringLiteral("的状态是 “ ") + status + QStringLiteral(" ” , 不能修改记录")
                     : QStringLiteral("主档纪录状态为： “ ") + status + QStringLiteral(" ”") + QStringLiteral("的记录不能编辑");
    case Action::Delete:
        if (!master) {
            return denied ? QStringLiteral("状态为：  “ ") + status + QStringLiteral(" ”  ") + QStringLiteral(" 的记录不能删除")
                          : QStringLiteral("状态为： “ ") + status + QStringLiteral(" ”  ") + QStringLiteral(" 的记录不能删除");
        }
        return named ? statusMsg + QStringLiteral("的状态是 “ ") + status + QStringLiteral(" ” , 该记录不能删除")
                     : QStringLiteral("主档纪录状态为： “ ") + status + QStringLiteral(" ”  ") + QStringLiteral(" 的记录不能删除");
    }
    return QString();
}
