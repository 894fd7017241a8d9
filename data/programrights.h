#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The rights columns of SYS_RIGHT_TABLE, in the order rights are addressed by index:
// 0 edit (add, change, delete), 1 change, 2 delete, 3 browse, 4 print, 5 verify, 6 further.
inline const QStringList RightColumns = {
    QStringLiteral("ADD_RIGHT"),    QStringLiteral("EDIT_RIGHT"),   QStringLiteral("DElETE_RIGHT"),
    QStringLiteral("BROWSE_RIGHT"), QStringLiteral("PRINT_RIGHT"),  QStringLiteral("VERIFY_RIGHT"),
    QStringLiteral("CURRENCY_RIGHT")};

// A user's rights in one program; a right is held only when its value is '是'.
struct TRights
{
    bool add = false;
    bool edit = false;
    bool remove = false;
    bool browse = false;
    bool print = false;
    bool verify = false;
    bool currency = false;
    bool loaded = false;  // a rights row was found

    bool operator[](int index) const;
};

// True when the user may open (browse) the program of the group. A group or program that is
// not known shows "<name>程序组找不到" / "<name>程序找不到" (owned by `owner`) and gives false.
bool CheckRight(const QString &database, const QString &group, const QString &program, const QString &user,
                QObject *owner = nullptr);
// The user's seven rights in the program; all false and not loaded without a rights row.
TRights LoadRights(const QString &database, const QString &group, const QString &program, const QString &user);
// One right as stored: '是' or '否' ('否' when the row or the value is missing).
QString ReadRight(const QString &database, const QString &user, int group, int index, int program);
// Writes one right, adding the rights row when there is none (its other rights stay empty).
// False when the write failed; the caller shows its message.
bool WriteRight(const QString &database, const QString &user, int group, const QString &value, int index, int program);
