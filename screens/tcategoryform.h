#pragma once

#include "tcategorysetup.h"
#include "tqxdataset.h"
#include "tqxdform.h"

class QTreeWidgetItem;
class TQXDBEdit;
class TQXTreeView;

// The category master screen: a lazily loaded category tree on the left, the selected
// category's record on the right. One class serves the four category tables; a
// TCategorySetup says which table, captions, usage check and dependent rows.
//
// The tree's root "G001" has no row; it stands for the top level. Adding creates a child
// of the selected node (at most four levels below the root), numbered after its siblings;
// saving and deleting patch the tree in place. While the record is edited the tree is
// disabled, so the selection cannot change.
class TCategoryForm : public TQXDForm
{
    Q_OBJECT

public:
    static constexpr int MaxLevel = 4;
    static const QString RootId;  // "G001"

    TCategoryForm(const TCategorySetup &setup, QWidget *owner = nullptr);
    ~TCategoryForm() override;

    const TCategorySetup &Setup() const { return m_setup; }
    QString SelectedId() const { return m_selectedId; }
    QTreeWidgetItem *SelectedNode() const { return m_selectedNode; }

    QWidget *const TreePanel;
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
    void button_addClick() override;
    void button_editClick() override;
    void button_deleteClick() override;
    void button_saveClick() override;
    void button_printClick() override;

private:
    void QXTreeViewExpanding(QTreeWidgetItem *node);
    void QXTreeViewChange(QTreeWidgetItem *node);
    void QXTreeViewCollapsing(QTreeWidgetItem *node);
    void QueryAfterInsert();
    void DSStateChange(TQXDataset::State state);

    void setUpQuery();
    void layOut();
    // Shows the selected category's record (nothing for the root), unless an edit is in
    // progress or the record shown already is that category.
    void LoadSelectedRecord();
    QString recordId() const;

    TCategorySetup m_setup;
    QString m_selectedId;
    QTreeWidgetItem *m_selectedNode = nullptr;
};
