#include "tuserform.h"

#include "appvalues.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "gbkwidth.h"
#include "messageservice.h"
#include "passwordhash.h"
#include "querysearchtarget.h"
#include "tagproperty.h"
#include "tfindsimpleformdialog.h"
#include "tqxfindsimpleform.h"
#include "tqxchild.h"
#include "tqxdatasource.h"
#include "tqxdbcombobox.h"
#include "tqxdbedit.h"
#include "tqxfield.h"
#include "tqxndbgrid.h"
#include "tqxpagecontrol.h"
#include "tqxquery.h"
#include "uihelpers.h"
#include "userlistreport.h"
#include "userrightspage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString Yes = QStringLiteral("是");
const QString No = QStringLiteral("否");
const QString Valid = QStringLiteral("有效");
const QString Stopped = QStringLiteral("停用");

// Per-user tables: rights and the grid layouts.
const QStringList UserTables{
    QStringLiteral("SYS_RIGHT_TABLE"),        QStringLiteral("SYS_CAR_AWAKE_TABLE"),
    QStringLiteral("SYS_SELECT_CAR_AWAKE_TABLE"), QStringLiteral("SYS_CAR1_TABLE"),
    QStringLiteral("SYS_CAR2_TABLE"),         QStringLiteral("SYS_CAR3_TABLE"),
    QStringLiteral("SYS_CAR4_TABLE"),         QStringLiteral("SYS_SELECT_WORK_MONEY_TABLE"),
    QStringLiteral("SYS_MONEY_INTO_OUT_TABLE"), QStringLiteral("SYS_CAR_REPAIR_TABLE"),
    QStringLiteral("SYS_CAR_WORK_TABLE"),     QStringLiteral("SYS_SELECT_REPAIR_MONEY_TABLE"),
    QStringLiteral("SYS_OPERATION_MAN_TABLE")};

// The ten columns of SYS_USER_TABLE, all written on insert and update.
const QStringList UserColumns{"USE_ID",      "USE_NAME",    "USE_PASSWORD", "SYS_USER",  "STOP_RIGHT",
                              "NOTE",        "CREATE_NAME", "EDIT_NAME",    "CREATE_DATE", "EDIT_DATE"};

} // namespace

const QString TUserForm::DefaultPassword = QStringLiteral("926");

TUserForm::TUserForm(QWidget *owner) : TQXDForm(owner)
{
    setObjectName(QStringLiteral("UserForm"));
    setWindowTitle(QStringLiteral("用户管理"));
    declareQuery();

    PageControl1 = new TQXPageControl(Panel1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->DataSource1 = DS;
    PageControl1->QyMaster = Query;
    PageControl1->addTab(buildListPage(), QStringLiteral("用户列表"));
    RightsPage = new UserRightsPage(Query, QXChild, PageControl1);
    RightsPage->setObjectName(QStringLiteral("RightsPage"));
    PageControl1->addTab(RightsPage, QStringLiteral("用户权限"));
    auto *layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TUserForm::pageChanged);

    DS->OnStateChange = [this](TQXDataset::State state) { stateChanged(state); };
}

