#include "dbhelpers.h"

#include "apperror.h"
#include "databaseengine.h"
#include "texthelpers.h"

#include <QLocale>

std::unique_ptr<Dataset> OpenSQL(const QString &database, const QString &sql)
{
    return std::make_unique<Dataset>(DatabaseEngine::byName(database).run(sql));
}

bool ExecuteSQL(const QString &database, const QString &sql)
{
    try {
        DatabaseEngine::byName(database).run(sql);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool ExecuteSQLFmt(const QString &database, const QString &sqlTemplate, const QVariantList &arguments)
{
    QString sql;
    try {
        sql = FormatSql(sqlTemplate, arguments);
    } catch (const std::exception &) {
        return false;
    }
    return ExecuteSQL(database, sql);
}

QString GetFieldValue(const QString &database, const QString &sql)
{
    const auto dataset = OpenSQL(database, sql);
    return dataset->eof() || dataset->fieldCount() == 0 ? QString() : dataset->text(0);
}

QString GetFieldValueFmt(const QString &database, const QString &sqlTemplate, const QVariantList &arguments)
{
    return GetFieldValue(database, FormatSql(sqlTemplate, arguments));
}

double GetNumberValue(const QString &database, const QString &sql)
{
    const auto dataset = OpenSQL(database, sql);
    return dataset->eof() || dataset->fieldCount() == 0 ? 0.0 : ParseMoney(dataset->text(0));
}

QVariant GetRowValues(const QString &database, const QString &sql)
{
    const auto dataset = OpenSQL(database, sql);
    if (dataset->eof())
        return QVariant();
    if (dataset->fieldCount() == 1)
        return dataset->value(0);
    QVariantList row;
    for (int i = 0; i < dataset->fieldCount(); ++i)
        row << dataset->value(i);
    return row;
}

QVariant GetTableValues(const QString &database, const QString &sql)
{
    const auto dataset = OpenSQL(database, sql);
    if (dataset->eof())
        return QVariant();
    QVariantList rows;
    for (; !dataset->eof(); dataset->next()) {
        QVariantList row;
        for (int i = 0; i < dataset->fieldCount(); ++i)
            row << dataset->value(i);
        rows << QVariant(row);
    }
    if (rows.size() == 1 && dataset->fieldCount() == 1)
        return rows.first().toList().first();
    return rows;
}

QString FormatSql(const QString &sqlTemplate, const QVariantList &arguments)
{
    QString result;
    int next = 0;
    for (qsizetype i = 0; i < sqlTemplate.size(); ++i) {
        const QChar c = sqlTemplate.at(i);
        if (c != QLatin1Char('%') || i + 1 >= sqlTemplate.size()) {
            result += c;
            continue;
        }
        const QChar kind = sqlTemplate.at(++i);
        if (kind == QLatin1Char('%')) {
            result += kind;
            continue;
        }
        if (next >= arguments.size())
            throw ConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(sqlTemplate));
        const QVariant &argument = arguments.at(next++);
        if (kind == QLatin1Char('s')) {
            result += valueText(argument);
        } else if (kind == QLatin1Char('d')) {
            bool ok = false;
            const qlonglong number = argument.toLongLong(&ok);
            if (!ok)
                throw ConvertError(QStringLiteral("Format '%d' invalid or incompatible with argument"));
            result += QString::number(number);
        } else if (kind == QLatin1Char('f')) {
            bool ok = false;
            const double number = argument.toDouble(&ok);
            if (!ok)
                throw ConvertError(QStringLiteral("Format '%f' invalid or incompatible with argument"));
            result += QLocale::c().toString(number, 'f', 2);
        } else {
            throw ConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(sqlTemplate));
        }
    }
    return result;
}
