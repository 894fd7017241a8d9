#include "programparameters.h"

#include "databaseengine.h"
#include "dbhelpers.h"
#include "messageservice.h"
#include "sqldialect.h"

QString ReadParameter(const QString &name)
{
    return GetFieldValue(MainDatabaseName, QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = ") + sqlText(name));
}

bool ReadSwitch(const QString &name)
{
    return ReadParameter(name) == QStringLiteral("是");
}

bool WriteParameter(const QString &name, const QString &value)
{
    bool ok = false;
    try {
        const bool exists = GetNumberValue(MainDatabaseName,
            QStringLiteral("SELECT COUNT(AUTO_ID) FROM SYS_ID_TABLE WHERE NAME_ID = ") + sqlText(name)) >= 1;
        const QString sql = exists
            ? QStringLiteral("UPDATE SYS_ID_TABLE SET AUTO_ID = ") + sqlText(value) + QStringLiteral("  WHERE NAME_ID = ") + sqlText(name)
            : QStringLiteral("INSERT INTO SYS_ID_TABLE(NAME_ID,AUTO_ID) VALUES(") + sqlText(name) + QLatin1Char(',') + sqlText(value) + QLatin1Char(')');
        ok = ExecuteSQL(MainDatabaseName, sql);
    } catch (const std::exception &) {
        // The count failed: the table cannot be read, so nothing was saved.
    }
    if (!ok)
        ShowWarning(QStringLiteral("参数保存过程发生错误"));
    return ok;
}
