#pragma once

#include "tcheckdata.h"

#include <QString>

class QObject;
class TQXQuery;

// The checks a save runs before writing (unless the query's NoCheck is set): the field
// rules of FieldsData (required, numbers, dates) and the database look-ups of CheckData.
// A failing check shows its warning (or asks, for AskOnly checks), focuses the control
// concerned and makes the save fail. The look-up the user last confirmed is remembered
// until a save completes or the user answers No.
class SaveChecks
{
public:
    explicit SaveChecks(TQXQuery &query) : m_query(query) {}

    bool validateFields();
    bool runChecks(bool isNew);
    void forgetConfirmation() { m_confirmedCheck.clear(); }
    // True when an InsertData entry of the query generates a number for the field.
    bool generatesNumber(const QString &fieldName) const;

private:
    bool runCheck(const TCheckData &check, bool isNew);
    QString checkStatement(const TCheckData &check, bool *changed) const;
    QString checkCondition(const TCheckItem &item, const QString &value) const;
    void focusFor(QObject *control, const QString &fieldName);

    TQXQuery &m_query;
    QString m_confirmedCheck;
};
