#pragma once

// Shared by the maintenance command tests: sample business rows and a comparable picture
// of every table's rows, the same whatever the engine.

#include "databaseengine.h"

#include <QDate>
#include <QFile>
#include <QMap>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace AdminTestData {

// Every table's rows, values normalised by column type, rows sorted.
inline QMap<QString, QStringList> allRows(DatabaseEngine &engine)
{
    QMap<QString, QStringList> result;
    for (const QString &table : engine.tableNames()) {
        const QList<ColumnInfo> columns = engine.columns(table);
        QSqlQuery query = engine.run(QStringLiteral("SELECT * FROM ") + table);
        QStringList rows;
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < columns.size(); ++i) {
                const QVariant value = query.value(i);
                const QString &type = columns[i].type;
                if (value.isNull())
                    values << QStringLiteral("<null>");
                else if (type == QLatin1String("FLOAT"))
                    values << QString::number(value.toDouble(), 'g', 15);
                else if (type == QLatin1String("INTEGER"))
                    values << QString::number(value.toLongLong());
                else if (value.typeId() == QMetaType::QDate)
                    values << value.toDate().toString(Qt::ISODate);
                else
                    values << value.toString();
            }
            rows << values.join(QLatin1Char('|'));
        }
        rows.sort();
        result.insert(table.toUpper(), rows);
    }
    return result;
}

inline void insertBusinessRows(DatabaseEngine &engine, const QString &tag = QStringLiteral("A"))
{
    const SqlDialect &d = engine.dialect();
    engine.run(QStringLiteral("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,CAR_ID,CAR_NAME,CAR_BUY_DATE,CAR_BUY_MONEY,NOTE) VALUES"
                              "('C%1','京A%1','东风自卸车',%2,123456.78,'tab\there'),('C%1X','O''Brien',NULL,NULL,NULL,NULL)")
                   .arg(tag, d.date(QDate(2019, 3, 4))));
    engine.run(QStringLiteral("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,CAR_RECORD_ID,WORK_ID,STATUS,WORK_START_DATE,WORK_MONEY) "
                              "VALUES('W%1','C%1','R%1','未完工',%2,0.1)").arg(tag, d.date(QDate(2024, 2, 29))));
    engine.run(QStringLiteral("INSERT INTO QX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,CAR_WORK_ID,MONEY_DATE,MONEY_INTO_NUMBER,STATUS) "
                              "VALUES('M%1','W%1',%2,50.5,'未审核')").arg(tag, d.date(QDate(2024, 3, 1))));
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace AdminTestData
