#pragma once

#include "statusrule.h"
#include "tcheckdata.h"
#include "tqxdataset.h"
#include "teditdata.h"
#include "tfieldsdata.h"
#include "tinsertdata.h"
#include "tsqltype.h"
#include "updatestatements.h"

#include <QDateTime>
#include <QPointer>
#include <optional>

class QSqlRecord;
class RecordWriter;
class SaveChecks;
class ScreenHook;
struct RecordValues;

// The editable query every business screen shows, edits and stores one table through:
// a TQXDataset carrying the record rules the screens configure and never code - status
// rules, master/detail rules, field checks (FieldsData), save-time database checks
// (CheckData), automatic values on add (InsertData, including record numbers) and on edit
// (EditData) - and writing its changes itself.
//
// Writing. Each SaveRecord and DeleteRecord is one transaction. A new record is always a
// plain INSERT (through UpdateSQL's insert statement); when the key or a unique number is
// taken meanwhile, its generated numbers are drawn again and the insert retried
// (InsertAttempts times, then "数据库主键重复"). An edited record is written by the modify
// statement's SET part restricted by the key condition (LSQLEND) and by every other
// column the query read still holding its old value (NULL-safe); when no row matches, a
// row that is gone gives "该记录已被其它用户删除或在其它窗口被删除" and one that changed
// raises EngineError(ChangedByOther); the record stays in edit either way. A delete runs
// its DELETE first and removes the row from the result only after it succeeded. Values are
// bound; the key condition's literals are escaped; empty text and numbers are stored as NULL.
//
// Refusals show their warning and then raise AbortError, the silent abort that ends the
// calling command. Failures the user should read in plain words (duplicate key, changed
// by another user, value too large, bad date) pass on as EngineError/ConvertError for
// HandleException; other write failures show "数据保存过程发生错误" / "数据删除过程发生错误".
class TQXQuery : public TQXDataset
{
    Q_OBJECT

public:
    explicit TQXQuery(QObject *parent = nullptr);
    ~TQXQuery() override;

    const QString &tableName() const { return m_tableName; }
    // Sets the written table and, with setStatement (not while a form is being loaded),
    // the statement "SELECT  *  FROM  " + name.
    void setTableName(const QString &name, bool setStatement = true);

    // ---- Configuration the screens set (names as the screens' form files use them) ----
    UpdateStatements UpdateSQL;
    TSqlType SqlType = urStandard;
    QString ActiveControl;          // control focused on add and edit, coloured on edit
    quint32 ColorOnFocus = 0xC7F7F8;
    bool ActiveStatus = false;      // status rules on this query's records (and its details)
    QPointer<TQXQuery> QyMaster;
    QPointer<TQXQuery> QyDetail;    // closed when this query opens and before a detail delete
    QString KeyValue;               // column linking detail rows to this query's records
    QString DetailTable;            // table whose rows are deleted with a record
    QString DetailDError;           // prefix of the detail-delete failure message
    QString StatusMsg;              // name of this query's records: first words of the
                                    // status refusals its detail queries give
    bool UpDateTable = false;       // write TableName into the first line of each statement
    bool NotEdit = false;           // the next EditRecord skips EditData (one shot)
    bool NoCheck = false;           // a programmatic change: skip the record rules
    bool SqlSave = false;           // generated writes under urSql_Server / urAccess
    TFieldsDataArray FieldsData;
    TCheckDataArray CheckData;
    TInsertDataArray InsertData;
    TEditDataArray EditData;

    // Context the screen gives the query. AppendRecord, EditRecord and VerifyRecord take
    // TodayText, YYYYMM and YYYYMMDD afresh from Clock, so a screen left open past
    // midnight or New Year stamps and numbers with the date of the moment.
    QString UserName;
    QString TodayText;              // the working date "yyyy-MM-dd"
    QString YYYYMM;
    QString YYYYMMDD;
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

    // Each assignment adds one STATUS value under which records may (allow-list) or may
    // not (deny-list) be edited and deleted; a deny-list wins over an allow-list.
    void setStatusEditValue(const QString &status) { m_allowList << status; }
    void setStatusEditEndValue(const QString &status) { m_denyList << status; }

    // The screen's side of focus, colours, grids, footers and the colour switch (not owned).
    void setScreenHook(ScreenHook *hook) { m_hook = hook; }
    ScreenHook *screenHook() const { return m_hook; }

    // Screen handlers of the dataset's events, run after the query's own work for the
    // event (AfterScroll is TQXDataset's). A handler refuses by raising AbortError after
    // its own message.
    std::function<void()> BeforeInsert;
    std::function<void()> AfterInsert;   // the new row exists; InsertData is filled after it
    std::function<void()> BeforeEdit;
    std::function<void()> BeforePost;
    std::function<void()> AfterPost;
    std::function<void()> BeforeDelete;  // confirmed, nothing deleted yet
    std::function<void()> AfterDelete;
    std::function<void()> AfterCancel;
    std::function<void()> AfterOpen;
    // A write through the statements as given failed (the record stays in edit).
    std::function<void(const std::exception &)> UpdateError;

    // ---- Operations -----------------------------------------------------------------------
    void OpenQuery();
    void CloseQuery() { close(); }
    // Also when a new statement closes the query: the grids set their columns up again.
    void close() override;
    void AppendRecord();
    void EditRecord();
    void SaveRecord();
    void CancelRecord();
    void DeleteRecord();
    void VerifyRecord(const QString &status);
    // Runs one InsertData entry; numbersOnly skips the kinds "A", "L" and "B".
    bool Generate(const TInsertData &entry, bool numbersOnly);
    // Draws a new number for `column` from its InsertData numbering entries, in order,
    // until one succeeds.
    bool Renumber(const QString &column);
    // Set False when a save or delete starts, True when it completed.
    bool SaveOK() const { return m_saveOK; }
    // The key condition built for the record last written or deleted.
    const QString &LSQLEND() const { return m_keyCondition; }

    static constexpr int InsertAttempts = 5;

private:
    // The common start of an add or an edit: refused on a closed query, nothing while a
    // change is under way; false when the change does not start.
    bool beginChange();
    void refreshContext();
    void addGuard();
    void editGuard();
    void applyStatusRule(const TQXQuery &owner, bool master, StatusRule::Action action);
    void fillInsertData();
    void focusActiveControl();
    void restoreBrowseLook();
    void applyFieldsData();
    UpdateStatements preparedStatements() const;
    RecordValues recordValues() const;

    bool writeRecord(bool isNew);
    bool generatedWrite(bool isNew, const UpdateStatements &statements);
    void applyDirect(bool isNew, const UpdateStatements &statements);
    void insertWithRenumber(RecordWriter &writer, const UpdateStatements &statements);
    bool renumberFor(const QString &failure);
    void postLocally(const std::optional<QSqlRecord> &stored);
    void deleteDetailRows(const QString &keyOldValue);

    QString m_tableName;
    QStringList m_allowList;
    QStringList m_denyList;
    ScreenHook *m_hook = nullptr;
    QString m_keyCondition;
    std::unique_ptr<SaveChecks> m_checks;
    bool m_saveOK = false;
};
