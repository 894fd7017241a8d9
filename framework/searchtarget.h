#pragma once

#include <QString>

// What RunSearch needs of a query: close it, give it a statement, open it and count the
// rows it found (the count is final once opened).
class SearchTarget
{
public:
    virtual ~SearchTarget() = default;

    virtual void closeQuery() = 0;
    virtual void setSqlText(const QString &sql) = 0;
    // Raises the engine's failure when the statement cannot be opened.
    virtual void openQuery() = 0;
    virtual int recordCount() = 0;
};
