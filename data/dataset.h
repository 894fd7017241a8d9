#pragma once

#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

// An open result as the helpers hand it out: positioned on its first row (eof() when there
// is none), moved with next()/prior()/first()/last(), fields read by name or position.
class Dataset
{
public:
    explicit Dataset(QSqlQuery query);

    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const;
    void first();
    void last();
    void next();
    void prior();
    // The exact number of rows.
    int recordCount();

    int fieldCount() const { return m_record.count(); }
    QString fieldName(int index) const { return m_record.fieldName(index); }
    bool hasField(const QString &name) const { return m_record.indexOf(name) >= 0; }

    // The value of the current row; raises DatabaseError for an unknown field or no row.
    QVariant value(int index) const;
    QVariant value(const QString &name) const;
    // The value as text: empty for NULL, numbers without trailing zeros.
    QString text(int index) const;
    QString text(const QString &name) const;

    QSqlQuery &query() { return m_query; }

private:
    int indexOf(const QString &name) const;

    QSqlQuery m_query;
    QSqlRecord m_record;
    bool m_eof = true;
    bool m_bof = true;
};

// A field value as text the way the helpers read it (NULL → "", 12.50 → "12.5").
QString valueText(const QVariant &value);
