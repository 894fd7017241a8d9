#include "tqxtreeview.h"

#include "dbhelpers.h"
#include "exceptionhandler.h"
#include "messageservice.h"
#include "sqldialect.h"
#include "texthelpers.h"

#include <QApplication>
#include <QStyle>

#include <functional>

namespace {

enum Role { IdRole = Qt::UserRole + 1, CaptionRole, RecordRole, ImageRole };

const QString PlaceholderCaption = QStringLiteral("temp");

bool sameKind(const QString &kind, const char *wanted)
{
    return kind.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0;
}

} // namespace

TQXTreeView::TQXTreeView(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    paintSelection();
}

TQXTreeView::~TQXTreeView() = default;

void TQXTreeView::HookEvents()
{
    if (m_hooked)
        return;
    m_hooked = true;
    connect(this, &QTreeWidget::itemExpanded, this, &TQXTreeView::expanded);
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *node) {
        if (OnCollapsing)
            OnCollapsing(node);
    });
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { selectionChanged(current); });
}

void TQXTreeView::SetNodeSql(NodeSqlSet which, const QString &statement, int captionWidth,
                             const QString &captionSuffix, const QString &kind, const QString &tail)
{
    (which == NodeSqlSet::Children ? m_children : m_childCount) = NodeSql{statement, captionWidth, captionSuffix, kind, tail};
}

void TQXTreeView::ClearNodeSql()
{
    m_children = NodeSql{};
    m_childCount = NodeSql{};
}

void TQXTreeView::SetRootOnlyNodeSql()
{
    ClearNodeSql();
    SetNodeSql(NodeSqlSet::ChildCount, QString(), 0, QString(), QStringLiteral("A"), QString());
}

const TQXTreeView::NodeSql &TQXTreeView::nodeSql(NodeSqlSet which) const
{
    return which == NodeSqlSet::Children ? m_children : m_childCount;
}

QString TQXTreeView::ComposeSql(const NodeSql &set, const QString &id, bool childCount)
{
    if (sameKind(set.kind, "C"))
        return set.statement + sqlText(id) + QLatin1Char(' ') + set.tail;
    if (!set.kind.isEmpty())
        return set.statement + id + QLatin1Char(' ') + set.tail;
    return childCount ? set.statement : set.statement + QLatin1Char(' ') + set.tail;
}

// ---- Records ---------------------------------------------------------------------------------

QString TQXTreeView::NodeId(const QTreeWidgetItem *node) const
{
    return node && node->data(0, RecordRole).toBool() ? node->data(0, IdRole).toString() : QString();
}

QString TQXTreeView::NodeCaption(const QTreeWidgetItem *node) const
{
    return node && node->data(0, RecordRole).toBool() ? node->data(0, CaptionRole).toString() : QString();
}

void TQXTreeView::SetNodeCaption(QTreeWidgetItem *node, const QString &caption)
{
    if (node && node->data(0, RecordRole).toBool())
        node->setData(0, CaptionRole, caption);
}

void TQXTreeView::RecaptionNodes(const QString &id, const QString &caption)
{
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (NodeId(*it) == id && !id.isEmpty())
            (*it)->setText(0, caption);
    }
}

bool TQXTreeView::IsPlaceholder(const QTreeWidgetItem *node)
{
    return node && !node->data(0, RecordRole).toBool() && node->text(0) == PlaceholderCaption;
}

bool TQXTreeView::HoldsOnlyPlaceholder(const QTreeWidgetItem *node)
{
    return node && node->childCount() == 1 && IsPlaceholder(node->child(0));
}

int TQXTreeView::Level(const QTreeWidgetItem *node)
{
    int level = 0;
    for (const QTreeWidgetItem *up = node ? node->parent() : nullptr; up; up = up->parent())
        ++level;
    return level;
}

int TQXTreeView::ImageIndex(const QTreeWidgetItem *node)
{
    return node ? node->data(0, ImageRole).toInt() : -1;
}

void TQXTreeView::SetImageIndex(QTreeWidgetItem *node, int image) const
{
    if (!node)
        return;
    static const QStyle::StandardPixmap pixmaps[] = {QStyle::SP_DirClosedIcon, QStyle::SP_DirOpenIcon,
                                                     QStyle::SP_FileIcon};
    node->setData(0, ImageRole, image);
    node->setIcon(0, style()->standardIcon(pixmaps[qBound(0, image, 2)]));
}

int TQXTreeView::NodeCount() const
{
    int count = 0;
    for (QTreeWidgetItemIterator it(const_cast<TQXTreeView *>(this)); *it; ++it)
        ++count;
    return count;
}

int TQXTreeView::RecordCount() const
{
    int count = 0;
    for (QTreeWidgetItemIterator it(const_cast<TQXTreeView *>(this)); *it; ++it)
        count += (*it)->data(0, RecordRole).toBool() ? 1 : 0;
    return count;
}

// ---- Building --------------------------------------------------------------------------------

void TQXTreeView::addPlaceholder(QTreeWidgetItem *node) const
{
    if (node->childCount() == 0)
        node->addChild(new QTreeWidgetItem(QStringList{PlaceholderCaption}));
}

