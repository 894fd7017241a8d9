#pragma once

#include <QString>
#include <QStringList>

// The status rule of the editable query: a record (or its master record) whose STATUS is
// in the deny-list, or - when there is no deny-list - not in the allow-list, may not be
// edited, deleted or given new detail records. Values compare exactly.
class StatusRule
{
public:
    enum class Action { Add, Edit, Delete };
    enum class Outcome { Allowed, InDenyList, NotInAllowList };

    static Outcome check(const QString &status, const QStringList &allowList, const QStringList &denyList);

    // The refusal text. `master`: the rule was applied to the master's STATUS, whose name
    // `statusMsg` (may be empty) starts the text. Add refusals exist only for the master.
    static QString message(Action action, bool master, Outcome outcome, const QString &status,
                           const QString &statusMsg);
};
