#include "tcategoryform.h"

#include "apperror.h"
#include "appvalues.h"
#include "dbhelpers.h"
#include "messageservice.h"
#include "sqldialect.h"
#include "tagproperty.h"
#include "tcategoryprint.h"
#include "tqxdatasource.h"
#include "tqxdbedit.h"
#include "tqxquery.h"
#include "tqxtreeview.h"
#include "treetable.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

const QString TCategoryForm::RootId = QStringLiteral("G001");

namespace {

const QString SortTail = QStringLiteral(" ORDER BY ORDER_ID");
const QString NoNode = QStringLiteral("必须选择一个节点");

// An identifier written between single quotes.
QString quoted(QString id)
{
    return id.replace(QLatin1Char('\''), QLatin1String("''"));
}

TQXDBEdit *boundEdit(TQXDataSource *source, const QString &field, const char *name, QWidget *parent)
{
    auto *edit = new TQXDBEdit(source, field, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

TCategoryForm::TCategoryForm(const TCategorySetup &setup, QWidget *owner)
    : TQXDForm(owner),
      TreePanel(new QWidget(Panel1)),
      RecordPages(new QStackedWidget(Panel1)),
      RecordBox(new QGroupBox(setup.recordTitle, Panel1)),
      QXTreeView(new TQXTreeView(TreePanel)),
      DBEditOrder(boundEdit(DS, QStringLiteral("ORDER_ID"), "DBEditOrder", Panel1)),
      DBEditName(boundEdit(DS, setup.table->nameColumn, "DBEditName", Panel1)),
      DBEditNote(boundEdit(DS, QStringLiteral("NOTE"), "DBEditNote", Panel1)),
      DBEditEditName(boundEdit(DS, QStringLiteral("EDIT_NAME"), "DBEditEditName", Panel1)),
      DBEditEditDate(boundEdit(DS, QStringLiteral("EDIT_DATE"), "DBEditEditDate", Panel1)),
      DBEditCreateName(boundEdit(DS, QStringLiteral("CREATE_NAME"), "DBEditCreateName", Panel1)),
      DBEditCreateDate(boundEdit(DS, QStringLiteral("CREATE_DATE"), "DBEditCreateDate", Panel1)),
      m_setup(setup),
      m_selectedId(RootId)
{
    setObjectName(setup.objectName);
    setWindowTitle(setup.windowCaption);
    ComposeName = QStringLiteral("基本数据录入编辑");
    ProgramName = setup.programName;

    button_find->setVisible(false);
    button_print->setVisible(!setup.print.title.isEmpty());
    for (QToolButton *button : {button_First, button_Prior, button_next, button_Last, button_check})
        button->setVisible(false);

    setUpQuery();
    layOut();
    DS->OnStateChange = [this](TQXDataset::State state) { DSStateChange(state); };

    QXTreeView->setObjectName(QStringLiteral("QXTreeView"));
    QXTreeView->DataBaseName = MainDatabaseName;
    QXTreeView->OnExpanding = [this](QTreeWidgetItem *node) { QXTreeViewExpanding(node); };
    QXTreeView->OnChange = [this](QTreeWidgetItem *node) { QXTreeViewChange(node); };
    QXTreeView->OnCollapsing = [this](QTreeWidgetItem *node) { QXTreeViewCollapsing(node); };
    QXTreeView->HookEvents();
    QXTreeView->RootId = RootId;
    QXTreeView->RootCaption = setup.rootCaption.isEmpty() ? Word() : setup.rootCaption;
    QXTreeView->SetRootOnlyNodeSql();
    QXTreeView->BuildRoot();
    QXTreeView->SetColor = true;
    QXTreeView->setCurrentItem(QXTreeView->topLevelItem(0));
    m_selectedNode = QXTreeView->topLevelItem(0);
    RunCommand([this] { LoadSelectedRecord(); });
}

TCategoryForm::~TCategoryForm() = default;

QString TCategoryForm::Word() const
{
    return m_setup.word.isEmpty() ? m_setup.table->word : m_setup.word;
}

void TCategoryForm::SetWrittenColumns(const QStringList &columns)
{
    const QString &table = m_setup.table->table;
    const QString &id = m_setup.table->idColumn;
    UpdateStatements statements;
    statements.ModifySQL << QStringLiteral("update ") + table << QStringLiteral("set");
    for (qsizetype i = 0; i < columns.size(); ++i)
        statements.ModifySQL << QStringLiteral("  ") + columns[i] + QStringLiteral(" = :") + columns[i]
                + (i + 1 < columns.size() ? QStringLiteral(",") : QString());
    statements.ModifySQL << QStringLiteral("where") << QStringLiteral("  ") + id + QStringLiteral(" = :OLD_") + id;
    statements.InsertSQL << QStringLiteral("insert into ") + table
                         << QStringLiteral("  (") + columns.join(QStringLiteral(", ")) + QStringLiteral(")")
                         << QStringLiteral("values") << QStringLiteral("  (:") + columns.join(QStringLiteral(", :")) + QStringLiteral(")");
    statements.DeleteSQL << QStringLiteral("delete from ") + table << QStringLiteral("where")
                         << QStringLiteral("  ") + id + QStringLiteral(" = :OLD_") + id;
    Query->UpdateSQL = statements;
}

void TCategoryForm::setUpQuery()
{
    const TreeTable &table = *m_setup.table;
    const QString id = table.idColumn;
    const QString name = table.nameColumn;
    Query->setTableName(table.table);
    SetWrittenColumns({id, name, QStringLiteral("PRIOR_ID"), QStringLiteral("ORDER_ID"), QStringLiteral("NOTE"),
                       QStringLiteral("CREATE_NAME"), QStringLiteral("CREATE_DATE"), QStringLiteral("EDIT_NAME"),
                       QStringLiteral("EDIT_DATE")});

    // ORDER_ID is an integer column: checked as a number before it reaches the database.
    Query->FieldsData = {
        TFieldsData{.FieldName = QStringLiteral("ORDER_ID"), .Caption = m_setup.orderCaption, .DataKind = QStringLiteral("N"),
                    .Required = true},
        TFieldsData{.FieldName = id, .Caption = QStringLiteral("纪录编号")},
        TFieldsData{.FieldName = name, .Caption = Word(), .FindKind = QStringLiteral("T"), .Required = true},
        TFieldsData{.FieldName = QStringLiteral("NOTE"), .Caption = QStringLiteral("备注")},
        TFieldsData{.FieldName = QStringLiteral("CREATE_NAME"), .Caption = QStringLiteral("建档人员")},
        TFieldsData{.FieldName = QStringLiteral("CREATE_DATE"), .Caption = QStringLiteral("建档日期"), .DataKind = QStringLiteral("D")},
        TFieldsData{.FieldName = QStringLiteral("EDIT_NAME"), .Caption = QStringLiteral("修改人员")},
        TFieldsData{.FieldName = QStringLiteral("EDIT_DATE"), .Caption = QStringLiteral("修改日期"), .DataKind = QStringLiteral("D")},
    };

    const QString head = QStringLiteral("SELECT ") + id + QStringLiteral(" FROM ") + table.table + QStringLiteral(" WHERE ");
    // Siblings may not share an order number. The check is triggered by PRIOR_ID, not by the
    // numbered ORDER_ID, so a repeated number is refused rather than silently drawn again.
    TCheckData siblings;
    siblings.Items = {TCheckItem{.FieldName = QStringLiteral("PRIOR_ID"), .ColumnName = QStringLiteral("PRIOR_ID")},
                      TCheckItem{.FieldName = QStringLiteral("ORDER_ID"), .ColumnName = QStringLiteral("ORDER_ID"),
                                 .Kind = QStringLiteral("N")}};
    siblings.TriggerField = QStringLiteral("PRIOR_ID");
    siblings.Message = QStringLiteral("序号重复");
    siblings.FocusControl = DBEditOrder;
    siblings.SqlHead = head;
    siblings.Unique = true;
    TCheckData key;
    key.Items = {TCheckItem{.FieldName = id, .ColumnName = id}};
    key.TriggerField = id;
    key.Message = QStringLiteral("纪录编号重复");
    key.SqlHead = head;
    key.Unique = true;
    Query->CheckData = {siblings, key};

    Query->ActiveControl = QStringLiteral("DBEditName");
    Query->DetailTable = m_setup.detailTable;
    Query->KeyValue = m_setup.detailKey;
    Query->DetailDError = m_setup.detailError;
    Query->AfterInsert = [this] { QueryAfterInsert(); };
}

void TCategoryForm::layOut()
{
    auto *treeLayout = new QVBoxLayout(TreePanel);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(QXTreeView);
    QXTreeView->setCursor(Qt::PointingHandCursor);
    QXTreeView->setToolTip(QStringLiteral("选择") + Word());

    auto *recordForm = new QFormLayout(RecordBox);
    for (QWidget *edit : {static_cast<QWidget *>(DBEditOrder), static_cast<QWidget *>(DBEditName),
                          static_cast<QWidget *>(DBEditNote)})
        edit->setParent(RecordBox);
    recordForm->addRow(QStringLiteral("序号"), DBEditOrder);
    recordForm->addRow(m_setup.nameCaption.isEmpty() ? Word() : m_setup.nameCaption, DBEditName);
    recordForm->addRow(QStringLiteral("备注"), DBEditNote);
    RecordPages->addWidget(RecordBox);
    DBEditOrder->setEditType(etInteger);
    DBEditOrder->setMaxLength(9);
    DBEditName->setMaxLength(20);
    DBEditNote->setMaxLength(40);

    auto *stamps = new QGroupBox(Panel1);
    auto *stampGrid = new QGridLayout(stamps);
    const auto addRow = [](QGridLayout *grid, const QString &caption, QWidget *edit) {
        const int row = grid->rowCount();
        auto *label = new QLabel(caption, edit->parentWidget());
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
    };
    for (TQXDBEdit *edit : {DBEditEditName, DBEditEditDate, DBEditCreateName, DBEditCreateDate}) {
        edit->setParent(stamps);
        SetTag(edit, 3);
    }
    addRow(stampGrid, QStringLiteral("修改人员"), DBEditEditName);
    addRow(stampGrid, QStringLiteral("修改日期"), DBEditEditDate);
    addRow(stampGrid, QStringLiteral("建档人员"), DBEditCreateName);
    addRow(stampGrid, QStringLiteral("建档日期"), DBEditCreateDate);

    auto *right = new QVBoxLayout;
    right->addWidget(RecordPages);
    right->addStretch(1);
    right->addWidget(stamps);

    auto *layout = new QHBoxLayout(Panel1);
    layout->addWidget(TreePanel, 1);
    layout->addLayout(right, 1);
}

void TCategoryForm::InsertRecordRow(int row, const QString &caption, QWidget *edit)
{
    edit->setParent(RecordBox);
    auto *form = static_cast<QFormLayout *>(RecordBox->layout());
    form->insertRow(row, caption, edit);
    // Tab and Enter follow the rows as shown, not the order the boxes were made in.
    if (QLayoutItem *above = row > 0 ? form->itemAt(row - 1, QFormLayout::FieldRole) : nullptr; above && above->widget())
        QWidget::setTabOrder(above->widget(), edit);
}

void TCategoryForm::FormShow()
{
    Query->InsertData = {
        TInsertData{.FieldName = m_setup.table->idColumn, .Caption = QStringLiteral("纪录编号"), .Width = 12,
                    .Kind = QStringLiteral("T"), .Prefix = m_setup.idPrefix},
        TInsertData{.FieldName = QStringLiteral("CREATE_NAME"), .Caption = QStringLiteral("建档人员"), .Value = App().UserName,
                    .Kind = QStringLiteral("A")},
        TInsertData::workingDate(QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期")),
        TInsertData{.FieldName = QStringLiteral("ORDER_ID"), .Caption = m_setup.orderCaption, .Width = 0,
                    .Kind = QStringLiteral("C")},
    };
    Query->EditData = {TEditData{QStringLiteral("EDIT_NAME"), App().UserName}, TEditData::workingDate(QStringLiteral("EDIT_DATE"))};
    TQXDForm::FormShow();
    QXTreeView->setFocus();
}

// ---- Tree ------------------------------------------------------------------------------------

void TCategoryForm::QXTreeViewExpanding(QTreeWidgetItem *node)
{
    if (TQXTreeView::HoldsOnlyPlaceholder(node))
        m_setup.table->SetLevelStatements(*QXTreeView, TQXTreeView::Level(node), RootId, m_setup.maxLevel - 1);
}

void TCategoryForm::QXTreeViewCollapsing(QTreeWidgetItem *node)
{
    QXTreeView->SetImageIndex(node, 0);
}

void TCategoryForm::QXTreeViewChange(QTreeWidgetItem *node)
{
    if (!node) {
        Query->CloseQuery();
        m_selectedId = RootId;
        m_selectedNode = nullptr;
        return;
    }
    m_selectedNode = node;
    m_selectedId = QXTreeView->NodeId(node);
    RunCommand([this] { LoadSelectedRecord(); });
}

QString TCategoryForm::RecordId() const
{
    if (!Query->isActive() || const_cast<TQXQuery *>(Query)->isEmpty())
        return QString();
    return Query->fieldByName(m_setup.table->idColumn).asText();
}

void TCategoryForm::LoadSelectedRecord()
{
    if (Query->isEditing() || (Query->isActive() && RecordId() == m_selectedId))
        return;
    Query->setSql(QStringLiteral("SELECT  *  FROM  ") + m_setup.table->table + m_setup.recordWhere
                  + m_setup.table->idColumn + QStringLiteral(" = '") + quoted(m_selectedId) + QStringLiteral("'") + SortTail);
    Query->OpenQuery();
}

void TCategoryForm::DSStateChange(TQXDataset::State state)
{
    TreePanel->setEnabled(state != TQXDataset::State::Edit && state != TQXDataset::State::Insert);
}

// ---- Commands --------------------------------------------------------------------------------

void TCategoryForm::QueryAfterInsert()
{
    Query->fieldByName(QStringLiteral("PRIOR_ID")).setAsText(m_selectedId);
}

void TCategoryForm::button_addClick()
{
    if (!m_selectedNode) {
        ShowWarning(NoNode);
        return;
    }
    if (m_setup.maxLevel > 0 && TQXTreeView::Level(m_selectedNode) >= m_setup.maxLevel) {
        ShowWarning(Word() + QStringLiteral("只能有四级"));
        return;
    }
    for (TInsertData &entry : Query->InsertData) {
        if (entry.FieldName == QLatin1String("ORDER_ID"))
            entry.Where = m_setup.siblingWhere + quoted(m_selectedId) + QStringLiteral("'");
    }
    TQXDForm::button_addClick();
}

void TCategoryForm::button_editClick()
{
    if (!m_selectedNode) {
        ShowWarning(NoNode);
        return;
    }
    if (m_selectedId == RootId)
        return;
    TQXDForm::button_editClick();
}

void TCategoryForm::button_saveClick()
{
    const bool inserting = Query->state() == TQXDataset::State::Insert;
    const bool editing = Query->state() == TQXDataset::State::Edit;
    TQXDForm::button_saveClick();
    const QString name = DBEditName->text();
    const QString id = RecordId();
    LoadSelectedRecord();
    if (!Query->SaveOK() || !m_selectedNode || (!inserting && !editing))
        return;
    if (id == m_selectedId) {
        // The selected node's own record (also a root that has a row of its own).
        m_selectedNode->setText(0, name);
        QXTreeView->SetNodeCaption(m_selectedNode, name);
        OrderSiblings(m_selectedNode->parent());
    } else if (inserting) {
        // Children not loaded yet include the new row when the node expands.
        if (!TQXTreeView::HoldsOnlyPlaceholder(m_selectedNode) && QXTreeView->AddNode(m_selectedNode, name, id))
            OrderSiblings(m_selectedNode);
    } else {
        QXTreeView->RecaptionNodes(id, name);
    }
}

void TCategoryForm::OrderSiblings(QTreeWidgetItem *parent)
{
    if (!parent)
        return;
    const QString parentId = QXTreeView->NodeId(parent);
    QStringList ids;
    const auto rows = OpenSQL(MainDatabaseName, m_setup.table->childrenStatement() + sqlText(parentId) + SortTail);
    for (; !rows->eof(); rows->next())
        ids << rows->text(0);
    QXTreeView->OrderChildren(parent, ids);
}

void TCategoryForm::button_deleteClick()
{
    if (!m_selectedNode) {
        ShowWarning(NoNode);
        return;
    }
    if (m_selectedId == RootId) {
        ShowWarning(QStringLiteral("根节点不能删除"));
        return;
    }
    const QString word = Word();
    // Sub-categories another user added since this tree was loaded count as well.
    if (m_setup.table->HasChildren(*QXTreeView, m_selectedNode)) {
        ShowWarning(QStringLiteral("请先删除该") + word + QStringLiteral("的下级") + word);
        return;
    }
    for (const TCategorySetup::UsageCheck &usage : m_setup.usageChecks) {
        if (GetNumberValue(MainDatabaseName, usage.statement + quoted(m_selectedId) + QStringLiteral("'")) > 0) {
            ShowWarning(usage.message);
            return;
        }
    }
    QTreeWidgetItem *node = m_selectedNode;
    TQXDForm::button_deleteClick();
    if (Query->SaveOK())
        QXTreeView->DeleteNode(node, false);
}

void TCategoryForm::button_printClick()
{
    if (!m_selectedNode || m_setup.print.title.isEmpty())
        return;
    TCategoryPrint print(*m_setup.table, m_setup.print, this);
    const bool root = m_selectedId == RootId;
    QStringList values;
    if (!root) {
        for (const TCategoryPrint::Column &column : m_setup.print.columns)
            values << Query->fieldByName(column.field).asText();
    }
    print.Run(m_selectedId, root ? QString() : QXTreeView->NodeCaption(m_selectedNode), values, root);
}