QTreeWidgetItem *TQXTreeView::addNodeStep(QTreeWidgetItem *parent, const QString &caption, const QString &id,
                                          const QString &text)
{
    if (!m_hasRecords) {
        ShowWarningFor(nullptr, QStringLiteral("必须有头节点数据及未节点数据"));
        return nullptr;
    }
    auto *node = new QTreeWidgetItem(QStringList{text});
    node->setData(0, IdRole, id);
    node->setData(0, CaptionRole, caption);
    node->setData(0, RecordRole, true);
    if (parent) {
        parent->addChild(node);
        if (parent->childCount() == 1)
            parent->setExpanded(true);
    } else {
        addTopLevelItem(node);
    }
    if (!parent || parent->data(0, RecordRole).toBool()) {
        if (sameKind(m_childCount.kind, "A"))
            addPlaceholder(node);
        if (!m_childCount.statement.isEmpty()) {
            const auto count = OpenSQL(DataBaseName, ComposeSql(m_childCount, id, true));
            if (!count->eof() && ReadAmount(count->text(0)) > 0)
                addPlaceholder(node);
        }
    }
    SetImageIndex(node, node->childCount() > 0 ? 0 : 2);
    return node;
}

void TQXTreeView::BuildRoot()
{
    SelectColor = DefaultSelectColor();
    paintSelection();
    if (RootId.isEmpty() || RootCaption.isEmpty()) {
        ShowWarningFor(nullptr, QStringLiteral("没有节点ID或没有节点名称，不能建立节点"));
        return;
    }
    clear();
    m_hasRecords = true;
    QTreeWidgetItem *root = nullptr;
    try {
        root = addNodeStep(nullptr, RootCaption, RootId, RootCaption);
    } catch (...) {
        HandleCurrentException(this);
        return;
    }
    SetImageIndex(root, 0);
    root->setExpanded(true);
}

QTreeWidgetItem *TQXTreeView::AddNode(QTreeWidgetItem *parent, const QString &caption, const QString &id)
{
    try {
        return addNodeStep(parent, caption, id, caption);
    } catch (...) {
        HandleCurrentException(this);
        return nullptr;
    }
}

void TQXTreeView::OrderChildren(QTreeWidgetItem *parent, const QStringList &ids)
{
    if (!parent || HoldsOnlyPlaceholder(parent))
        return;
    QList<QTreeWidgetItem *> wanted;
    for (const QString &id : ids) {
        for (int i = 0; i < parent->childCount(); ++i) {
            QTreeWidgetItem *child = parent->child(i);
            if (!wanted.contains(child) && NodeId(child) == id) {
                wanted << child;
                break;
            }
        }
    }
    for (int i = 0; i < parent->childCount(); ++i) {
        if (!wanted.contains(parent->child(i)))
            wanted << parent->child(i);
    }
    bool ordered = true;
    for (int i = 0; i < wanted.size() && ordered; ++i)
        ordered = parent->child(i) == wanted.at(i);
    if (ordered)
        return;
    // Taking the current node out would change the selection; it stays, the others move.
    QTreeWidgetItem *current = currentItem();
    QTreeWidgetItem *kept = wanted.contains(current) ? current : nullptr;
    QList<QTreeWidgetItem *> expanded;
    for (QTreeWidgetItem *child : std::as_const(wanted)) {
        if (child == kept)
            continue;
        const std::function<void(QTreeWidgetItem *)> collect = [&](QTreeWidgetItem *node) {
            if (node->isExpanded())
                expanded << node;
            for (int i = 0; i < node->childCount(); ++i)
                collect(node->child(i));
        };
        collect(child);
        parent->removeChild(child);
    }
    // With the others out, the kept node is the only child: each node goes in at its place.
    for (int i = 0; i < wanted.size(); ++i) {
        if (wanted.at(i) != kept)
            parent->insertChild(i, wanted.at(i));
    }
    for (QTreeWidgetItem *node : std::as_const(expanded))
        node->setExpanded(true);
}

bool TQXTreeView::DeleteNode(QTreeWidgetItem *node, bool withChildren)
{
    if (!node)
        return false;
    if (node->childCount() > 0 && !withChildren) {
        ShowWarningFor(nullptr, QStringLiteral("请先删除该节点的子节点"));
        return false;
    }
    delete node;
    if (QTreeWidgetItem *selected = currentItem())
        SetImageIndex(selected, selected->childCount() == 0 ? 2 : 0);
    return true;
}

bool TQXTreeView::ClearTree()
{
    clear();
    m_hasRecords = false;
    return true;
}

// ---- Handlers --------------------------------------------------------------------------------

void TQXTreeView::expanded(QTreeWidgetItem *node)
{
    try {
        if (node->childCount() > 0 && IsPlaceholder(node->child(0)) && OnExpanding)
            OnExpanding(node);
        if (HoldsOnlyPlaceholder(node))
            loadChildren(node);
    } catch (...) {
        HandleCurrentException(this);
    }
    SetImageIndex(node, 1);
}

void TQXTreeView::loadChildren(QTreeWidgetItem *node)
{
    delete node->takeChild(0);
    if (m_children.statement.isEmpty())
        return;
    if (!m_children.kind.isEmpty() && !node->data(0, RecordRole).toBool()) {
        ShowWarningFor(nullptr, QStringLiteral("节点空"));
        return;
    }
    const auto rows = OpenSQL(DataBaseName, ComposeSql(m_children, NodeId(node), false));
    for (; !rows->eof(); rows->next()) {
        const QString caption = rows->text(1);
        const QString text = (m_children.captionWidth != 0 ? ZeroPad(caption, m_children.captionWidth) : caption)
            + m_children.captionSuffix;
        addNodeStep(node, caption, rows->text(0), text);
    }
}

void TQXTreeView::selectionChanged(QTreeWidgetItem *current)
{
    if (SetColor) {
        SetColor = false;
        return;
    }
    if (OnChange)
        OnChange(current);
}

void TQXTreeView::paintSelection()
{
    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight, SelectColor);
        colours.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    setPalette(colours);
}
