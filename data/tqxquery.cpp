#include "tqxquery.h"

#include "apperror.h"
#include "dbhelpers.h"
#include "engineerror.h"
#include "messageservice.h"
#include "recordnumbering.h"
#include "recordwriter.h"
#include "savechecks.h"
#include "screenhook.h"
#include "sqldialect.h"

#include <QRegularExpression>
#include <QSqlRecord>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString kindOf(const TInsertData &entry)
{
    return entry.Kind.trimmed().toUpper();
}

// The first line of a statement with its keyword followed by the table name.
void renameTable(QStringList &lines, const QString &table)
{
    if (lines.isEmpty())
        return;
    QString &line = lines.first();
    if (line.contains(QLatin1String("insert into")))
        line = line.left(12) + table + QLatin1Char(' ');
    else if (line.contains(QLatin1String("update")))
        line = line.left(7) + table + QLatin1Char(' ');
    else if (line.contains(QLatin1String("delete from")))
        line = line.left(12) + table + QLatin1Char(' ');
}

// Failures the failure handler explains in plain words pass on unchanged.
bool explainedFailure(const std::exception &failure)
{
    if (const auto *engineError = dynamic_cast<const EngineError *>(&failure))
        return engineError->condition() != EngineCondition::Other;
    return dynamic_cast<const ConvertError *>(&failure) != nullptr;
}

} // namespace

TQXQuery::TQXQuery(QObject *parent) : TQXDataset(parent), m_checks(std::make_unique<SaveChecks>(*this)) {}

TQXQuery::~TQXQuery() = default;

void TQXQuery::setTableName(const QString &name, bool setStatement)
{
    m_tableName = name;
    if (setStatement)
        setSql(QStringLiteral("SELECT  *  FROM  ") + name);
}

void TQXQuery::refreshContext()
{
    const QDate today = Clock().date();
    TodayText = today.toString(QStringLiteral("yyyy-MM-dd"));
    YYYYMM = today.toString(QStringLiteral("yyyyMM"));
    YYYYMMDD = today.toString(QStringLiteral("yyyyMMdd"));
}

void TQXQuery::focusActiveControl()
{
    if (!NoCheck && m_hook && !ActiveControl.isEmpty())
        m_hook->focusControl(ActiveControl);
}

void TQXQuery::restoreBrowseLook()
{
    if (!m_hook)
        return;
    m_hook->setGridsEnabled(*this, !isEditing());
    m_hook->setColorSwitch(*this, true);
    if (!isEditing())
        m_hook->refreshFooters(*this);
}

// ---- Open and close --------------------------------------------------------------------------

void TQXQuery::OpenQuery()
{
    if (QyDetail)
        QyDetail->CloseQuery();
    if (state() == State::Inactive) {
        if (m_hook) {
            m_hook->setDisplayUpdates(*this, false);
            m_hook->beforeOpen(*this);
        }
        setOpening(true);
        setKeyColumns(RecordWriter::keyColumns(UpdateSQL.ModifySQL));
        bool failed = false;
        try {
            open();
        } catch (const std::exception &) {
            failed = true;
        }
        applyFieldsData();
        if (m_hook) {
            m_hook->setDisplayUpdates(*this, true);
            m_hook->afterOpen(*this);
        }
        setOpening(false);
        if (failed) {
            ShowWarning(QStringLiteral("数据库操作过程发生错误"));
            throw AbortError();
        }
        if (AfterOpen)
            AfterOpen();
    }
    if (m_hook)
        m_hook->setupGridColumns(*this);
    if (AfterScroll)
        AfterScroll();
}

void TQXQuery::close()
{
    TQXDataset::close();
    if (m_hook)
        m_hook->afterClose(*this);
}

void TQXQuery::applyFieldsData()
{
    if (!FieldsData.isAssigned() || fieldCount() < 2)
        return;
    for (int i = 0; i < fieldCount(); ++i) {
        TQXField &f = field(i);
        const TFieldsData *entry = nullptr;
        for (const TFieldsData &candidate : FieldsData) {
            if (sameName(candidate.FieldName, f.fieldName())) {
                entry = &candidate;
                break;
            }
        }
        if (!entry) {
            f.setVisible(false);
            continue;
        }
        const QString kind = entry->DataKind.trimmed().toUpper();
        if (f.tag() == 0 && kind == QLatin1String("N"))
            f.setDisplayWidth(13);
        else if (f.tag() == 0 && kind == QLatin1String("D"))
            f.setDisplayWidth(10);
        f.setDisplayLabel(entry->Caption);
        if (entry->Width > 0)
            f.setDisplayWidth(entry->Width);
        f.setVisible(entry->Visible);
        if (entry->Width == -1) {
            f.setVisible(true);
            f.setDisplayWidth(0);
        }
    }
}

