#include "engineerror.h"

void EngineError::codesFor(EngineCondition condition, int &category, int &subcode)
{
    switch (condition) {
    case EngineCondition::ReferencedRow: category = 38; subcode = 6; return;
    case EngineCondition::OpenFailed: category = 42; subcode = 18; return;
    case EngineCondition::DuplicateKey: category = 38; subcode = 1; return;
    case EngineCondition::ChangedByOther: category = 42; subcode = 11; return;
    case EngineCondition::TooLarge: category = 39; subcode = 45; return;
    case EngineCondition::TablesOpen: category = 40; subcode = 3; return;
    case EngineCondition::Other: category = 0; subcode = 0; return;
    }
}

EngineError::EngineError(EngineCondition condition, const QString &message, int engineCode)
    : AppError(message), m_condition(condition), m_engineCode(engineCode)
{
    m_entry.message = message;
    codesFor(condition, m_entry.category, m_entry.subcode);
    m_entry.code = m_entry.category * 256 + m_entry.subcode;
    m_entry.nativeCode = condition == EngineCondition::Other ? engineCode : 0;
}