void TUserForm::declareQuery()
{
    Query->setTableName(QStringLiteral("SYS_USER_TABLE"));
    QStringList assignments;
    for (const QString &column : UserColumns)
        assignments << "  " + column + " = :" + column;
    Query->UpdateSQL.ModifySQL << "update SYS_USER_TABLE" << "set" << assignments.join(",\n") << "where"
                               << "  USE_ID = :OLD_USE_ID";
    Query->UpdateSQL.InsertSQL << "insert into SYS_USER_TABLE" << "  (" + UserColumns.join(", ") + ")" << "values"
                               << "  (:" + UserColumns.join(", :") + ")";
    Query->UpdateSQL.DeleteSQL << "delete from SYS_USER_TABLE" << "where" << "  USE_ID = :OLD_USE_ID";

    Query->FieldsData = {
        TFieldsData{.FieldName = "USE_ID", .Caption = "用户编号", .FindKind = "T", .Required = true},
        TFieldsData{.FieldName = "USE_NAME", .Caption = "用户姓名", .FindKind = "T", .Required = true},
        TFieldsData{.FieldName = "SYS_USER", .Caption = "是否系统用户", .Visible = false},
        TFieldsData{.FieldName = "STOP_RIGHT", .Caption = "用户状态", .KeyField = "有效;停用", .FindKind = "B"},
        TFieldsData{.FieldName = "NOTE", .Caption = "备注", .FindKind = "T"},
        TFieldsData{.FieldName = "CREATE_NAME", .Caption = "建档人员", .FindKind = "T"},
        TFieldsData{.FieldName = "CREATE_DATE", .Caption = "建档日期", .DataKind = "D", .FindKind = "D"},
        TFieldsData{.FieldName = "EDIT_NAME", .Caption = "修改人员", .FindKind = "T"},
        TFieldsData{.FieldName = "EDIT_DATE", .Caption = "修改日期", .DataKind = "D", .FindKind = "D"},
        TFieldsData{.FieldName = "USE_PASSWORD", .Caption = "用户口令", .Visible = false},
    };

    TCheckData unique;
    unique.SqlHead = QStringLiteral("SELECT USE_ID FROM SYS_USER_TABLE WHERE ");
    unique.Items = {TCheckItem{.FieldName = "USE_ID", .ColumnName = "USE_ID"}};
    unique.Message = QStringLiteral("用户编号重复");
    unique.TriggerField = QStringLiteral("USE_ID");
    unique.Unique = true;
    Query->CheckData = {unique};

    Query->InsertData = {
        TInsertData{.FieldName = "CREATE_NAME", .Caption = "建档人员", .Value = App().UserName, .Kind = "A"},
        TInsertData::workingDate("CREATE_DATE", "建档日期"),
        TInsertData{.FieldName = "STOP_RIGHT", .Caption = "用户状态", .Value = Valid, .Kind = "A"},
        TInsertData{.FieldName = "SYS_USER", .Caption = "是否系统用户", .Value = No, .Kind = "A"},
    };
    Query->EditData = {TEditData{"EDIT_NAME", App().UserName}, TEditData::workingDate("EDIT_DATE")};

    // The default password is stored hashed, with a salt of its own for every new user.
    Query->AfterInsert = [this] {
        Query->fieldByName(QStringLiteral("USE_PASSWORD")).setValue(HashPassword(DefaultPassword));
    };
}

QWidget *TUserForm::buildListPage()
{
    auto *page = new QWidget(PageControl1);
    page->setObjectName(QStringLiteral("ListPage"));
    const auto addEdit = [this, page](QFormLayout *fields, const char *name, const QString &caption, const QString &field) {
        auto *edit = new TQXDBEdit(DS, field, page);
        edit->setObjectName(QLatin1String(name));
        fields->addRow(new QLabel(caption, page), edit);
        return edit;
    };
    auto *fields = new QFormLayout;
    DBEditUserId = addEdit(fields, "DBEditUserId", QStringLiteral("用户编号"), QStringLiteral("USE_ID"));
    DBEditUserId->setMaxLength(6);
    DBEditUserName = addEdit(fields, "DBEditUserName", QStringLiteral("用户姓名"), QStringLiteral("USE_NAME"));
    DBEditUserName->setMaxLength(MaxNameWidth);
    DBComboBoxStatus = new TQXDBComboBox(DS, QStringLiteral("STOP_RIGHT"), page);
    DBComboBoxStatus->setObjectName(QStringLiteral("DBComboBoxStatus"));
    DBComboBoxStatus->addItems({Valid, Stopped});
    fields->addRow(new QLabel(QStringLiteral("用户状态"), page), DBComboBoxStatus);
    DBEditNote = addEdit(fields, "DBEditNote", QStringLiteral("备注"), QStringLiteral("NOTE"));

    DBGrid1 = new TQXNDBGrid(page);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->SetFieldsData(Query->FieldsData);
    DBGrid1->setDataSource(DS);
    // System users: light green rows with black text, green text in the selected row.
    DBGrid1->OnApplyCellAttr = [](const GridCell &cell, TCellAttr &attr) {
        const TQXField *flag = cell.dataSet ? cell.dataSet->findField(QStringLiteral("SYS_USER")) : nullptr;
        if (!flag || cell.dataSet->value(cell.row, flag->index()).toString() != Yes)
            return;
        attr.Background = QColor(200, 255, 214);
        attr.FontColor = cell.selected ? QColor(0x00, 0xFF, 0x40) : QColor(Qt::black);
    };

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addWidget(DBGrid1, 1);
    return page;
}

void TUserForm::FormShow()
{
    TQXDForm::FormShow();
    // The user screen's commands do not depend on the rights table.
    Rights.add = true;
    Rights.print = true;
    SetupDataSource(*DS);
    button_add->setEnabled(true);
    button_edit->setEnabled(true);
    button_delete->setEnabled(true);
    button_print->setEnabled(true);
    PageControl1->Hook();
    Query->OpenQuery();
    RightsPage->LoadGroups();
    stateChanged(Query->state());
}

