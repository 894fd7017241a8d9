#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

class TQXDataset;

// One column of an open TQXDataset, read and written on its current record.
// Values are held typed: text as QString, numbers as double, integers as qlonglong, dates
// as QDate (shown and read as "yyyy-MM-dd"); a NULL column is a null QVariant. Text that
// does not convert to the field's type is kept as typed, so the save checks can refuse it.
// Field objects belong to the dataset and live until it is closed.
class TQXField
{
public:
    enum class Type { Text, Number, Date, Integer };

    TQXField(TQXDataset &dataset, int index, QString name, Type type);

    const QString &fieldName() const { return m_name; }
    Type dataType() const { return m_type; }
    int index() const { return m_index; }
    TQXDataset &dataset() const { return m_dataset; }

    const QString &displayLabel() const { return m_displayLabel; }
    void setDisplayLabel(const QString &label) { m_displayLabel = label; }
    int displayWidth() const { return m_displayWidth; }
    void setDisplayWidth(int width) { m_displayWidth = width; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // The current record's value. Writing raises DatabaseError unless the dataset is
    // editing or inserting.
    QVariant value() const;
    void setValue(const QVariant &value);
    QString asText() const;
    void setAsText(const QString &text) { setValue(text); }
    double asNumber() const;
    qint64 asInteger() const;
    QDate asDate() const;
    void setAsDate(const QDate &date) { setValue(date); }
    // True for NULL and for empty text.
    bool isNull() const;
    void clear() { setValue(QVariant()); }

    // A value converted to a field type (see the class comment).
    static QVariant convert(Type type, const QVariant &value);
    // The text of a value as fields show it.
    static QString text(const QVariant &value);
    // Reads "yyyy-mm-dd" (also one-digit month and day, "/" as separator and two-digit
    // years, which fall into the 100 years starting 70 years before the current year).
    static QDate parseDate(const QString &text);
    // Reads a number with "." as the decimal separator; "," thousands separators are dropped.
    static bool parseNumber(const QString &text, double *number);

private:
    TQXDataset &m_dataset;
    int m_index;
    QString m_name;
    Type m_type;
    QString m_displayLabel;
    int m_displayWidth = 10;
    bool m_visible = true;
    int m_tag = 0;
};