// ---- Status rules and guards -------------------------------------------------------------------

void TQXQuery::applyStatusRule(const TQXQuery &owner, bool master, StatusRule::Action action)
{
    const QString status = owner.fieldByName(QStringLiteral("STATUS")).asText();
    const StatusRule::Outcome outcome = StatusRule::check(status, owner.m_allowList, owner.m_denyList);
    if (outcome == StatusRule::Outcome::Allowed)
        return;
    ShowWarning(StatusRule::message(action, master, outcome, status, owner.StatusMsg));
    throw AbortError();
}

void TQXQuery::addGuard()
{
    if (QyMaster) {
        if (QyMaster->isEmpty()) {
            ShowWarning(QStringLiteral("主数据库页面没有数据纪录，从数据页面不能有新的纪录"));
            throw AbortError();
        }
        if (QyMaster->ActiveStatus)
            applyStatusRule(*QyMaster, true, StatusRule::Action::Add);
    }
    focusActiveControl();
    if (BeforeInsert)
        BeforeInsert();
}

void TQXQuery::editGuard()
{
    if (!NoCheck) {
        if (ActiveStatus)
            applyStatusRule(*this, false, StatusRule::Action::Edit);
        if (QyMaster && QyMaster->ActiveStatus)
            applyStatusRule(*QyMaster, true, StatusRule::Action::Edit);
        focusActiveControl();
    }
    for (TCheckData &check : CheckData) {
        if (!findField(check.TriggerField) || check.SqlHead.trimmed().isEmpty())
            continue;
        for (TCheckItem &item : check.Items) {
            if (!item.FieldName.isEmpty() && !item.ColumnName.isEmpty())
                item.OldValue = fieldByName(item.FieldName).asText();
        }
    }
    if (BeforeEdit)
        BeforeEdit();
}

// ---- Add, edit, cancel -----------------------------------------------------------------------

bool TQXQuery::beginChange()
{
    if (state() == State::Inactive)
        throw DatabaseError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(objectName()));
    if (isEditing())
        return false;
    if (NoCheck && m_hook)
        m_hook->setColorSwitch(*this, false);
    refreshContext();
    return true;
}

void TQXQuery::AppendRecord()
{
    if (!beginChange())
        return;
    addGuard();
    startInsert();
    try {
        if (AfterInsert)
            AfterInsert();
        for (TCheckData &check : CheckData) {
            for (TCheckItem &item : check.Items)
                item.OldValue.clear();
        }
        if (m_hook)
            m_hook->setGridsEnabled(*this, false);
        fillInsertData();
    } catch (...) {
        if (isEditing())
            CancelRecord();
        throw;
    }
}

void TQXQuery::fillInsertData()
{
    for (const TInsertData &entry : InsertData) {
        if (!Generate(entry, false)) {
            ShowError(QStringLiteral("数据插入错误"));
            return;
        }
    }
}

