#pragma once

#include "apperror.h"

class QSqlError;

// The failures the program tells the user about in plain words; everything else is
// EngineCondition::Other and is shown with its technical details.
enum class EngineCondition {
    Other,
    ReferencedRow,     // a deleted row is still referenced by rows of other tables
    OpenFailed,        // the database could not be opened
    DuplicateKey,      // a key or unique value already exists
    ChangedByOther,    // the row was changed or deleted by another user since it was read
    TooLarge,          // a value is too large for its column
    TablesOpen,        // the database is in use (locked by another connection)
};

// One entry of an engine failure: message, code = category * 256 + subcode, and a native
// code. The six conditions carry the codes the failure translation recognises, with native
// code 0; other failures carry the engine's own result code as the native code.
struct EngineErrorEntry
{
    QString message;
    int code = 0;
    int category = 0;
    int subcode = 0;
    int nativeCode = 0;
};

// A failure reported by the database engine.
class EngineError : public AppError
{
public:
    EngineError(EngineCondition condition, const QString &message, int engineCode = 0);

    QString kindName() const override { return QStringLiteral("EDBEngineError"); }
    EngineCondition condition() const { return m_condition; }
    // The engine's own result code (SQLite extended result code, or 0 when not known).
    int engineCode() const { return m_engineCode; }
    const EngineErrorEntry &entry() const { return m_entry; }

    // The category and subcode a condition is reported with.
    static void codesFor(EngineCondition condition, int &category, int &subcode);

private:
    EngineCondition m_condition;
    int m_engineCode;
    EngineErrorEntry m_entry;
};
