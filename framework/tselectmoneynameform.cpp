#include "tselectmoneynameform.h"

#include "appvalues.h"
#include "cjkfont.h"
#include "gridscreenhook.h"
#include "messageservice.h"
#include "querycommand.h"
#include "sqldialect.h"
#include "tqxdatasource.h"
#include "tqxdbedit.h"
#include "tqxdbgrid.h"
#include "tqxquery.h"
#include "uihelpers.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Table = QStringLiteral("QX_MONEY_NAME_TABLE");

} // namespace

TSelectMoneyNameForm::TSelectMoneyNameForm(QWidget *parent)
    : QDialog(parent), m_query(std::make_unique<TQXQuery>()), m_hook(std::make_unique<GridScreenHook>(this))
{
    setModal(true);
    setWindowTitle(QStringLiteral("帐款名称编辑选择窗口"));
    resize(404, 280);
    setFont(CjkFont(QStringLiteral("宋体"), 9));

    m_source = new TQXDataSource(this);
    m_source->setDataSet(m_query.get());
    auto *label = new QLabel(QStringLiteral("帐款名称"), this);
    m_valueBox = new TQXDBEdit(m_source, QStringLiteral("MONEY_NAME"), this);
    m_valueBox->setObjectName(QStringLiteral("ValueEdit"));
    m_grid = new TQXDBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid"));
    m_grid->setDataSource(m_source);
    m_hook->addGrid(m_grid);

    m_close = new QPushButton(QStringLiteral("关闭[F12]"), this);
    m_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    m_add = new QPushButton(QStringLiteral("增加[F5]"), this);
    m_edit = new QPushButton(QStringLiteral("编辑[F6]"), this);
    m_delete = new QPushButton(QStringLiteral("删除[F7]"), this);
    m_save = new QPushButton(QStringLiteral("保存[F8]"), this);
    m_cancel = new QPushButton(QStringLiteral("取消[F9]"), this);
    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_valueBox, 1);
    auto *buttons = new QGridLayout;
    const QList<QPushButton *> order{m_close, m_ok, m_add, m_edit, m_delete, m_save, m_cancel};
    for (int i = 0; i < order.size(); ++i) {
        order[i]->setAutoDefault(false);
        buttons->addWidget(order[i], i / 4, i % 4);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    m_query->setObjectName(QStringLiteral("Query"));
    m_query->setDatabaseName(MainDatabaseName);
    m_query->setTableName(Table, false);
    m_query->SqlSave = true;
    m_query->setScreenHook(m_hook.get());
    m_query->FieldsData = TFieldsDataArray{
        TFieldsData{.FieldName = QStringLiteral("MONEY_TYPE_ID"), .Visible = false},
        TFieldsData{.FieldName = QStringLiteral("MONEY_NAME"), .Caption = QStringLiteral("帐款名称"), .Required = true},
        TFieldsData{.FieldName = QStringLiteral("CREATE_NAME"), .Caption = QStringLiteral("建档人员")},
        TFieldsData{.FieldName = QStringLiteral("CREATE_DATE"), .Caption = QStringLiteral("建档日期"), .DataKind = QStringLiteral("D")},
        TFieldsData{.FieldName = QStringLiteral("EDIT_NAME"), .Caption = QStringLiteral("修改人员")},
        TFieldsData{.FieldName = QStringLiteral("EDIT_DATE"), .Caption = QStringLiteral("修改日期"), .DataKind = QStringLiteral("D")},
    };
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

    m_source->Button_Add = m_add;
    m_source->Button_Edit = m_edit;
    m_source->Button_Delete = m_delete;
    m_source->Button_Save = m_save;
    m_source->Button_Cancel = m_cancel;
    m_source->Button_Close = m_close;
    m_source->Button_Find = m_ok;

    connect(m_add, &QPushButton::clicked, this, &TSelectMoneyNameForm::Button_addClick);
    connect(m_edit, &QPushButton::clicked, this, &TSelectMoneyNameForm::Button_editClick);
    connect(m_delete, &QPushButton::clicked, this, &TSelectMoneyNameForm::Button_deleteClick);
    connect(m_save, &QPushButton::clicked, this, &TSelectMoneyNameForm::Button_saveClick);
    connect(m_cancel, &QPushButton::clicked, this, &TSelectMoneyNameForm::Button_cancelClick);
    connect(m_ok, &QPushButton::clicked, this, &TSelectMoneyNameForm::Button_okClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_query->isActive() && !m_query->isEmpty())
            press(m_ok);
    });
}

