#pragma once

#include "searchtarget.h"
#include "tqxquery.h"

// Lets RunSearch close, re-point, open and count an editable query. The count is the
// statement's exact row count, whether or not every row has been read yet.
class QuerySearchTarget final : public SearchTarget
{
public:
    explicit QuerySearchTarget(TQXQuery &query) : m_query(query) {}

    void closeQuery() override { m_query.CloseQuery(); }
    void setSqlText(const QString &sql) override { m_query.setSql(sql); }
    void openQuery() override { m_query.OpenQuery(); }
    int recordCount() override { return m_query.recordCount(); }

private:
    TQXQuery &m_query;
};