void TUserForm::stateChanged(TQXDataset::State state)
{
    const bool editing = state == TQXDataset::State::Edit || state == TQXDataset::State::Insert;
    QXChild->Options = editing ? TQXChild::TMoveOptions(TQXChild::moEnter)
                               : TQXChild::TMoveOptions(TQXChild::moEnter) | TQXChild::moUpDn;
    if (state == TQXDataset::State::Edit) {
        DBEditUserId->setReadOnly(true);
        colorControl(DBEditUserId->objectName(), DS->BrowseColor);
    }
}

void TUserForm::pageChanged(int page)
{
    const bool listPage = page == 0;
    for (QToolButton *button : {button_add, button_edit, button_delete, button_save, button_cancel, button_find, button_print})
        button->setEnabled(false);
    if (!listPage)
        return;
    button_add->setEnabled(Rights.add);
    button_edit->setEnabled(Rights.add);
    button_delete->setEnabled(Rights.add);
    button_find->setEnabled(true);
    button_print->setEnabled(Rights.print);
}

void TUserForm::button_addClick()
{
    Query->ActiveControl = QStringLiteral("DBEditUserId");
    TQXDForm::button_addClick();
}

// The user ID cannot change once stored: editing starts in the name.
void TUserForm::button_editClick()
{
    Query->ActiveControl = QStringLiteral("DBEditUserName");
    TQXDForm::button_editClick();
}

bool TUserForm::isSystemUserRow() const
{
    return Query->fieldByName(QStringLiteral("SYS_USER")).asText() == Yes;
}

void TUserForm::button_saveClick()
{
    if (!Query->isEditing()) {
        TQXDForm::button_saveClick();
        return;
    }
    if (isSystemUserRow() && DBComboBoxStatus->currentText() == Stopped) {
        ShowWarning(QStringLiteral("该用户是系统管理员,不能被停用"));
        Query->fieldByName(QStringLiteral("STOP_RIGHT")).setAsText(Valid);
        DBComboBoxStatus->setCurrentText(Valid);
        return;
    }
    if (gbkWidth(DBEditUserName->text().trimmed()) > MaxNameWidth) {
        ShowWarning(QStringLiteral("数据太大,不能保存数据"));
        DBEditUserName->setFocus();
        return;
    }
    const bool inserting = Query->state() == TQXDataset::State::Insert;
    TQXDForm::button_saveClick();
    if (inserting && Query->SaveOK())
        ShowWarning(QStringLiteral("新用户的口令是: ") + DefaultPassword + QStringLiteral(" "));
}

void TUserForm::button_deleteClick()
{
    if (!Query->isActive() || Query->isEmpty())
        return;
    if (isSystemUserRow()) {
        ShowWarning(QStringLiteral("该用户是系统管理员，不能被删除"));
        return;
    }
    const QString userId = Query->fieldByName(QStringLiteral("USE_ID")).asText();
    TQXDForm::button_deleteClick();
    if (!Query->SaveOK())
        return;
    // The user's rights go with him; a failure leaves them for the clean-up on close.
    try {
        DatabaseEngine::byName(MainDatabaseName).run(QStringLiteral("DELETE FROM SYS_RIGHT_TABLE WHERE USE_ID = ?"), {userId});
    } catch (const std::exception &) {
    }
}

void TUserForm::button_findClick()
{
    TFindSimpleFormDialog find(this);
    find.Caption = QStringLiteral("用户");
    find.SqlType = Query->SqlType;
    find.SetFieldsData(Query->FieldsData);
    if (!find.Execute())
        return;
    const QString sql = find.AllData()
                            ? QStringLiteral("SELECT * FROM SYS_USER_TABLE ") + QStringLiteral(" ORDER BY USE_ID")
                            : QStringLiteral("SELECT * FROM SYS_USER_TABLE WHERE ") + find.Condition()
                                  + QStringLiteral(" ORDER BY USE_ID");
    QuerySearchTarget target(*Query);
    RunSearch(target, sql);
}

void TUserForm::button_printClick()
{
    if (!Query->isActive())
        return;
    PrintUserList(*Query, this);
}

void TUserForm::FormClose()
{
    TQXDForm::FormClose();
    // Rows of users that no longer exist; failures are left for the next time.
    for (const QString &table : UserTables)
        ExecuteSQL(MainDatabaseName,
                   "DELETE FROM " + table + " WHERE NOT (USE_ID IN(SELECT USE_ID FROM SYS_USER_TABLE))");
}
