#include "tdeptform.h"

#include "appvalues.h"
#include "screenmessages.h"
#include "tqxdbedit.h"
#include "tqxquery.h"
#include "tqxtreeview.h"
#include "treetable.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>

const QString TDeptForm::OrganisationParent = QStringLiteral("G002");

namespace {

TQXDBEdit *boundEdit(TQXDataSource *source, const QString &field, const char *name, QWidget *parent, int maxLength)
{
    auto *edit = new TQXDBEdit(source, field, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    return edit;
}

QString usageStatement(const QString &table)
{
    return QStringLiteral("SELECT COUNT(COMPANY_ID) FROM ") + table + QStringLiteral(" WHERE COMPANY_ID ='");
}

} // namespace

TDeptForm::TDeptForm(QWidget *owner)
    : TCategoryForm(Setup(), owner),
      DBEditPhone(boundEdit(DS, QStringLiteral("COMPANY_PHONE"), "DBEditPhone", RecordBox, 40)),
      CompanyPanel(new QGroupBox(QStringLiteral("单位资料"), RecordPages)),
      DBEditCompanyName(boundEdit(DS, QStringLiteral("COMPANY_NAME"), "DBEditCompanyName", CompanyPanel, 30)),
      DBEditCompanyAddress(boundEdit(DS, QStringLiteral("COMPANY_ADDRESS"), "DBEditCompanyAddress", CompanyPanel, 60)),
      DBEditCompanyPostcode(boundEdit(DS, QStringLiteral("COMPANY_POSTCODE"), "DBEditCompanyPostcode", CompanyPanel, 10)),
      DBEditCompanyPhone(boundEdit(DS, QStringLiteral("COMPANY_PHONE"), "DBEditCompanyPhone", CompanyPanel, 40)),
      DBEditCompanyFax(boundEdit(DS, QStringLiteral("COMPANY_FAX"), "DBEditCompanyFax", CompanyPanel, 20)),
      DBEditAccountNumber(boundEdit(DS, QStringLiteral("ACCOUNT_NUMBER"), "DBEditAccountNumber", CompanyPanel, 20)),
      DBEditCompanyBank(boundEdit(DS, QStringLiteral("COMPANY_BANK"), "DBEditCompanyBank", CompanyPanel, 40)),
      DBEditCompanyNote(boundEdit(DS, QStringLiteral("NOTE"), "DBEditCompanyNote", CompanyPanel, 40)),
      DBEditCompanyEmail(boundEdit(DS, QStringLiteral("COMPANY_EMAIL"), "DBEditCompanyEmail", CompanyPanel, 30))
{
    DBEditName->setMaxLength(40);
    InsertRecordRow(2, QStringLiteral("部门电话"), DBEditPhone);
    setUpQuery();
    layOutCompanyPanel();
    connect(QXTreeView, &QTreeWidget::itemClicked, this, [this] { ShowMatchingPanel(); });
    ShowMatchingPanel();
}

TCategorySetup TDeptForm::Setup()
{
    return TCategorySetup{
        .table = &TreeTable::Dept(),
        .objectName = QStringLiteral("DeptForm"),
        .windowCaption = QStringLiteral("单位部门资料录入编辑窗口"),
        .programName = QStringLiteral("单位部门资料录入编辑"),
        .orderCaption = QStringLiteral("序号"),
        .idPrefix = QStringLiteral("B"),
        // Vehicles, work tasks and repairs are filed under departments as well: a department
        // they still name would leave them without one.
        .usageChecks = {{usageStatement(QStringLiteral("QX_EMPLOYEE_TABLE")),
                         QStringLiteral("有该部门的员工记录的引用,该部门记录不能删除")},
                        {usageStatement(QStringLiteral("QX_INTO_OUT_MONEY_TABLE")),
                         QStringLiteral("有该部门的收支记录的引用,该部门记录不能删除")},
                        {usageStatement(QStringLiteral("QX_CAR_TABLE")),
                         QStringLiteral("有该部门的车辆资料的引用,该部门记录不能删除")},
                        {usageStatement(QStringLiteral("QX_CAR_WORK_TABLE")),
                         QStringLiteral("有该部门的车辆工作记录的引用,该部门记录不能删除")},
                        {usageStatement(QStringLiteral("QX_CAR_REPAIR_TABLE")),
                         QStringLiteral("有该部门的车辆维修记录的引用,该部门记录不能删除")}},
        .print = TCategoryPrint::Layout{.title = QStringLiteral("单位部门资料"),
                                        .report = QStringLiteral("RepDept"),
                                        .sequenceReport = QStringLiteral("RepDeptOrder"),
                                        .exportName = QStringLiteral("公司部门组织结构报表"),
                                        .sequenceExportName = QStringLiteral("单位部门资料"),
                                        .nameHeading = QStringLiteral("部门名称"),
                                        .sequenceNameHeading = QStringLiteral("名称"),
                                        .nameExportCaption = QStringLiteral("部门名称"),
                                        .columns = {{QStringLiteral("COMPANY_PHONE"), QStringLiteral("联系电话"),
                                                     QStringLiteral("电话")},
                                                    {QStringLiteral("NOTE"), QString(), QStringLiteral("备注")}}},
        .word = QStringLiteral("部门"),
        .rootCaption = App().CompanyName,
        .nameCaption = QStringLiteral("部门名称"),
        .recordTitle = QStringLiteral("部门资料"),
        .maxLevel = 0,
        .siblingWhere = QStringLiteral(" PRIOR_ID = '"),
        .recordWhere = QStringLiteral(" WHERE "),
    };
}

void TDeptForm::setUpQuery()
{
    const auto text = [](const char *field, const char *caption) {
        return TFieldsData{.FieldName = QLatin1String(field), .Caption = QString::fromUtf8(caption)};
    };
    // ORDER_ID is an integer column: checked as a number before it reaches the database.
    Query->FieldsData = {
        TFieldsData{.FieldName = QStringLiteral("ORDER_ID"), .Caption = QStringLiteral("序号"), .DataKind = QStringLiteral("N"),
                    .Required = true},
        TFieldsData{.FieldName = QStringLiteral("COMPANY_ID"), .Caption = QStringLiteral("纪录编号"), .Required = true},
        TFieldsData{.FieldName = QStringLiteral("COMPANY_NAME"), .Caption = QStringLiteral("单位名称"), .Required = true},
        text("COMPANY_ADDRESS", "单位地址"),
        text("COMPANY_POSTCODE", "邮编"),
        text("COMPANY_PHONE", "电话"),
        text("COMPANY_FAX", "传真"),
        text("COMPANY_EMAIL", "电子邮箱"),
        text("ACCOUNT_NUMBER", "银行账号"),
        text("COMPANY_BANK", "开户银行"),
        TFieldsData{.FieldName = QStringLiteral("PRIOR_ID"), .Caption = QStringLiteral("PRIOR_ID"), .Required = true},
        text("NOTE", "备注"),
        text("CREATE_NAME", "建档人员"),
        TFieldsData{.FieldName = QStringLiteral("CREATE_DATE"), .Caption = QStringLiteral("建档日期"), .DataKind = QStringLiteral("D")},
        text("EDIT_NAME", "修改人员"),
        TFieldsData{.FieldName = QStringLiteral("EDIT_DATE"), .Caption = QStringLiteral("修改日期"), .DataKind = QStringLiteral("D")},
    };
    // COMPANY_CARD, COMPANY_TAX_NUMBER and COMPANY_PRINCIPAL are not written: they keep
    // their stored values.
    SetWrittenColumns({QStringLiteral("COMPANY_ID"), QStringLiteral("PRIOR_ID"), QStringLiteral("COMPANY_NAME"),
                       QStringLiteral("COMPANY_ADDRESS"), QStringLiteral("COMPANY_POSTCODE"), QStringLiteral("COMPANY_PHONE"),
                       QStringLiteral("COMPANY_FAX"), QStringLiteral("COMPANY_EMAIL"), QStringLiteral("ACCOUNT_NUMBER"),
                       QStringLiteral("COMPANY_BANK"), QStringLiteral("ORDER_ID"), QStringLiteral("NOTE"),
                       QStringLiteral("CREATE_NAME"), QStringLiteral("CREATE_DATE"), QStringLiteral("EDIT_NAME"),
                       QStringLiteral("EDIT_DATE")});
    useNameBox(DBEditName);
}

void TDeptForm::layOutCompanyPanel()
{
    auto *grid = new QGridLayout(CompanyPanel);
    const auto add = [grid](int row, int column, const QString &caption, QWidget *edit, int span = 1) {
        auto *label = new QLabel(caption, edit->parentWidget());
        label->setBuddy(edit);
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1, 1, span);
    };
    add(0, 0, QStringLiteral("单位名称"), DBEditCompanyName, 3);
    add(1, 0, QStringLiteral("单位地址"), DBEditCompanyAddress, 3);
    add(2, 0, QStringLiteral("邮编"), DBEditCompanyPostcode);
    add(2, 2, QStringLiteral("电话"), DBEditCompanyPhone);
    add(3, 0, QStringLiteral("传真"), DBEditCompanyFax);
    add(3, 2, QStringLiteral("E_MAIL"), DBEditCompanyEmail);
    add(4, 0, QStringLiteral("单位帐号"), DBEditAccountNumber);
    add(4, 2, QStringLiteral("开户银行"), DBEditCompanyBank);
    add(5, 0, QStringLiteral("备注"), DBEditCompanyNote, 3);
    RecordPages->addWidget(CompanyPanel);
}

