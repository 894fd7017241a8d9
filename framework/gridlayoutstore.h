#pragma once

#include "databaseengine.h"
#include "tfieldsdata.h"

#include <QList>
#include <QString>

// One remembered grid column: its field, its width in pixels and (with order keeping) its
// position among the grid's columns.
struct GridLayoutColumn
{
    QString fieldName;
    int width = 0;
    int order = 0;
};

// The column layout one user keeps for one grid of one screen, in a layout table of the
// database (USE_ID, FORM_NAME, DBGRID_NAME, FIELD_NAME, FIELD_WIDTH, FIELD_ORDER; one row
// per column). It is read at the first open of the grid's query, adjusts the query's field
// rules before each open, follows the widths the user sets and writes the changed ones when
// the screen goes. Widths are pixels at 96 dots per inch; a width w is round(w x 0.16)
// characters. A store without a form name keeps no layout and never touches a table.
class GridLayoutStore
{
public:
    QString DataBaseName = MainDatabaseName;
    QString TableName;   // the layout table, e.g. "SYS_OPERATION_MAN_TABLE"
    QString FormName;    // e.g. "OperationManForm"
    QString UserID;
    QString GridName;    // the grid's component name
    bool KeepOrder = false;  // order keeping (off for every grid of this system)

    static int characters(int pixels);

    bool isEnabled() const { return !FormName.isEmpty() && !TableName.isEmpty(); }
    bool isEmpty() const { return m_columns.isEmpty(); }
    const QList<GridLayoutColumn> &columns() const { return m_columns; }
    // The remembered column of a field, or null.
    const GridLayoutColumn *find(const QString &fieldName) const;
    // The column as it was read from the table, or null.
    const GridLayoutColumn *loaded(const QString &fieldName) const;
    bool defaultsRestored() const { return m_defaultsRestored; }

    // Reads the saved layout when a form name is set and nothing is held yet. Raises the
    // engine's failure.
    void Load();
    // Adjusts Width and Visible of the array's entries to the saved layout: a column
    // narrowed below 2 characters is hidden and its row deleted (a sum or count column
    // stays, with width 0); an entry without a saved row is hidden.
    void ApplyTo(TFieldsDataArray &fields);
    // Width recording for one shown column: stored when it differs from the remembered
    // width by 2 characters or more, or is 10 characters wide or less; a column without an
    // entry gets one.
    void RecordWidth(const QString &fieldName, int width, int position);
    // With order keeping, a moved column stores its new position.
    void RecordPosition(const QString &fieldName, int width, int position);
    // Writes the changed entries (failures ignored), then forgets the layout. Nothing is
    // written after RestoreDefaults.
    void Save();
    // Deletes one saved column; false after the warning "隐藏字段删除过程发生错误".
    bool DeleteColumnRow(const QString &fieldName);
    // Asks, deletes every saved column of this grid and stops saving; true when deleted.
    bool RestoreDefaults();
    // Forgets the layout held in memory.
    void Clear();

private:
    QString ownerCondition() const;
    GridLayoutColumn *entry(const QString &fieldName);
    void saveColumn(const GridLayoutColumn &column);

    QList<GridLayoutColumn> m_columns;
    QList<GridLayoutColumn> m_loaded;
    bool m_defaultsRestored = false;
};
