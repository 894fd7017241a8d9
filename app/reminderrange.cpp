#include "reminderrange.h"

#include "chooseone.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "messageservice.h"

#include <QString>

int ChooseReminderRange(const QDate &today)
{
    const int choice = ChooseOneQuery(QStringLiteral("事务提醒范围选择"), QStringLiteral("到期事务"),
                                      QStringLiteral("今日事务"), QStringLiteral("本周事务"), QStringLiteral("本月事务"));
    return choice == 0 ? -1 : ReminderRangeCode(choice, today);
}

int ReminderRangeCode(int choice, const QDate &today)
{
    static constexpr int Codes[] = {0, 1, 4, 7};
    if (choice < 1 || choice > 4)
        return -1;
    if (ReminderCount(choice, today) == 0) {
        ShowWarning(QStringLiteral("没有符合条件的事务提醒记录"));
        return -1;
    }
    return Codes[choice - 1];
}

int ReminderCount(int choice, const QDate &today)
{
    const SqlDialect &dialect = DatabaseEngine::byName(MainDatabaseName).dialect();
    QString sql;
    switch (choice) {
    case 1:
        sql = QStringLiteral("SELECT Count(AWAKE_ID) FROM QX_CAR_AWAKE_TABLE WHERE STATUS = '有效提醒' AND AWAKE_DATE <= ")
            + dialect.date(today);
        break;
    case 2:
        sql = QStringLiteral("SELECT Count(AWAKE_ID) FROM QX_CAR_AWAKE_TABLE WHERE STATUS = '有效提醒' AND  AWAKE_DATE = ")
            + dialect.date(today);
        break;
    case 3: {
        const QDate monday = today.addDays(1 - today.dayOfWeek());
        sql = QStringLiteral("SELECT Count(AWAKE_ID) FROM QX_CAR_AWAKE_TABLE WHERE  STATUS = '有效提醒' AND  AWAKE_DATE >= ")
            + dialect.date(monday) + QStringLiteral(" AND AWAKE_DATE <= ") + dialect.date(monday.addDays(6));
        break;
    }
    case 4: {
        const QDate first(today.year(), today.month(), 1);
        sql = QStringLiteral("SELECT Count(AWAKE_ID) FROM QX_CAR_AWAKE_TABLE WHERE STATUS = '有效提醒' AND AWAKE_DATE >= ")
            + dialect.date(first) + QStringLiteral(" AND AWAKE_DATE <= ") + dialect.date(first.addMonths(1).addDays(-1));
        break;
    }
    default:
        return 0;
    }
    return int(GetNumberValue(MainDatabaseName, sql));
}
