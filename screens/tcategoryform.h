#pragma once

#include "tcategorysetup.h"
#include "tqxdataset.h"
#include "tqxdform.h"

class QGroupBox;
class QStackedWidget;
class QTreeWidgetItem;
class TQXDBEdit;
class TQXTreeView;

// The category master screen: a lazily loaded category tree on the left, the selected
// category's record on the right. One class serves the four category tables and is the
// base of the department screen; a TCategorySetup says which table, captions, usage
// checks, printed list, dependent rows and depth limit.
//
// The tree's root "G001" stands for the top level. Adding creates a child of the selected
// node (for categories at most four levels below the root), numbered after its siblings;
// saving and deleting patch the tree in place. While the record is edited the tree is
// disabled, so the selection cannot change.
class TCategoryForm : public TQXDForm
{
    Q_OBJECT

public:
    static const QString RootId;  // "G001"

    TCategoryForm(const TCategorySetup &setup, QWidget *owner = nullptr);
    ~TCategoryForm() override;

    const TCategorySetup &Setup() const { return m_setup; }
    QString SelectedId() const { return m_selectedId; }
    QTreeWidgetItem *SelectedNode() const { return m_selectedNode; }

    QWidget *const TreePanel;
    // The record panels on the right; the selected node's record panel (RecordBox) is the
    // first page.
    QStackedWidget *const RecordPages;
    QGroupBox *const RecordBox;
    TQXTreeView *const QXTreeView;
    TQXDBEdit *const DBEditOrder;
    TQXDBEdit *const DBEditName;
    TQXDBEdit *const DBEditNote;
    TQXDBEdit *const DBEditEditName;
    TQXDBEdit *const DBEditEditDate;
    TQXDBEdit *const DBEditCreateName;
    TQXDBEdit *const DBEditCreateDate;

protected:
    void FormShow() override;
    // Selection changes of the tree and state changes of the data source.
    virtual void QXTreeViewChange(QTreeWidgetItem *node);
    virtual void DSStateChange(TQXDataset::State state);
    void button_addClick() override;
    void button_editClick() override;
    void button_deleteClick() override;
    void button_saveClick() override;
    void button_printClick() override;

    // Shows the selected node's record (for categories nothing for the root), unless an
    // edit is in progress or the record shown already is that node's.
    void LoadSelectedRecord();
    // The identifier of the record shown; empty when there is none.
    QString RecordId() const;
    // Puts the loaded children of `parent` in the order of their order numbers.
    void OrderSiblings(QTreeWidgetItem *parent);
    // The noun of the tree's captions and messages ("车辆类别", "部门").
    QString Word() const;
    // Sets the insert, modify and delete statements to write `columns` (the id column is
    // the key).
    void SetWrittenColumns(const QStringList &columns);
    // Inserts a labelled box into the record panel at `row`.
    void InsertRecordRow(int row, const QString &caption, QWidget *edit);

private:
    void QXTreeViewExpanding(QTreeWidgetItem *node);
    void QXTreeViewCollapsing(QTreeWidgetItem *node);
    void QueryAfterInsert();

    void setUpQuery();
    void layOut();

    TCategorySetup m_setup;
    QString m_selectedId;
    QTreeWidgetItem *m_selectedNode = nullptr;
};
