#pragma once

#include "databaseengine.h"
#include "rowstore.h"
#include "tqxfield.h"

#include <QObject>
#include <QSet>
#include <functional>
#include <memory>
#include <vector>

class QSqlDatabase;

// A dataset over one SQL statement: typed fields, a current record, the states Inactive,
// Browse, Edit and Insert (stateChanged follows them), and an edit buffer holding the
// current record's values while it is edited or inserted, with the values as read kept
// aside (a failed write leaves both intact).
//
// Rows are read lazily, a page at a time: LIMIT/OFFSET over the statement, each page read
// completely, so no statement stays open between pages (an open SQLite statement would
// pin an old snapshot and block this connection's writes). A million-row table opens with
// its first page; recordCount() and sums() are SQL aggregates over the whole statement,
// never sums of the rows read so far. When the rows have a key (setKeyColumns), a page
// that shifted because rows were added meanwhile adds no row twice.
//
// TQXQueryModel shows a dataset to views; the grids and data-bound controls of a screen
// share one dataset and its current record.
class TQXDataset : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };
    Q_ENUM(State)

    explicit TQXDataset(QObject *parent = nullptr);
    ~TQXDataset() override;

    QString databaseName() const { return m_databaseName; }
    void setDatabaseName(const QString &name) { m_databaseName = name; }
    const QString &sql() const { return m_sql; }
    // Closes the dataset when it is open.
    void setSql(const QString &sql);

    // Opens the statement and reads the first page; raises the engine's failure.
    void open();
    // Closes the dataset; an unsaved edit is discarded.
    virtual void close();

    State state() const { return m_state; }
    // True while open and not in the middle of opening.
    bool isActive() const { return m_state != State::Inactive && !m_opening; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    bool isOpening() const { return m_opening; }
    // True when the result has no row (an unsaved new row does not count).
    bool isEmpty();

    int fieldCount() const { return int(m_fields.size()); }
    TQXField &field(int index) const { return *m_fields.at(size_t(index)); }
    TQXField *findField(const QString &name) const;
    // Raises DatabaseError when there is no such field.
    TQXField &fieldByName(const QString &name) const;
    // The current record's value of a field (what TQXField reads and writes). Writing
    // raises DatabaseError unless the dataset is editing or inserting.
    QVariant fieldValue(int index) const;
    void setFieldValue(int index, const QVariant &value);

    int loadedRowCount() const { return int(m_rows.size()); }
    bool canFetchMore() const { return m_state != State::Inactive && !m_allFetched; }
    // Reads the next page; returns the number of rows added.
    int fetchMore();
    void fetchAll();
    // A row's value as held (dates as their ISO text); the current row shows the edit
    // buffer while editing. typedValue gives it in the field's type (dates as QDate).
    QVariant value(int row, int column) const;
    QVariant typedValue(int row, int column) const;

    int currentRow() const { return m_current; }
    // Moves the current record (reading pages as needed); refused while editing.
    void moveTo(int row);
    void first();
    void last();
    void next();
    void prior();
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }

    // The number of rows of the statement, exact without reading them all.
    int recordCount();
    // COALESCE(SUM(field), 0) over the whole statement for each named field.
    QList<double> sums(const QStringList &fieldNames);

    // Every field's value as text, taken when editing started (or before a delete).
    QStringList oldValues() const;

    // Called after the current record moved, except while the dataset is opening.
    std::function<void()> AfterScroll;

    // Rows of the first page; later pages hold half as many rows as are held already,
    // between PageSize and MaxPageSize.
    static constexpr int FirstPageSize = 64;
    static constexpr int PageSize = 256;
    static constexpr int MaxPageSize = 65536;

signals:
    void stateChanged(TQXDataset::State state);
    void currentRowChanged(int row);
    // A value of the current record changed (data-bound controls refresh).
    void fieldChanged(const QString &fieldName);
    // Row bookkeeping that TQXQueryModel turns into model notifications.
    void resetStarted();
    void resetFinished();
    void rowsInsertStarted(int first, int last);
    void rowsInsertFinished();
    void rowsRemoveStarted(int first, int last);
    void rowsRemoveFinished();
    void rowChanged(int row);

protected:
    DatabaseEngine &engine() const;
    void setOpening(bool opening) { m_opening = opening; }
    // Key columns identify rows across pages (empty: rows are not told apart).
    void setKeyColumns(const QStringList &columns) { m_keyColumns = columns; }

    // Edit buffer. startInsert adds an empty row after the current one (at the top of an
    // empty result) and enters Insert; startEdit copies the current row and enters Edit.
    void startInsert();
    void startEdit();
    // Stores values into the current row and returns to Browse.
    void commitBuffer(const QVariantList &values);
    // Drops the edit buffer (an inserted row disappears) and returns to Browse.
    void discardBuffer();
    // Removes the current row after a delete and moves to its successor.
    void removeCurrentRow();
    const QVariantList &bufferValues() const { return m_buffer; }
    QVariantList currentValues() const;
    void takeOldValues() { m_old = currentValues(); }
    const QVariantList &oldValueList() const { return m_old; }
    // A value as the row store holds it (dates as ISO text) in the form a field of that
    // type holds it (dates as QDate).
    static QVariant storedForm(TQXField::Type type, const QVariant &value);

private:
    void setState(State state);
    QString subquery() const;
    int readPage(int limit);
    bool readSqlitePage(const QSqlDatabase &connection, const QString &sql, QList<QByteArray> &page);
    int readDriverPage(const QSqlDatabase &connection, const QString &sql, QList<QByteArray> &page);
    void buildFields(const QStringList &names, const QList<TQXField::Type> &types);
    // Records a row's key; true when a row with that key is held already.
    bool isLoaded(size_t key);
    void setCurrent(int row, bool notify);
    size_t rowKey(const QVariantList &values) const;

    QString m_databaseName;
    QString m_sql;
    State m_state = State::Inactive;
    bool m_opening = false;
    std::vector<std::unique_ptr<TQXField>> m_fields;
    RowStore m_rows;
    int m_sourceOffset = 0;     // rows of the statement consumed by the pages read
    bool m_allFetched = true;
    QStringList m_keyColumns;
    QList<int> m_keyIndexes;
    QSet<size_t> m_loadedKeys;
    int m_lastPageRows = 0;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    QVariantList m_buffer;
    QVariantList m_old;
};