bool TQXQuery::Generate(const TInsertData &entry, bool numbersOnly)
{
    const QString kind = kindOf(entry);
    if (kind == QLatin1String("A") || kind == QLatin1String("L") || kind == QLatin1String("B")) {
        if (numbersOnly)
            return false;
        TQXField &target = fieldByName(entry.FieldName);
        if (kind == QLatin1String("B")) {
            if (!entry.DataSet)
                throw DatabaseError(QStringLiteral("%1: no dataset to copy %2 from").arg(objectName(), entry.FieldName));
            target.setValue(entry.DataSet->fieldByName(entry.Value).value());
            return true;
        }
        const QString value = kind == QLatin1String("A") && entry.WorkingDate ? TodayText : entry.Value;
        if (value.isEmpty()) {
            ShowWarning(entry.Caption + QStringLiteral("字段需插入的值是空的"));
            CancelRecord();
            throw AbortError();
        }
        if (kind == QLatin1String("A"))
            target.setAsText(value);
        else
            target.setValue(value == QStringLiteral("是"));
        return true;
    }

    if (kind == QLatin1String("T")) {
        QDateTime now = Clock();
        if (SqlType == urSql_Server) {
            const QDateTime server = QDateTime::fromString(GetFieldValue(databaseName(), QStringLiteral("SELECT getdate() As GDATE ")), Qt::ISODate);
            if (server.isValid())
                now = server;
        }
        fieldByName(entry.FieldName).setAsText(RecordNumbering::timeStampKey(entry.Prefix, now));
        return true;
    }

    if (!RecordNumbering::isNumberingKind(kind))
        return false;
    TQXField *target = findField(entry.FieldName);
    if (!target)
        return true;
    if (m_tableName.trimmed().isEmpty()) {
        ShowWarning(objectName() + QStringLiteral("必须有一个表名"));
        return false;
    }
    if (kind == QLatin1String("D") && YYYYMMDD.isEmpty()) {
        ShowWarning(QStringLiteral("没有Day值"));
        return false;
    }
    const QString fixed = RecordNumbering::fixedPart(kind, YYYYMM, YYYYMMDD);
    const QString number = RecordNumbering::generate(databaseName(), entry, m_tableName.trimmed(), SqlType, fixed);
    if (number.isEmpty()) {
        ShowWarning(entry.Caption + QStringLiteral("的编号已用完"));
        return false;
    }
    target->setAsText(number);
    return true;
}

bool TQXQuery::Renumber(const QString &column)
{
    for (const TInsertData &entry : InsertData) {
        if (sameName(entry.FieldName, column) && Generate(entry, true))
            return true;
    }
    return false;
}

void TQXQuery::EditRecord()
{
    if (!beginChange())
        return;
    if (isEmpty()) {
        // Nothing to edit: a new record starts instead.
        addGuard();
        startInsert();
        if (AfterInsert)
            AfterInsert();
    } else {
        editGuard();
        startEdit();
    }
    if (m_hook)
        m_hook->setGridsEnabled(*this, false);
    if (NoCheck)
        return;
    if (NotEdit) {
        NotEdit = false;
    } else {
        for (const TEditData &entry : EditData)
            fieldByName(entry.FieldName).setAsText(entry.WorkingDate ? TodayText : entry.Value);
    }
    if (m_hook && !ActiveControl.isEmpty())
        m_hook->colorControl(ActiveControl, ColorOnFocus);
}

void TQXQuery::CancelRecord()
{
    discardBuffer();
    restoreBrowseLook();
    NoCheck = false;
    if (AfterCancel)
        AfterCancel();
}

// ---- Save ------------------------------------------------------------------------------------

void TQXQuery::SaveRecord()
{
    if (!isEditing())
        throw AbortError();
    m_saveOK = false;
    if (NoCheck && m_hook)
        m_hook->setColorSwitch(*this, false);
    if (!NoCheck && (!m_checks->validateFields() || !m_checks->runChecks(state() == State::Insert)))
        throw AbortError();

    writeRecord(state() == State::Insert);

    restoreBrowseLook();
    NoCheck = false;
    m_checks->forgetConfirmation();
}

// ---- Writing -----------------------------------------------------------------------------------

UpdateStatements TQXQuery::preparedStatements() const
{
    UpdateStatements statements = UpdateSQL;
    if (UpDateTable) {
        renameTable(statements.ModifySQL, m_tableName);
        renameTable(statements.InsertSQL, m_tableName);
        renameTable(statements.DeleteSQL, m_tableName);
    }
    return statements;
}

RecordValues TQXQuery::recordValues() const
{
    RecordValues record;
    for (int i = 0; i < fieldCount(); ++i) {
        record.names << field(i).fieldName();
        record.types << field(i).dataType();
    }
    record.current = currentValues();
    record.old = oldValueList();
    return record;
}

bool TQXQuery::writeRecord(bool isNew)
{
    const UpdateStatements statements = preparedStatements();
    m_keyCondition = statements.ModifySQL.isEmpty()
        ? QString()
        : RecordWriter::keyCondition(statements.ModifySQL, recordValues(), !isNew, engine().dialect());
    const bool generated = !m_tableName.isEmpty() && !m_keyCondition.isEmpty();
    if (SqlType != urStandard && SqlSave && !generated) {
        ShowWarning(QStringLiteral("没有TableName或LSQLEND"));
        throw AbortError();
    }
    if (generated && (SqlType == urStandard || SqlSave))
        return generatedWrite(isNew, statements);
    applyDirect(isNew, statements);
    return true;
}

