#pragma once

#include <QColor>
#include <QTreeWidget>
#include <functional>

// A tree over a parent-link table, loaded one level at a time. Every node but the
// placeholders carries a record {identifier, caption}. A node whose children are not
// loaded yet holds one placeholder child (caption "temp", no record) that gives it an
// expand button; expanding it asks the form's OnExpanding for the statements of that
// level, replaces the placeholder by the children the children statement returns and gives
// each child a placeholder when its child count is above 0.
//
// Images (index in imageIndex, also the icon): 0 a node that can be opened, 1 an opened
// node, 2 a leaf.
class TQXTreeView : public QTreeWidget
{
    Q_OBJECT

public:
    enum class NodeSqlSet { Children, ChildCount };

    // One statement set: statement, caption width (0: none), caption suffix, kind ("C": the
    // identifier is appended quoted; another kind: unquoted; empty: not appended) and tail.
    struct NodeSql
    {
        QString statement;
        int captionWidth = 0;
        QString captionSuffix;
        QString kind;
        QString tail;
    };

    explicit TQXTreeView(QWidget *parent = nullptr);
    ~TQXTreeView() override;

    // Database the two statements run on; must be set before anything loads.
    QString DataBaseName;
    // When set, the next selection change is swallowed (and the flag cleared).
    bool SetColor = false;
    // Background of the selected node ($00C08000; building the root sets it again).
    QColor SelectColor = DefaultSelectColor();
    static QColor DefaultSelectColor() { return QColor(0x00, 0x80, 0xC0); }
    QString RootId;
    QString RootCaption;

    // The form's handlers, called from the tree's own.
    std::function<void(QTreeWidgetItem *node)> OnExpanding;
    std::function<void(QTreeWidgetItem *node)> OnChange;
    std::function<void(QTreeWidgetItem *node)> OnCollapsing;

    // Starts the tree's own expanding, selection and collapsing handling (once).
    void HookEvents();
    void SetNodeSql(NodeSqlSet which, const QString &statement, int captionWidth, const QString &captionSuffix,
                    const QString &kind, const QString &tail);
    // Empties both statement sets (the forms do this before setting a level's statements).
    void ClearNodeSql();
    // Only the root's child count, of kind "A": the root gets its expand button without
    // counting. Level statements follow as nodes expand.
    void SetRootOnlyNodeSql();
    const NodeSql &nodeSql(NodeSqlSet which) const;
    // The statement a set gives for a node's identifier.
    static QString ComposeSql(const NodeSql &set, const QString &id, bool childCount);

    // Builds the tree from RootId and RootCaption and expands the root.
    void BuildRoot();
    // Adds a node with a new record as the last child of `parent` (or at the top); null
    // after the warning "必须有头节点数据及未节点数据" when no record exists yet.
    QTreeWidgetItem *AddNode(QTreeWidgetItem *parent, const QString &caption, const QString &id);
    // Deletes a node (and with `withChildren` its subtree); false for no node, or after
    // "请先删除该节点的子节点" when it has children (placeholders count).
    bool DeleteNode(QTreeWidgetItem *node, bool withChildren);
    // Removes every node and record.
    bool ClearTree();
    // The record's identifier or caption; empty for no node or a placeholder.
    QString NodeId(const QTreeWidgetItem *node) const;
    QString NodeCaption(const QTreeWidgetItem *node) const;
    // Changes the caption kept in the node's record (not the text shown).
    void SetNodeCaption(QTreeWidgetItem *node, const QString &caption);
    // Shows `caption` on every node whose identifier is `id`.
    void RecaptionNodes(const QString &id, const QString &caption);
    // Puts the loaded children of `parent` in the order of `ids` (children not named keep
    // their order after them). The current node stays current: the others move around it.
    void OrderChildren(QTreeWidgetItem *parent, const QStringList &ids);

    static bool IsPlaceholder(const QTreeWidgetItem *node);
    // True while the node's children are not loaded (its only child is the placeholder).
    static bool HoldsOnlyPlaceholder(const QTreeWidgetItem *node);
    // 0 for a top-level node.
    static int Level(const QTreeWidgetItem *node);
    static int ImageIndex(const QTreeWidgetItem *node);
    void SetImageIndex(QTreeWidgetItem *node, int image) const;
    // Nodes in the tree, placeholders included.
    int NodeCount() const;
    // Nodes holding a record.
    int RecordCount() const;
    QTreeWidgetItem *SelectedNode() const { return currentItem(); }

private:
    QTreeWidgetItem *addNodeStep(QTreeWidgetItem *parent, const QString &caption, const QString &id,
                                 const QString &text);
    void addPlaceholder(QTreeWidgetItem *node) const;
    void expanded(QTreeWidgetItem *node);
    void loadChildren(QTreeWidgetItem *node);
    void selectionChanged(QTreeWidgetItem *current);
    void paintSelection();

    NodeSql m_children;
    NodeSql m_childCount;
    bool m_hooked = false;
    bool m_hasRecords = false;
};
