#include "printmargins.h"

#include "databaseengine.h"
#include "dbhelpers.h"
#include "sqldialect.h"
#include "texthelpers.h"
#include "tqxreport.h"

#include <QLocale>

namespace {

QString selectStatement(const QString &reportName)
{
    return QStringLiteral("SELECT * FROM SYS_PRINT_TABLE WHERE PRINT_NAME = ") + sqlText(reportName);
}

// The shortest decimal form, "." as separator.
QString number(qreal value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

void ApplyStoredMargins(TQXReport &report)
{
    const auto row = OpenSQL(MainDatabaseName, selectStatement(report.name()));
    if (row->eof())
        return;
    const auto stored = [&](const char *column, void (TQXReport::*set)(qreal)) {
        const double value = ParseMoney(row->text(QLatin1String(column)));
        if (value > 0 && value < 20)
            (report.*set)(value);
    };
    stored("TOP_MARGIN", &TQXReport::setTopMargin);
    stored("BUTTOM_MARGIN", &TQXReport::setBottomMargin);
    stored("LEFT_MARGIN", &TQXReport::setLeftMargin);
    stored("RIGHT_MARGIN", &TQXReport::setRightMargin);
}

bool StorePrintMargins(const QString &reportName, qreal top, qreal bottom, qreal left, qreal right)
{
    bool exists = false;
    try {
        exists = !OpenSQL(MainDatabaseName, selectStatement(reportName))->eof();
    } catch (const std::exception &) {
        return false;
    }
    const QString name = sqlText(reportName);
    const QString sql = exists
        ? QStringLiteral("UPDATE SYS_PRINT_TABLE SET TOP_MARGIN = ") + number(top) + QStringLiteral(",")
              + QStringLiteral("BUTTOM_MARGIN = ") + number(bottom) + QStringLiteral(",LEFT_MARGIN = ") + number(left)
              + QStringLiteral(",") + QStringLiteral("RIGHT_MARGIN = ") + number(right)
              + QStringLiteral(" WHERE PRINT_NAME = ") + name
        : QStringLiteral("INSERT INTO SYS_PRINT_TABLE(PRINT_NAME,TOP_MARGIN,BUTTOM_MARGIN,LEFT_MARGIN,RIGHT_MARGIN) VALUES(")
              + name + QStringLiteral(",") + number(top) + QStringLiteral(",") + number(bottom) + QStringLiteral(",")
              + number(left) + QStringLiteral(",") + number(right) + QStringLiteral(")");
    return ExecuteSQL(MainDatabaseName, sql);
}