TSelectMoneyNameForm::~TSelectMoneyNameForm()
{
    m_grid->setDataSet(nullptr);
    m_query->CloseQuery();
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
    const AppValues &app = App();
    m_query->InsertData = TInsertDataArray{
        TInsertData{.FieldName = QStringLiteral("CREATE_NAME"), .Caption = QStringLiteral("建档人员"), .Value = app.UserName,
                    .Kind = QStringLiteral("A")},
        TInsertData::workingDate(QStringLiteral("CREATE_DATE"), QStringLiteral("建档日期"))};
    m_query->EditData = TEditDataArray{TEditData{.FieldName = QStringLiteral("EDIT_NAME"), .Value = app.UserName},
                                       TEditData::workingDate(QStringLiteral("EDIT_DATE"))};
    m_query->UserName = app.UserName;
    m_query->ColorOnFocus = AppValues::ColorOnFocus;
    m_source->RightAdd = m_source->RightEdit = m_source->RightDelete = true;
    m_source->EditColor = AppValues::EditColor;
    m_source->BrowseColor = AppValues::Color;
    m_source->ColorOnFocus = AppValues::ColorOnFocus;
    m_source->ActiveColor = true;
    m_source->Hook();
    ApplyInputMethod(m_valueBox, app.ImeName);
    RunQueryCommand(this, [this] {
        m_query->CloseQuery();
        m_query->setSql(QStringLiteral("SELECT * FROM  QX_MONEY_NAME_TABLE WHERE MONEY_TYPE_ID = ") + sqlText(MoneyTypeId));
        m_query->OpenQuery();
    });
}

void TSelectMoneyNameForm::Button_addClick()
{
    RunQueryCommand(this, [this] {
        m_query->AppendRecord();
        m_query->fieldByName(QStringLiteral("MONEY_TYPE_ID")).setAsText(MoneyTypeId);
    });
    m_valueBox->setFocus();
}

void TSelectMoneyNameForm::Button_editClick()
{
    if (m_query->isActive() && !m_query->isEmpty()) {
        RunQueryCommand(this, [this] { m_query->EditRecord(); });
        m_valueBox->setFocus();
    }
}

void TSelectMoneyNameForm::Button_deleteClick()
{
    if (m_query->isActive() && !m_query->isEmpty())
        RunQueryCommand(this, [this] { m_query->DeleteRecord(); });
}

void TSelectMoneyNameForm::Button_saveClick()
{
    RunQueryCommand(this, [this] {
        m_valueBox->binding().commit();
        if (m_query->isEditing())
            m_query->SaveRecord();
    });
    m_grid->setFocus();
}

void TSelectMoneyNameForm::Button_cancelClick()
{
    RunQueryCommand(this, [this] { m_query->CancelRecord(); });
    m_grid->setFocus();
}

void TSelectMoneyNameForm::Button_okClick()
{
    if (!m_query->isActive() || m_query->isEmpty()) {
        ShowWarning(QStringLiteral("必须选择一个记录"));
        return;
    }
    accept();
}

void TSelectMoneyNameForm::press(QPushButton *button)
{
    if (button->isEnabled())
        button->click();
}

void TSelectMoneyNameForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F5: press(m_add); return;
    case Qt::Key_F6: press(m_edit); return;
    case Qt::Key_F7: press(m_delete); return;
    case Qt::Key_F8: press(m_save); return;
    case Qt::Key_F9: press(m_cancel); return;
    case Qt::Key_F12: press(m_close); return;
    case Qt::Key_F3:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_query->isEditing())
            press(m_ok);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TSelectMoneyNameForm::closeEvent(QCloseEvent *event)
{
    if (m_query->isEditing()) {
        ShowWarning(QStringLiteral("必须保存或取消新增、修改的数据"));
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TSelectMoneyNameForm::reject()
{
    if (m_query->isEditing()) {
        ShowWarning(QStringLiteral("必须保存或取消新增、修改的数据"));
        return;
    }
    QDialog::reject();
}
