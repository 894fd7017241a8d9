#pragma once

#include "tfieldsdata.h"
#include "tsqltype.h"

#include <QDate>
#include <QList>
#include <QString>

class SqlDialect;

// One relation the find dialogs offer: its SQL text and the words the user sees.
struct TFindConnectTypeName
{
    QString Sql;
    QString Display;
};
using TFindConnectNamearray = QList<TFindConnectTypeName>;

// "Like" "相似", "=" "等于", "<>" "不等于", "<=" "小于等于", ">=" "大于等于", in this order.
const TFindConnectNamearray &FindConnectNames();
// The display text of a relation's SQL text (trailing blanks ignored); empty when unknown.
QString FindConnectDisplay(const QString &sql);

// Writes the SQL condition of one find line for a field rule, in one of the three dialects.
// The relation `op` is passed as the dialog uses it: the full dialog appends one blank to
// the SQL text ("Like ", "= "), so its conditions carry two blanks before the value; the
// simple dialog passes it bare. Values typed by the user never change the statement's
// shape: text goes through sqlText, LIKE patterns escape '%', '_' and '\' (an ESCAPE
// clause is added only when the value holds one of them), and a value compared as a number
// that is no number is written as a quoted text.
//
// urStandard is the dialect that runs: dates are compared as date literals of the
// connected engine's dialect (ISO dates compare in calendar order and the date indexes
// stay usable), and on PostgreSQL "Like" becomes ILIKE on the column's text, so that a
// search matches regardless of case as it does on SQLite and numbers and dates match too.
// urSql_Server and urAccess are written as text only.
class FindCondition
{
public:
    // `dialect` is the connected engine's (urStandard); without one, dates are written as
    // ISO literals and LIKE as written.
    FindCondition(TSqlType type, const SqlDialect *dialect, bool simple = false);

    // The column as conditions name it: TableAlias + "." + FieldName, or FieldName.
    static QString column(const TFieldsData &entry);
    // TableAlias + "." + KeyField, or KeyField.
    static QString keyColumn(const TFieldsData &entry);

    // The condition for the entry's FindKind. `value` is the editor's text (trimmed by the
    // caller; for "D" a valid "yyyy-MM-dd"), `popupResult` what the pop-up returned
    // ("ES": the key value; "BS": a whole condition, returned unchanged).
    QString build(const TFieldsData &entry, const QString &op, const QString &value,
                  const QString &popupResult = QString()) const;

    // The common comparison G(c) of kinds "T", "LS", "B" and "DT".
    QString compare(const QString &column, const TFieldsData &entry, const QString &op, const QString &value,
                    bool serverNullForm) const;
    // Kind "D" on a date column.
    QString dateCompare(const QString &column, const QString &op, const QDate &date) const;

    // A LIKE pattern for `value` between `prefix` and `suffix` wildcards, quotes included.
    QString likePattern(const QString &value, const QString &prefix, const QString &suffix) const;
    // A value compared as a number: the number, or the quoted text when it is none.
    static QString numberLiteral(const QString &value);

    static bool isLike(const QString &op);

private:
    QString relation(const QString &op) const;
    // The column as LIKE compares it on the connected engine.
    QString likeColumn(const QString &column) const;

    TSqlType m_type;
    const SqlDialect *m_dialect;
    bool m_simple;
    bool m_caseFoldLike = false;
};

// The value text clean-up of the find dialogs' text box: trimmed; the text after "；"
// (twice, at most 200 characters); the text before "?" (and, in the simple dialog, before
// "？"); the text after ";" (three times).
QString CleanFindValue(const QString &text, bool simple);

// A date typed into the find dialogs: exactly "yyyy-MM-dd"; null when it is not.
QDate ParseFindDate(const QString &text);

// The pattern of a look-up list search "LIKE '%text%'" on the connected engine: the
// keyword and the escaped pattern ("LIKE '%a\_b%' ESCAPE '\'").
QString LikeContains(const QString &text);