void TDeptForm::useNameBox(TQXDBEdit *box)
{
    Query->ActiveControl = box->objectName();
    for (TFieldsData &field : Query->FieldsData) {
        if (field.FieldName == QLatin1String("COMPANY_NAME"))
            field.FocusControl = box;
    }
}

void TDeptForm::FormShow()
{
    TCategoryForm::FormShow();
    m_departmentInsertData = Query->InsertData;
    m_organisationInsertData = TInsertDataArray();
    for (const TInsertData &entry : m_departmentInsertData) {
        if (entry.FieldName == QLatin1String("COMPANY_ID"))
            continue;
        TInsertData organisation = entry;
        if (entry.FieldName == QLatin1String("ORDER_ID"))
            organisation.Where = TCategoryForm::Setup().siblingWhere + OrganisationParent + QStringLiteral("'");
        m_organisationInsertData.append(organisation);
    }
}

void TDeptForm::ShowMatchingPanel()
{
    if (QTreeWidgetItem *node = SelectedNode())
        RecordPages->setCurrentWidget(TQXTreeView::Level(node) == 0 ? CompanyPanel : static_cast<QWidget *>(RecordBox));
}

void TDeptForm::QXTreeViewChange(QTreeWidgetItem *node)
{
    TCategoryForm::QXTreeViewChange(node);
    ShowMatchingPanel();
}