bool TQXQuery::generatedWrite(bool isNew, const UpdateStatements &statements)
{
    if (BeforePost)
        BeforePost();
    std::optional<QSqlRecord> stored;
    try {
        DatabaseEngine &db = engine();
        DatabaseEngine::Transaction transaction(db);
        RecordWriter writer(db, m_tableName, statements);
        if (isNew) {
            insertWithRenumber(writer, statements);
            stored = writer.read(m_keyCondition);
            if (!stored) {
                ShowWarning(QStringLiteral("数据保存过程发生错误,可能数据库索引已损坏，请先修复损坏的数据库索引"));
                return false;
            }
        } else {
            if (writer.update(recordValues(), m_keyCondition) == 0) {
                if (writer.exists(m_keyCondition))
                    throw EngineError(EngineCondition::ChangedByOther,
                                      QStringLiteral("The record was changed by another user since it was read"));
                if (NoCheck)
                    discardBuffer();
                ShowWarning(QStringLiteral("该记录已被其它用户删除或在其它窗口被删除"));
                return false;
            }
            stored = writer.read(RecordWriter::keyCondition(statements.ModifySQL, recordValues(), false, db.dialect()));
        }
        transaction.commit();
    } catch (const AbortError &) {
        throw;
    } catch (const std::exception &failure) {
        if (explainedFailure(failure))
            throw;
        ShowWarning(QStringLiteral("数据保存过程发生错误"));
        throw AbortError();
    }
    postLocally(stored);
    return true;
}

void TQXQuery::applyDirect(bool isNew, const UpdateStatements &statements)
{
    if (BeforePost)
        BeforePost();
    if (!statements.isEmpty()) {
        try {
            DatabaseEngine &db = engine();
            DatabaseEngine::Transaction transaction(db);
            RecordWriter writer(db, m_tableName, statements);
            if (isNew) {
                if (!statements.InsertSQL.isEmpty() || !m_tableName.isEmpty())
                    insertWithRenumber(writer, statements);
            } else if (!statements.ModifySQL.isEmpty()) {
                const bool restricted = wherePosition(statements.ModifySQL.join(QLatin1Char('\n'))) >= 0;
                if (writer.applyModify(recordValues()) == 0 && restricted)
                    throw EngineError(EngineCondition::ChangedByOther,
                                      QStringLiteral("The record was changed or deleted by another user since it was read"));
            }
            transaction.commit();
        } catch (const std::exception &failure) {
            if (UpdateError)
                UpdateError(failure);
            throw;
        }
    }
    postLocally(std::nullopt);
}

void TQXQuery::insertWithRenumber(RecordWriter &writer, const UpdateStatements &statements)
{
    for (int attempt = 1;; ++attempt) {
        try {
            DatabaseEngine::Savepoint savepoint(engine());
            writer.insert(recordValues());
            savepoint.release();
            break;
        } catch (const EngineError &failure) {
            if (failure.condition() != EngineCondition::DuplicateKey || attempt >= InsertAttempts
                || !renumberFor(failure.message()))
                throw;
        }
    }
    if (!statements.ModifySQL.isEmpty())
        m_keyCondition = RecordWriter::keyCondition(statements.ModifySQL, recordValues(), false, engine().dialect());
}

bool TQXQuery::renumberFor(const QString &failure)
{
    // The engine names the clashing columns: "UNIQUE constraint failed: T.A, T.B" (SQLite)
    // or "Key (a, b)=(...) already exists" (PostgreSQL).
    QStringList columns;
    static const QRegularExpression sqlitePattern(QStringLiteral("failed:\\s*(.+)$"));
    static const QRegularExpression serverPattern(QStringLiteral("Key \\(([^)]*)\\)"));
    QRegularExpressionMatch match = sqlitePattern.match(failure);
    if (!match.hasMatch())
        match = serverPattern.match(failure);
    if (match.hasMatch()) {
        for (QString column : match.captured(1).split(QLatin1Char(','))) {
            column = column.trimmed();
            columns << column.mid(column.lastIndexOf(QLatin1Char('.')) + 1);
        }
    }
    bool renumbered = false;
    for (const TInsertData &entry : InsertData) {
        if (!RecordNumbering::isNumberingKind(entry.Kind) || !findField(entry.FieldName))
            continue;
        if (!columns.isEmpty() && !columns.contains(entry.FieldName, Qt::CaseInsensitive))
            continue;
        if (!Generate(entry, true))
            return false;
        renumbered = true;
    }
    return renumbered;
}

