#include "tselectmoneynameform.h"

#include "appvalues.h"
#include "gridscreenhook.h"
#include "querycommand.h"
#include "sqldialect.h"
#include "tqxdatasource.h"
#include "tqxdbedit.h"
#include "tqxdbgrid.h"
#include "tqxquery.h"
#include "uihelpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Table = QStringLiteral("QX_MONEY_NAME_TABLE");

} // namespace

TSelectMoneyNameForm::TSelectMoneyNameForm(QWidget *parent)
    : TSelectEditBase(parent)
{
    setWindowTitle(QStringLiteral("帐款名称编辑选择窗口"));
    resize(404, 280);
    m_enterChooses = true;

    auto *label = new QLabel(QStringLiteral("帐款名称"), this);
    auto *valueBox = new TQXDBEdit(m_source, QStringLiteral("MONEY_NAME"), this);
    valueBox->setObjectName(QStringLiteral("ValueEdit"));
    m_grid = new TQXDBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid"));
    m_grid->setDataSource(m_source);
    m_hook->addGrid(m_grid);
    attachViews(m_grid, valueBox);

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_valueBox, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttonGrid({m_close, m_ok, m_add, m_edit, m_delete, m_save, m_cancel}));

    m_query->setTableName(Table, false);
    m_query->FieldsData = WithAuditFields({
        TFieldsData{.FieldName = QStringLiteral("MONEY_TYPE_ID"), .Visible = false},
        TFieldsData{.FieldName = QStringLiteral("MONEY_NAME"), .Caption = QStringLiteral("帐款名称"), .Required = true},
    });
    m_grid->SetFieldsData(m_query->FieldsData);
    TCheckData unique;
    unique.Items = {TCheckItem{.FieldName = QStringLiteral("MONEY_NAME"), .ColumnName = QStringLiteral("MONEY_NAME")},
                    TCheckItem{.FieldName = QStringLiteral("MONEY_TYPE_ID"), .ColumnName = QStringLiteral("MONEY_TYPE_ID")}};
    unique.SqlHead = QStringLiteral("SELECT MONEY_NAME FROM QX_MONEY_NAME_TABLE WHERE ");
    unique.TriggerField = QStringLiteral("MONEY_NAME");
    unique.Message = QStringLiteral("已有该帐款名称,帐款名称重复");
    unique.FocusControl = m_valueBox;
    unique.Unique = true;
    m_query->CheckData = TCheckDataArray{unique};
    m_query->UpdateSQL.ModifySQL = QStringList{
        QStringLiteral("update QX_MONEY_NAME_TABLE"), QStringLiteral("set"), QStringLiteral("  MONEY_TYPE_ID = :MONEY_TYPE_ID,"),
        QStringLiteral("  MONEY_NAME = :MONEY_NAME,"), QStringLiteral("  EDIT_NAME = :EDIT_NAME,"),
        QStringLiteral("  EDIT_DATE = :EDIT_DATE,"), QStringLiteral("  CREATE_NAME = :CREATE_NAME,"),
        QStringLiteral("  CREATE_DATE = :CREATE_DATE"), QStringLiteral("where"),
        QStringLiteral("  MONEY_TYPE_ID = :OLD_MONEY_TYPE_ID and"), QStringLiteral("  MONEY_NAME = :OLD_MONEY_NAME")};
    m_query->UpdateSQL.InsertSQL = QStringList{
        QStringLiteral("insert into QX_MONEY_NAME_TABLE"),
        QStringLiteral("  (MONEY_TYPE_ID, MONEY_NAME, EDIT_NAME, EDIT_DATE, CREATE_NAME, CREATE_DATE)"), QStringLiteral("values"),
        QStringLiteral("  (:MONEY_TYPE_ID, :MONEY_NAME, :EDIT_NAME, :EDIT_DATE, :CREATE_NAME, :CREATE_DATE)")};
    m_query->UpdateSQL.DeleteSQL = QStringList{QStringLiteral("delete from QX_MONEY_NAME_TABLE"), QStringLiteral("where"),
                                               QStringLiteral("  MONEY_TYPE_ID = :OLD_MONEY_TYPE_ID and"),
                                               QStringLiteral("  MONEY_NAME = :OLD_MONEY_NAME")};

    wireButtons(m_ok);
}

QString TSelectMoneyNameForm::SelectedValue() const
{
    const TQXField *field = m_query->isActive() ? m_query->findField(QStringLiteral("MONEY_NAME")) : nullptr;
    return field ? field->asText() : QString();
}

void TSelectMoneyNameForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
    prepareForShow();
    ApplyInputMethod(m_valueBox, App().ImeName);
    RunQueryCommand(this, [this] {
        m_query->CloseQuery();
        m_query->setSql(QStringLiteral("SELECT * FROM  QX_MONEY_NAME_TABLE WHERE MONEY_TYPE_ID = ") + sqlText(MoneyTypeId));
        m_query->OpenQuery();
    });
}

void TSelectMoneyNameForm::fillNewRecord()
{
    m_query->fieldByName(QStringLiteral("MONEY_TYPE_ID")).setAsText(MoneyTypeId);
}
