#include "programrights.h"

#include "apperror.h"
#include "dbhelpers.h"
#include "messageservice.h"
#include "sqldialect.h"

namespace {

const QString Held = QStringLiteral("是");

QString columnOf(int index)
{
    if (index < 0 || index >= RightColumns.size())
        throw RangeError(QStringLiteral("Right index out of range: %1").arg(index));
    return RightColumns.at(index);
}

// The group and program numbers of the names; false (after the message) when unknown.
bool lookUp(const QString &database, const QString &group, const QString &program, QObject *owner, bool ownedWarning,
            int &groupId, int &programId)
{
    auto warn = [&](const QString &text) {
        if (ownedWarning)
            ShowWarningFor(owner, text);
        else
            ShowWarning(text);
    };
    groupId = int(GetNumberValue(database, QStringLiteral("SELECT COMPOSE_ID FROM  SYS_COMPOSE_TABLE WHERE COMPOSE_NAME =") + sqlText(group)));
    if (groupId == 0) {
        warn(group + QStringLiteral("程序组找不到"));
        return false;
    }
    programId = int(GetNumberValue(database, QStringLiteral("SELECT PROGRAM_ID FROM  SYS_PROGRAM_TABLE WHERE PROGRAM_NAME =%1 and COMPOSE_ID =%2")
                                                 .arg(sqlText(program)).arg(groupId)));
    if (programId == 0) {
        warn(program + QStringLiteral("程序找不到"));
        return false;
    }
    return true;
}

std::unique_ptr<Dataset> openRightsRow(const QString &database, int groupId, int programId, const QString &user)
{
    return OpenSQL(database, QStringLiteral("SELECT * FROM  SYS_RIGHT_TABLE WHERE COMPOSE_ID =%1 and PROGRAM_ID =%2 and USE_ID =%3")
                                 .arg(groupId).arg(programId).arg(sqlText(user)));
}

} // namespace

bool TRights::operator[](int index) const
{
    const bool flags[] = {add, edit, remove, browse, print, verify, currency};
    if (index < 0 || index >= int(std::size(flags)))
        throw RangeError(QStringLiteral("Right index out of range: %1").arg(index));
    return flags[index];
}

bool CheckRight(const QString &database, const QString &group, const QString &program, const QString &user, QObject *owner)
{
    int groupId = 0;
    int programId = 0;
    if (!lookUp(database, group, program, owner, true, groupId, programId))
        return false;
    const auto row = openRightsRow(database, groupId, programId, user);
    return !row->eof() && row->text(QStringLiteral("BROWSE_RIGHT")) == Held;
}

TRights LoadRights(const QString &database, const QString &group, const QString &program, const QString &user)
{
    TRights rights;
    int groupId = 0;
    int programId = 0;
    if (!lookUp(database, group, program, nullptr, false, groupId, programId))
        return rights;
    const auto row = openRightsRow(database, groupId, programId, user);
    if (row->eof())
        return rights;
    auto held = [&](const char *column) { return row->text(QLatin1String(column)) == Held; };
    rights.add = held("ADD_RIGHT");
    rights.edit = held("EDIT_RIGHT");
    rights.remove = held("DELETE_RIGHT");
    rights.browse = held("BROWSE_RIGHT");
    rights.print = held("PRINT_RIGHT");
    rights.verify = held("VERIFY_RIGHT");
    rights.currency = held("CURRENCY_RIGHT");
    rights.loaded = true;
    return rights;
}

QString ReadRight(const QString &database, const QString &user, int group, int index, int program)
{
    const QVariant value = GetRowValues(database, QStringLiteral("SELECT %1 FROM SYS_RIGHT_TABLE WHERE USE_ID = %2 AND COMPOSE_ID = %3 AND PROGRAM_ID = %4")
                                                      .arg(columnOf(index), sqlText(user)).arg(group).arg(program));
    const QString text = valueText(value);
    return text.isEmpty() ? QStringLiteral("否") : text;
}

bool WriteRight(const QString &database, const QString &user, int group, const QString &value, int index, int program)
{
    if (database.isEmpty()) {
        ShowWarning(QStringLiteral("DataBaseName必须有一个值"));
        return false;
    }
    const QString column = columnOf(index);
    const QString exists = GetFieldValue(database, QStringLiteral("SELECT * FROM SYS_RIGHT_TABLE WHERE USE_ID = %1 AND COMPOSE_ID = %2 AND PROGRAM_ID = %3")
                                                       .arg(sqlText(user)).arg(group).arg(program));
    if (!exists.isEmpty()) {
        return ExecuteSQL(database, QStringLiteral("UPDATE SYS_RIGHT_TABLE SET %1 = %2 WHERE USE_ID = %3 AND COMPOSE_ID = %4 AND PROGRAM_ID = %5 ")
                                        .arg(column, sqlText(value), sqlText(user)).arg(group).arg(program));
    }
    return ExecuteSQL(database, QStringLiteral(" INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID, %1) VALUES(%2, %3,%4,%5)")
                                    .arg(column, sqlText(user)).arg(group).arg(program).arg(sqlText(value)));
}
