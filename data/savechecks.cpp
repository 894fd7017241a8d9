#include "savechecks.h"

#include "dbhelpers.h"
#include "messageservice.h"
#include "recordnumbering.h"
#include "screenhook.h"
#include "sqldialect.h"
#include "tqxquery.h"

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void SaveChecks::focusFor(QObject *control, const QString &fieldName)
{
    ScreenHook *hook = m_query.screenHook();
    if (!hook)
        return;
    if (control)
        hook->focusObject(control);
    else
        hook->focusField(m_query, fieldName);
}

bool SaveChecks::generatesNumber(const QString &fieldName) const
{
    for (const TInsertData &entry : m_query.InsertData) {
        if (sameName(entry.FieldName, fieldName) && RecordNumbering::isNumberingKind(entry.Kind))
            return true;
    }
    return false;
}

bool SaveChecks::validateFields()
{
    for (const TFieldsData &entry : m_query.FieldsData) {
        TQXField *target = m_query.findField(entry.FieldName);
        if (!target)
            continue;
        const QString text = target->asText().trimmed();
        if (text.isEmpty()) {
            const ScreenHook *hook = m_query.screenHook();
            if (!entry.Required || (entry.FocusControl && hook && !hook->controlText(entry.FocusControl).isEmpty()))
                continue;
            ShowWarning(entry.Caption + QStringLiteral("必须有一个值"));
            focusFor(entry.FocusControl, entry.FieldName);
            return false;
        }
        const QString kind = entry.DataKind.trimmed().toUpper();
        if (kind == QLatin1String("N")) {
            double number = 0;
            if (!TQXField::parseNumber(text, &number)) {
                ShowWarning(entry.Caption + QStringLiteral("是错误的数据"));
                focusFor(entry.FocusControl, entry.FieldName);
                return false;
            }
        } else if (kind == QLatin1String("D")) {
            const QDate date = TQXField::parseDate(text);
            if (!date.isValid()) {
                ShowWarning(entry.Caption + QStringLiteral("是错误的数据"));
                focusFor(entry.FocusControl, entry.FieldName);
                return false;
            }
            if (target->dataType() == TQXField::Type::Date)
                target->setAsDate(date);
            else
                target->setAsText(date.toString(QStringLiteral("yyyy-MM-dd")));
        }
    }
    return true;
}

QString SaveChecks::checkCondition(const TCheckItem &item, const QString &value) const
{
    const QString kind = item.Kind.trimmed().toUpper();
    if (kind == QLatin1String("N")) {
        double number = 0;
        if (TQXField::parseNumber(value, &number))
            return item.ColumnName + QLatin1Char('=') + QString::number(number, 'g', QLocale::FloatingPointShortest);
    } else if (kind == QLatin1String("D")) {
        const QDate date = TQXField::parseDate(value);
        if (date.isValid())
            return item.ColumnName + QLatin1Char('=') + DatabaseEngine::byName(m_query.databaseName()).dialect().date(date);
    }
    return item.ColumnName + QLatin1Char('=') + sqlText(value);
}

QString SaveChecks::checkStatement(const TCheckData &check, bool *changed) const
{
    QString conditions;
    for (const TCheckItem &item : check.Items) {
        if (item.FieldName.isEmpty() || item.ColumnName.isEmpty())
            continue;
        const QString current = m_query.fieldByName(item.FieldName).asText();
        if (current != item.OldValue)
            *changed = true;
        const QString value = item.FixedValue.isEmpty() ? current : item.FixedValue;
        if (value.isEmpty() && check.SkipIfEmpty)
            return QString();
        if (!conditions.isEmpty())
            conditions += QLatin1String(" and ");
        conditions += checkCondition(item, value);
    }
    return check.SqlHead + conditions + check.SqlTail;
}

bool SaveChecks::runCheck(const TCheckData &check, bool isNew)
{
    for (int attempt = 0;; ++attempt) {
        bool changed = isNew;
        const QString statement = checkStatement(check, &changed);
        if (statement.isEmpty() || (!changed && check.Unique))
            return true;

        std::unique_ptr<Dataset> found;
        try {
            found = OpenSQL(m_query.databaseName(), statement);
        } catch (const std::exception &) {
            ShowWarning(QStringLiteral("数据库操作过程发生错误"));
            return false;
        }
        const bool hasRow = !found->eof();
        if (check.Unique == hasRow) {
            // A new record's generated number that someone took meanwhile: draw the next one,
            // look again. A number changed on an existing record is the user's and is refused.
            if (check.Unique && isNew && attempt < TQXQuery::InsertAttempts && generatesNumber(check.TriggerField)
                && m_query.Renumber(check.TriggerField))
                continue;
            if (!check.AskOnly) {
                if (!check.Message.isEmpty())
                    ShowWarning(check.Message);
                focusFor(check.FocusControl, check.TriggerField);
                return false;
            }
            if (statement != m_confirmedCheck) {
                if (!AskYesNo(check.Message)) {
                    m_confirmedCheck.clear();
                    focusFor(check.FocusControl, check.TriggerField);
                    return false;
                }
                m_confirmedCheck = statement;
            }
        }
        if (!check.Unique && hasRow && !check.FillFields.trimmed().isEmpty()) {
            const QStringList names = check.FillFields.split(QLatin1Char(','));
            for (int i = 0; i < names.size() && i < found->fieldCount(); ++i)
                m_query.fieldByName(names.at(i).trimmed()).setValue(found->value(i));
        }
        return true;
    }
}

bool SaveChecks::runChecks(bool isNew)
{
    for (const TCheckData &check : m_query.CheckData) {
        if (m_query.findField(check.TriggerField) && !check.SqlHead.trimmed().isEmpty() && !runCheck(check, isNew))
            return false;
    }
    return true;
}