void TQXQuery::postLocally(const std::optional<QSqlRecord> &stored)
{
    QVariantList values = currentValues();
    if (stored) {
        // The row as the table now holds it.
        for (int i = 0; i < fieldCount(); ++i) {
            const int column = stored->indexOf(field(i).fieldName());
            if (column >= 0)
                values[i] = stored->value(column);
        }
    }
    commitBuffer(values);
    m_saveOK = true;
    if (AfterPost)
        AfterPost();
}

// ---- Delete and verify -----------------------------------------------------------------------------

void TQXQuery::DeleteRecord()
{
    m_saveOK = false;
    if (state() == State::Inactive || isEditing() || isEmpty())
        throw AbortError();
    if (!NoCheck && ActiveStatus)
        applyStatusRule(*this, false, StatusRule::Action::Delete);
    if (QyMaster && QyMaster->ActiveStatus)
        applyStatusRule(*QyMaster, true, StatusRule::Action::Delete);
    if (!AskYesNo(QStringLiteral("请确认是否删除")))
        throw AbortError();

    takeOldValues();
    const UpdateStatements statements = preparedStatements();
    const RecordValues record = recordValues();
    m_keyCondition = statements.ModifySQL.isEmpty()
        ? QString()
        : RecordWriter::keyCondition(statements.ModifySQL, record, true, engine().dialect());
    const QString keyOldValue = KeyValue.isEmpty() ? QString() : fieldByName(KeyValue).asText();
    if (BeforeDelete)
        BeforeDelete();

    const bool generated = !m_tableName.isEmpty() && !m_keyCondition.isEmpty();
    if (SqlType != urStandard && SqlSave && !generated) {
        ShowWarning(QStringLiteral("没有TableName或LSQLEND"));
        throw AbortError();
    }
    try {
        DatabaseEngine &db = engine();
        DatabaseEngine::Transaction transaction(db);
        RecordWriter writer(db, m_tableName, statements);
        deleteDetailRows(keyOldValue);
        if (generated && (SqlType == urStandard || SqlSave))
            writer.remove(m_keyCondition);
        else if (!statements.DeleteSQL.isEmpty())
            writer.applyDelete(record);
        transaction.commit();
    } catch (const AbortError &) {
        throw;
    } catch (const std::exception &failure) {
        if (explainedFailure(failure) || !generated)
            throw;
        ShowWarning(QStringLiteral("数据删除过程发生错误"));
        throw AbortError();
    }

    removeCurrentRow();
    restoreBrowseLook();
    NoCheck = false;
    m_saveOK = true;
    if (AfterDelete)
        AfterDelete();
}

void TQXQuery::deleteDetailRows(const QString &keyOldValue)
{
    if (DetailTable.isEmpty())
        return;
    if (QyDetail)
        QyDetail->CloseQuery();
    if (KeyValue.isEmpty()) {
        ShowWarning(QStringLiteral("没有KeyValue 属性"));
        throw AbortError();
    }
    try {
        engine().run(QStringLiteral("DELETE FROM ") + DetailTable + QStringLiteral(" WHERE ") + KeyValue + QStringLiteral(" = ")
                     + sqlText(keyOldValue));
    } catch (const std::exception &) {
        ShowWarning(DetailDError + QStringLiteral("删除过程发生错误"));
        throw AbortError();
    }
}

void TQXQuery::VerifyRecord(const QString &status)
{
    if (state() == State::Inactive || isEmpty())
        return;
    NoCheck = true;
    if (m_hook)
        m_hook->setDisplayUpdates(*this, false);
    auto finish = [this] {
        if (isEditing())
            CancelRecord();
        if (m_hook)
            m_hook->setDisplayUpdates(*this, true);
    };
    try {
        EditRecord();
        fieldByName(QStringLiteral("STATUS")).setAsText(status);
        fieldByName(QStringLiteral("VERIFY_NAME")).setAsText(UserName);
        fieldByName(QStringLiteral("VERIFY_DATE")).setAsText(TodayText);
        SaveRecord();
        NoCheck = false;
    } catch (...) {
        finish();
        throw;
    }
    finish();
}
