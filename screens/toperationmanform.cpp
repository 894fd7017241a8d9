#include "toperationmanform.h"

#include "appvalues.h"
#include "datepicking.h"
#include "dbhelpers.h"
#include "descendantcondition.h"
#include "employeelistreport.h"
#include "findpopups.h"
#include "messageservice.h"
#include "querysearchtarget.h"
#include "sqldialect.h"
#include "tagproperty.h"
#include "tfindformdialog.h"
#include "tqxdatasource.h"
#include "tqxdbcombobox.h"
#include "tqxdbcomboedit.h"
#include "tqxdbedit.h"
#include "tqxfindform.h"
#include "tqxndbgrid.h"
#include "tqxquery.h"
#include "tqxtreeview.h"
#include "treetable.h"
#include "tselectdeptform.h"
#include "tselecteditform.h"
#include "uihelpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

const QString TOperationManForm::RootId = QStringLiteral("G001");

namespace {

const QString NoNode = QStringLiteral("必须选择一个部门(节点)");
// The list, with the department's name looked up by COMPANY_ID as a column of its own.
const QString ListHead = QStringLiteral(
    "SELECT *, (SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE SYS_COMPANY_TABLE.COMPANY_ID = "
    "QX_EMPLOYEE_TABLE.COMPANY_ID) AS COMPANY_NAME FROM QX_EMPLOYEE_TABLE  ");
const QString SortTail = QStringLiteral(" ORDER BY EMPLOYEE_ID");

// The columns of QX_EMPLOYEE_TABLE, all written on insert and update.
const QStringList EmployeeColumns{
    "COMPANY_ID",          "EMPLOYEE_ID",           "EMPLOYEE_NAME",           "EMPLOYEE_SEX",
    "EMPLOYEE_BIRTHDAY",   "EMPLOYEE_CARD",         "EMPLOYEE_MARRIAGE",       "EMPLOYEE_CULTURE_LEVEL",
    "EMPLOYEE_TECHNIC_POST", "EMPLOYEE_POST",       "EMPLOYEE_HANDSET",        "EMPLOYEE_WORK_PHONE",
    "EMPLOYEE_FAMILY_PHONE", "EMPLOYEE_FAMILY_ADDRESS", "EMPLOYEE_STIPEND",    "EMPLOYEE_BANK",
    "EMPLOYEE_ACCOUNT_NUMBER", "EMPLOYEE_DRIVER_ID", "EMPLOYEE_DRIVER_DATE",    "EMPLOYEE_DRIVER_LIMIT",
    "EMPLOYEE_DRIVER_TYPE", "EMPLOYEE_DRIVER_CIRCS", "NOTE",                   "CREATE_NAME",
    "CREATE_DATE",         "EDIT_NAME",             "EDIT_DATE"};

template <class Control>
Control *bound(TQXDataSource *source, const QString &field, const char *name, QWidget *parent)
{
    auto *control = new Control(source, field, parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

} // namespace

TOperationManForm::TOperationManForm(QWidget *owner)
    : TQXDForm(owner),
      TreePanel(new QWidget(Panel1)),
      QXTreeView(new TQXTreeView(TreePanel)),
      CheckBox1(new QCheckBox(QStringLiteral("不显示下级部门人员记录"), TreePanel)),
      FindFormDialog(new TFindFormDialog(this)),
      m_selectedId(RootId)
{
    setObjectName(QStringLiteral("OperationManForm"));
    setWindowTitle(QStringLiteral("单位员工资料录入编辑窗口"));
    ComposeName = QStringLiteral("基本数据录入编辑");
    ProgramName = QStringLiteral("单位员工资料录入编辑");

    for (QToolButton *button : {button_First, button_Prior, button_next, button_Last, Button_Other})
        button->setVisible(true);
    Button_Other->setText(QStringLiteral("调动"));
    OnClick(Button_Other, &TOperationManForm::Button_OtherClick);

    TreePanel->setObjectName(QStringLiteral("TreePanel"));
    QXTreeView->setObjectName(QStringLiteral("QXTreeView"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    setUpQuery();
    layOut();
    setUpPickers();
    setUpTree();
    DS->OnStateChange = [this](TQXDataset::State state) { DSStateChange(state); };
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { RunCommand([this] { CheckBox1Click(); }); });

    FindFormDialog->setObjectName(QStringLiteral("FindFormDialog"));
    FindFormDialog->SetFieldsData(Query->FieldsData);
    FindFormDialog->Caption = QStringLiteral("单位员工资料");
    FindFormDialog->PopupWindow = [this](QString &value, QString &result, const QString &fieldName) {
        return FindFormDialogPopupWindow(value, result, fieldName);
    };
}

TOperationManForm::~TOperationManForm() = default;

void TOperationManForm::setUpQuery()
{
    Query->setTableName(QStringLiteral("QX_EMPLOYEE_TABLE"));
    QStringList assignments;
    for (const QString &column : EmployeeColumns)
        assignments << QStringLiteral("  ") + column + QStringLiteral(" = :") + column;
    Query->UpdateSQL.ModifySQL << QStringLiteral("update QX_EMPLOYEE_TABLE") << QStringLiteral("set")
                               << assignments.join(QStringLiteral(",\n")) << QStringLiteral("where")
                               << QStringLiteral("  COMPANY_ID = :OLD_COMPANY_ID and")
                               << QStringLiteral("  EMPLOYEE_ID = :OLD_EMPLOYEE_ID");
    Query->UpdateSQL.InsertSQL << QStringLiteral("insert into QX_EMPLOYEE_TABLE")
                               << QStringLiteral("  (") + EmployeeColumns.join(QStringLiteral(", ")) + QStringLiteral(")")
                               << QStringLiteral("values")
                               << QStringLiteral("  (:") + EmployeeColumns.join(QStringLiteral(", :")) + QStringLiteral(")");
    Query->UpdateSQL.DeleteSQL << QStringLiteral("delete from QX_EMPLOYEE_TABLE") << QStringLiteral("where")
                               << QStringLiteral("  COMPANY_ID = :OLD_COMPANY_ID and")
                               << QStringLiteral("  EMPLOYEE_ID = :OLD_EMPLOYEE_ID");

    const auto text = [](const char *field, const char *caption, const char *findKind) {
        return TFieldsData{.FieldName = QLatin1String(field), .Caption = QString::fromUtf8(caption),
                           .FindKind = QLatin1String(findKind)};
    };
    const auto date = [](const char *field, const char *caption, const char *findKind) {
        return TFieldsData{.FieldName = QLatin1String(field), .Caption = QString::fromUtf8(caption),
                           .DataKind = QStringLiteral("D"), .FindKind = QLatin1String(findKind)};
    };
    TFieldsData number = text("EMPLOYEE_ID", "员工编号", "T");
    number.Required = true;
    TFieldsData name = text("EMPLOYEE_NAME", "员工姓名", "T");
    name.Required = true;
    TFieldsData sex = text("EMPLOYEE_SEX", "员工性别", "B");
    sex.KeyField = QStringLiteral("男;女");
    Query->FieldsData = {
        number,
        name,
        sex,
        date("EMPLOYEE_BIRTHDAY", "出生日期", "D"),
        // Search only: the birthday condition comes from the pop-up (no such column).
        date("BIRTHDAY", "员工生日", "BS"),
        text("EMPLOYEE_CARD", "身份证", "T"),
        text("EMPLOYEE_MARRIAGE", "婚姻状况", "DT"),
        text("EMPLOYEE_CULTURE_LEVEL", "文化水平", "DT"),
        text("EMPLOYEE_TECHNIC_POST", "技术职称", "DT"),
        text("EMPLOYEE_POST", "员工职务", "DT"),
        text("EMPLOYEE_HANDSET", "员工手机", "T"),
        text("EMPLOYEE_WORK_PHONE", "办公电话", "T"),
        text("EMPLOYEE_FAMILY_PHONE", "家庭电话", "T"),
        text("EMPLOYEE_FAMILY_ADDRESS", "家庭地址", "T"),
        text("EMPLOYEE_STIPEND", "基本工资", "T"),
        text("EMPLOYEE_BANK", "开户银行", "DT"),
        text("EMPLOYEE_ACCOUNT_NUMBER", "银行帐号", "T"),
        text("EMPLOYEE_DRIVER_ID", "驾驶证号", "T"),
        date("EMPLOYEE_DRIVER_DATE", "领证日期", "D"),
        text("EMPLOYEE_DRIVER_LIMIT", "证件期限", "T"),
        text("EMPLOYEE_DRIVER_TYPE", "准驾车型", "DT"),
        text("EMPLOYEE_DRIVER_CIRCS", "年检情况", "T"),
        text("NOTE", "备注", "T"),
        text("CREATE_NAME", "建档人员", ""),
        date("CREATE_DATE", "建档日期", ""),
        text("EDIT_NAME", "修改人员", ""),
        date("EDIT_DATE", "修改日期", ""),
        TFieldsData{.FieldName = QStringLiteral("COMPANY_ID"), .Caption = QStringLiteral("COMPANY_ID"), .Required = true,
                    .Visible = false},
        text("COMPANY_NAME", "任职部门", ""),
    };

    TCheckData unique;
    unique.SqlHead = QStringLiteral("SELECT EMPLOYEE_ID FROM QX_EMPLOYEE_TABLE WHERE ");
    unique.Items = {TCheckItem{.FieldName = QStringLiteral("EMPLOYEE_ID"), .ColumnName = QStringLiteral("EMPLOYEE_ID")}};
    unique.TriggerField = QStringLiteral("EMPLOYEE_ID");
    unique.Message = QStringLiteral("员工编号重复");
    unique.Unique = true;
    Query->CheckData = {unique};

    Query->AfterInsert = [this] { QueryAfterInsert(); };
}

void TOperationManForm::setUpTree()
{
    QXTreeView->DataBaseName = MainDatabaseName;
    QXTreeView->OnExpanding = [this](QTreeWidgetItem *node) { QXTreeViewExpanding(node); };
    QXTreeView->OnChange = [this](QTreeWidgetItem *node) { QXTreeViewChange(node); };
    QXTreeView->OnCollapsing = [this](QTreeWidgetItem *node) { QXTreeViewCollapsing(node); };
    QXTreeView->HookEvents();
    QXTreeView->RootId = RootId;
    QXTreeView->RootCaption = App().CompanyName;
    QXTreeView->SetRootOnlyNodeSql();
    QXTreeView->BuildRoot();
    QXTreeView->SetColor = true;
    QXTreeView->setCurrentItem(QXTreeView->topLevelItem(0));
    m_selectedNode = QXTreeView->topLevelItem(0);
}

void TOperationManForm::layOut()
{
    setFixedSize(1000, 640);
    auto *treeLayout = new QVBoxLayout(TreePanel);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(QXTreeView, 1);
    treeLayout->addWidget(CheckBox1);
    TreePanel->setFixedWidth(190);
    QXTreeView->setCursor(Qt::PointingHandCursor);
    QXTreeView->setToolTip(QStringLiteral("选择部门"));

    // The boxes are created in the order Enter and Tab move through them.
    auto *details = new QGroupBox(Panel1);
    details->setObjectName(QStringLiteral("DetailBox"));
    auto *grid = new QGridLayout(details);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(3);
    int slot = 0;
    const auto place = [&](const QString &caption, QWidget *box) {
        auto *label = new QLabel(caption, details);
        label->setBuddy(box);
        grid->addWidget(label, slot / 4, 2 * (slot % 4));
        grid->addWidget(box, slot / 4, 2 * (slot % 4) + 1);
        ++slot;
    };
    const auto edit = [&](const char *name, const char *field, const char *caption, int maxLength) {
        auto *box = bound<TQXDBEdit>(DS, QLatin1String(field), name, details);
        box->setMaxLength(maxLength);
        place(QString::fromUtf8(caption), box);
        return box;
    };
    const auto comboEdit = [&](const char *name, const char *field, const char *caption, int maxLength) {
        auto *box = bound<TQXDBComboEdit>(DS, QLatin1String(field), name, details);
        box->setMaxLength(maxLength);
        box->setButtonWidth(19);
        place(QString::fromUtf8(caption), box);
        return box;
    };
    DBEditEmployeeId = edit("DBEditEmployeeId", "EMPLOYEE_ID", "员工编号", 13);
    DBEditName = edit("DBEditName", "EMPLOYEE_NAME", "员工姓名", 20);
    DBComboBoxSex = bound<TQXDBComboBox>(DS, QStringLiteral("EMPLOYEE_SEX"), "DBComboBoxSex", details);
    DBComboBoxSex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    place(QStringLiteral("员工性别"), DBComboBoxSex);
    DBComboEditBirthday = comboEdit("DBComboEditBirthday", "EMPLOYEE_BIRTHDAY", "出生日期", 10);
    DBComboEditBirthday->setEditType(etDate);
    DBEditCard = edit("DBEditCard", "EMPLOYEE_CARD", "身份证", 20);
    DBComboEditMarriage = comboEdit("DBComboEditMarriage", "EMPLOYEE_MARRIAGE", "婚姻状况", 12);
    DBComboEditCultureLevel = comboEdit("DBComboEditCultureLevel", "EMPLOYEE_CULTURE_LEVEL", "文化水平", 12);
    DBComboEditTechnicPost = comboEdit("DBComboEditTechnicPost", "EMPLOYEE_TECHNIC_POST", "技术职称", 20);
    DBComboEditPost = comboEdit("DBComboEditPost", "EMPLOYEE_POST", "员工职务", 20);
    DBEditHandset = edit("DBEditHandset", "EMPLOYEE_HANDSET", "员工手机", 20);
    DBEditWorkPhone = edit("DBEditWorkPhone", "EMPLOYEE_WORK_PHONE", "办公电话", 20);
    DBEditFamilyPhone = edit("DBEditFamilyPhone", "EMPLOYEE_FAMILY_PHONE", "家庭电话", 20);
    DBEditFamilyAddress = edit("DBEditFamilyAddress", "EMPLOYEE_FAMILY_ADDRESS", "家庭地址", 60);
    DBEditStipend = edit("DBEditStipend", "EMPLOYEE_STIPEND", "基本工资", 10);
    DBEditStipend->setEditType(etFloat);
    DBComboEditBank = comboEdit("DBComboEditBank", "EMPLOYEE_BANK", "开户银行", 30);
    DBEditAccountNumber = edit("DBEditAccountNumber", "EMPLOYEE_ACCOUNT_NUMBER", "银行帐号", 22);
    DBEditDriverId = edit("DBEditDriverId", "EMPLOYEE_DRIVER_ID", "驾驶证号", 20);
    DBComboEditDriverDate = comboEdit("DBComboEditDriverDate", "EMPLOYEE_DRIVER_DATE", "领证日期", 10);
    DBComboEditDriverDate->setEditType(etDate);
    DBEditDriverLimit = edit("DBEditDriverLimit", "EMPLOYEE_DRIVER_LIMIT", "证件期限", 10);
    DBComboEditDriverType = comboEdit("DBComboEditDriverType", "EMPLOYEE_DRIVER_TYPE", "准驾车型", 20);
    DBEditDriverCircs = edit("DBEditDriverCircs", "EMPLOYEE_DRIVER_CIRCS", "年检情况", 80);
    DBEditNote = edit("DBEditNote", "NOTE", "备注", 160);
    DBEditCompanyName = edit("DBEditCompanyName", "COMPANY_NAME", "任职部门", 40);
    SetTag(DBEditCompanyName, 3);

    DBGrid1 = new TQXNDBGrid(Panel1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->SetFieldsData(Query->FieldsData);
    DBGrid1->setDataSource(DS);
    DBGrid1->SetLayoutOwner(objectName(), App().UserID, QStringLiteral("SYS_OPERATION_MAN_TABLE"));

    auto *right = new QVBoxLayout;
    right->addWidget(details);
    right->addWidget(DBGrid1, 1);
    auto *layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(TreePanel);
    layout->addLayout(right, 1);
}

void TOperationManForm::setUpPickers()
{
    m_listBoxes = {
        {DBComboEditMarriage, QStringLiteral("EMPLOYEE_MARRIAGE"), QStringLiteral("婚姻状况"),
         QStringLiteral(" QX_EMPLOYEE_MARRIAGE_TABLE "), DBComboEditCultureLevel},
        {DBComboEditCultureLevel, QStringLiteral("EMPLOYEE_CULTURE_LEVEL"), QStringLiteral("文化水平"),
         QStringLiteral(" QX_EMPLOYEE_CULTURE_LEVEL_TABLE "), DBComboEditTechnicPost},
        {DBComboEditTechnicPost, QStringLiteral("EMPLOYEE_TECHNIC_POST"), QStringLiteral("技术职称"),
         QStringLiteral(" QX_EMPLOYEE_TECHNIC_POST_TABLE "), DBComboEditPost},
        {DBComboEditPost, QStringLiteral("EMPLOYEE_POST"), QStringLiteral("员工职务"), QStringLiteral(" QX_EMPLOYEE_POST_TABLE "),
         DBEditHandset},
        {DBComboEditBank, QStringLiteral("EMPLOYEE_BANK"), QStringLiteral("开户银行"), QStringLiteral(" QX_EMPLOYEE_BANK_TABLE "),
         DBEditAccountNumber},
        {DBComboEditDriverType, QStringLiteral("EMPLOYEE_DRIVER_TYPE"), QStringLiteral("准驾车型"),
         QStringLiteral(" QX_EMPLOYEE_DRIVER_TYPE_TABLE "), DBEditDriverCircs},
    };
    for (qsizetype i = 0; i < m_listBoxes.size(); ++i) {
        TQXDBComboEdit *box = m_listBoxes.at(i).edit;
        connect(box, &TQXComboEdit::buttonClicked, this,
                [this, i] { RunCommand([this, i] { pickListValue(m_listBoxes.at(i)); }); });
        // Enter in an empty box opens the list; otherwise the focus moves on.
        box->OnSelect = [this, i](bool &keepFocus) {
            const ListBox &list = m_listBoxes.at(i);
            keepFocus = false;
            if (Query->isEditing() && list.edit->text().trimmed().isEmpty())
                RunCommand([&] { keepFocus = pickListValue(list); });
        };
    }

    const QList<QPair<TQXDBComboEdit *, QWidget *>> dateBoxes{{DBComboEditBirthday, DBEditCard},
                                                             {DBComboEditDriverDate, DBEditDriverLimit}};
    for (const auto &[box, next] : dateBoxes) {
        connect(box, &TQXComboEdit::buttonClicked, this, [this, box, next] { RunCommand([this, box, next] { pickDate(box, next); }); });
        box->OnSelect = [this, box, next](bool &keepFocus) {
            keepFocus = false;
            if (Query->isEditing() && box->text().trimmed().isEmpty())
                RunCommand([&] { keepFocus = pickDate(box, next); });
        };
    }
}

void TOperationManForm::FormShow()
{
    RunCommand([this] {
        m_numbersGenerated = GetFieldValue(MainDatabaseName, QStringLiteral("SELECT AUTO_ID FROM SYS_ID_TABLE WHERE NAME_ID = '")
                                                                 + QStringLiteral("员工编号") + QStringLiteral("'"))
            == QStringLiteral("是");
    });
    // Drawn numbers come first, then the creation stamps.
    Query->InsertData = TInsertDataArray{};
    if (m_numbersGenerated)
        Query->InsertData.append(TInsertData{.FieldName = QStringLiteral("EMPLOYEE_ID"), .Caption = QStringLiteral("员工编号"),
                                             .Width = 10, .Kind = QStringLiteral("Y")});
    Query->InsertData.append(TInsertData{.FieldName = QStringLiteral("CREATE_NAME"), .Caption = QStringLiteral("建档人员"),
                                         .Value = App().UserName, .Kind = QStringLiteral("A")});
    Query->InsertData.append(TInsertData::workingDate(QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期")));
    if (m_numbersGenerated) {
        // A drawn number is shown, never typed: read-only, blue, out of the Tab order.
        SetTag(DBEditEmployeeId, 3);
        QPalette blue = DBEditEmployeeId->palette();
        blue.setColor(QPalette::Text, Qt::blue);
        DBEditEmployeeId->setPalette(blue);
        Query->ActiveControl = DBEditName->objectName();
    } else {
        Query->ActiveControl = DBEditEmployeeId->objectName();
    }
    Query->EditData = {TEditData{QStringLiteral("EDIT_NAME"), App().UserName}, TEditData::workingDate(QStringLiteral("EDIT_DATE"))};
    TQXDForm::FormShow();
    Button_Other->setEnabled(button_add->isEnabled());
    RunCommand([this] { LoadEmployees(); });
    QXTreeView->setFocus();
}

// ---- Tree and list ---------------------------------------------------------------------------

void TOperationManForm::QXTreeViewExpanding(QTreeWidgetItem *node)
{
    if (TQXTreeView::HoldsOnlyPlaceholder(node))
        TreeTable::Dept().SetLevelStatements(*QXTreeView, TQXTreeView::Level(node), RootId, -1);
}

void TOperationManForm::QXTreeViewCollapsing(QTreeWidgetItem *node)
{
    QXTreeView->SetImageIndex(node, 0);
}

void TOperationManForm::QXTreeViewChange(QTreeWidgetItem *node)
{
    if (!node) {
        Query->CloseQuery();
        m_selectedId = RootId;
        m_selectedNode = nullptr;
        m_lastLoaded.clear();
        return;
    }
    m_selectedNode = node;
    m_selectedId = QXTreeView->NodeId(node);
    RunCommand([this] { LoadEmployees(); });
}

void TOperationManForm::CheckBox1Click()
{
    m_lastLoaded.clear();
    LoadEmployees();
}

QString TOperationManForm::NodeCondition() const
{
    const QString own = QStringLiteral(" COMPANY_ID = ") + sqlText(m_selectedId) + QLatin1Char(' ');
    if (CheckBox1->isChecked())
        return own;
    if (m_selectedId == RootId)
        return QString();
    const QString descendants = DescendantCondition::Dept(m_selectedId);
    if (descendants.isEmpty())
        return own;
    return QStringLiteral(" (COMPANY_ID = ") + sqlText(m_selectedId) + QStringLiteral(" OR ") + descendants
        + QStringLiteral(") ");
}

void TOperationManForm::LoadEmployees()
{
    if (!m_selectedNode || Query->isEditing() || (Query->isActive() && m_selectedId == m_lastLoaded))
        return;
    m_lastLoaded = m_selectedId;
    const QString condition = NodeCondition();
    Query->CloseQuery();
    Query->setSql(ListHead + (condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition) + SortTail);
    Query->OpenQuery();
}

void TOperationManForm::DSStateChange(TQXDataset::State state)
{
    TreePanel->setEnabled(state != TQXDataset::State::Edit && state != TQXDataset::State::Insert);
    Button_Other->setEnabled(button_add->isEnabled());
}

// ---- Commands --------------------------------------------------------------------------------

bool TOperationManForm::nodeSelected() const
{
    if (m_selectedNode)
        return true;
    ShowWarning(NoNode);
    return false;
}

void TOperationManForm::QueryAfterInsert()
{
    Query->fieldByName(QStringLiteral("COMPANY_ID")).setAsText(m_selectedId);
    Query->fieldByName(QStringLiteral("COMPANY_NAME")).setAsText(QXTreeView->NodeCaption(m_selectedNode));
}

void TOperationManForm::button_addClick()
{
    if (nodeSelected())
        TQXDForm::button_addClick();
}

void TOperationManForm::button_editClick()
{
    if (nodeSelected())
        TQXDForm::button_editClick();
}

void TOperationManForm::button_deleteClick()
{
    if (nodeSelected())
        TQXDForm::button_deleteClick();
}

void TOperationManForm::button_findClick()
{
    if (!nodeSelected())
        return;
    const QString condition = NodeCondition();
    const bool filtered = !condition.isEmpty();
    const QString wholeList = ListHead + (filtered ? QStringLiteral(" WHERE ") + condition : QString()) + SortTail;
    const QString prefix = ListHead + QStringLiteral(" WHERE ") + (filtered ? condition + QStringLiteral(" AND ") : QString());
    FindFormDialog->BaseSQL = wholeList;
    FindFormDialog->SqlType = Query->SqlType;
    FindFormDialog->Color = QColor::fromRgb(AppValues::Color);
    FindFormDialog->ColorNotOnFocus = QColor::fromRgb(AppValues::EditColor);
    FindFormDialog->ColorOnFocus = QColor::fromRgb(AppValues::ColorOnFocus);
    FindFormDialog->ImeName = App().ImeName;
    if (!FindFormDialog->Execute())
        return;
    const QString sql = FindFormDialog->AllData()
                            ? wholeList
                            : prefix + QStringLiteral("(") + FindFormDialog->Conditions().join(QString()) + QStringLiteral(")")
                                  + SortTail;
    // The list no longer shows the node's employees: the next selection loads them again.
    m_lastLoaded.clear();
    QuerySearchTarget target(*Query);
    RunSearch(target, sql);
}

int TOperationManForm::FindFormDialogPopupWindow(QString &value, QString &result, const QString &fieldName)
{
    if (fieldName == QLatin1String("BIRTHDAY")) {
        PickDayCondition(QStringLiteral("EMPLOYEE_BIRTHDAY"), Query->SqlType, &value, &result);
        return 0;
    }
    for (const ListBox &list : std::as_const(m_listBoxes)) {
        if (list.column == fieldName) {
            PickListForFind(list.table.trimmed(), value, result, FindFormDialog->window());
            break;
        }
    }
    return 0;
}

void TOperationManForm::button_printClick()
{
    if (!nodeSelected() || !Query->isActive() || Query->isEmpty())
        return;
    const QString caption = m_selectedId == RootId ? App().CompanyName : DepartmentPath(m_selectedId);
    PrintEmployeeList(*Query, caption, this);
}

void TOperationManForm::Button_OtherClick()
{
    if (!Query->isActive() || Query->isEmpty() || Query->fieldByName(QStringLiteral("EMPLOYEE_ID")).asText().isEmpty()) {
        ShowWarning(QStringLiteral("没有员工记录"));
        return;
    }
    if (!m_deptPicker) {
        m_deptPicker = new TSelectDeptForm(this);
        m_deptPicker->RootId = RootId;
        m_deptPicker->RootName = App().CompanyName;
    }
    if (!RunPicker(*m_deptPicker))
        return;
    if (m_deptPicker->SelectedId == Query->fieldByName(QStringLiteral("COMPANY_ID")).asText())
        return;
    // A move, not an edit by the user: no record rules, no edit stamps.
    Query->NoCheck = true;
    Query->EditRecord();
    try {
        Query->fieldByName(QStringLiteral("COMPANY_ID")).setAsText(m_deptPicker->SelectedId);
        Query->fieldByName(QStringLiteral("COMPANY_NAME")).setAsText(m_deptPicker->SelectedName);
        Query->SaveRecord();
    } catch (...) {
        // The user did not start this edit: a failed move leaves the record as it was.
        if (Query->isEditing())
            Query->CancelRecord();
        throw;
    }
}

// ---- Value boxes -----------------------------------------------------------------------------

bool TOperationManForm::pickListValue(const ListBox &box)
{
    if (!Query->isEditing())
        return false;
    TSelectEditForm picker(this);
    picker.SetupList(box.column, box.caption, box.table);
    picker.query()->OpenQuery();
    if (!RunPicker(picker))
        return false;
    Query->fieldByName(box.column).setAsText(picker.SelectedValue());
    box.next->setFocus();
    return true;
}

bool TOperationManForm::pickDate(TQXDBComboEdit *edit, QWidget *next)
{
    if (!Query->isEditing())
        return false;
    const QDate workingDate = QDate::fromString(App().TodayText, QStringLiteral("yyyy-MM-dd"));
    const QString chosen = PickDate(edit->text(), workingDate.isValid() ? workingDate : QDate::currentDate());
    if (chosen.isEmpty())
        return false;
    Query->fieldByName(edit->dataField()).setAsText(chosen);
    next->setFocus();
    return true;
}