void TDeptForm::DSStateChange(TQXDataset::State state)
{
    TCategoryForm::DSStateChange(state);
    if (state != TQXDataset::State::Edit && state != TQXDataset::State::Insert)
        ShowMatchingPanel();
}

void TDeptForm::button_addClick()
{
    if (SelectedNode()) {
        m_organisationMode = false;
        useNameBox(DBEditName);
        Query->InsertData = m_departmentInsertData;
    }
    TCategoryForm::button_addClick();
    if (Query->state() == TQXDataset::State::Insert) {
        RecordPages->setCurrentWidget(RecordBox);
        DBEditName->setFocus();
    }
}

void TDeptForm::button_editClick()
{
    if (!SelectedNode() || SelectedId() != RootId) {
        if (SelectedNode()) {
            m_organisationMode = false;
            useNameBox(DBEditName);
        }
        TCategoryForm::button_editClick();
        if (Query->state() == TQXDataset::State::Edit) {
            RecordPages->setCurrentWidget(RecordBox);
            DBEditName->setFocus();
        }
        return;
    }
    m_organisationMode = true;
    useNameBox(DBEditCompanyName);
    RecordPages->setCurrentWidget(CompanyPanel);
    if (Query->isActive() && Query->isEmpty()) {
        // No organisation row yet: this edit creates it.
        Query->InsertData = m_organisationInsertData;
        TQXDForm::button_addClick();
        if (Query->state() == TQXDataset::State::Insert) {
            Query->fieldByName(QStringLiteral("COMPANY_ID")).setAsText(RootId);
            Query->fieldByName(QStringLiteral("PRIOR_ID")).setAsText(OrganisationParent);
        }
    } else {
        TQXDForm::button_editClick();
    }
    DBEditCompanyName->setFocus();
}

void TDeptForm::button_saveClick()
{
    const bool organisation = m_organisationMode && SelectedId() == RootId && Query->isEditing();
    if (organisation) {
        // The organisation row keeps its fixed identifiers whatever the insert values were.
        Query->fieldByName(QStringLiteral("COMPANY_ID")).setAsText(RootId);
        Query->fieldByName(QStringLiteral("PRIOR_ID")).setAsText(OrganisationParent);
        Query->fieldByName(QStringLiteral("COMPANY_NAME")).setAsText(DBEditCompanyName->text());
    }
    TCategoryForm::button_saveClick();
    ShowMatchingPanel();
    LoadSelectedRecord();
    if (organisation && Query->SaveOK()) {
        App().CompanyName = DBEditCompanyName->text();
        emit ScreenMessages::instance().companyNameChanged();
    }
}
