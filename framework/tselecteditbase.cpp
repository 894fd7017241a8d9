#include "tselecteditbase.h"

#include "appvalues.h"
#include "cjkfont.h"
#include "datagridview.h"
#include "gridscreenhook.h"
#include "messageservice.h"
#include "querycommand.h"
#include "tqxdatasource.h"
#include "tqxdbedit.h"
#include "tqxquery.h"
#include "uihelpers.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace {

const QString UnsavedWarning = QStringLiteral("必须保存或取消新增、修改的数据");

} // namespace

TSelectEditBase::TSelectEditBase(QWidget *parent)
    : QDialog(parent), m_query(std::make_unique<TQXQuery>()), m_hook(std::make_unique<GridScreenHook>(this))
{
    setModal(true);
    setFont(CjkFont(QStringLiteral("宋体"), 9));

    m_source = new TQXDataSource(this);
    m_source->setDataSet(m_query.get());

    m_query->setObjectName(QStringLiteral("Query"));
    m_query->setDatabaseName(MainDatabaseName);
    m_query->SqlSave = true;
    m_query->setScreenHook(m_hook.get());
}

TSelectEditBase::~TSelectEditBase()
{
    if (m_gridView)
        m_gridView->setDataSet(nullptr);
    m_query->CloseQuery();
}

TFieldsDataArray TSelectEditBase::WithAuditFields(std::initializer_list<TFieldsData> own)
{
    TFieldsDataArray fields(own);
    for (const TFieldsData &audit : {
        TFieldsData{.FieldName = QStringLiteral("CREATE_NAME"), .Caption = QStringLiteral("建档人员")},
        TFieldsData{.FieldName = QStringLiteral("CREATE_DATE"), .Caption = QStringLiteral("建档日期"), .DataKind = QStringLiteral("D")},
        TFieldsData{.FieldName = QStringLiteral("EDIT_NAME"), .Caption = QStringLiteral("修改人员")},
        TFieldsData{.FieldName = QStringLiteral("EDIT_DATE"), .Caption = QStringLiteral("修改日期"), .DataKind = QStringLiteral("D")},
    })
        fields.append(audit);
    return fields;
}

void TSelectEditBase::attachViews(DataGridView *grid, TQXDBEdit *valueBox)
{
    m_gridView = grid;
    m_valueBox = valueBox;
    // Created after the views, so the tab order runs from the views to the buttons.
    m_close = new QPushButton(QStringLiteral("关闭[F12]"), this);
    m_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    m_add = new QPushButton(QStringLiteral("增加[F5]"), this);
    m_edit = new QPushButton(QStringLiteral("编辑[F6]"), this);
    m_delete = new QPushButton(QStringLiteral("删除[F7]"), this);
    m_save = new QPushButton(QStringLiteral("保存[F8]"), this);
    m_cancel = new QPushButton(QStringLiteral("取消[F9]"), this);
    connect(m_gridView, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_query->isActive() && !m_query->isEmpty())
            press(m_ok);
    });
}

QGridLayout *TSelectEditBase::buttonGrid(const QList<QPushButton *> &order) const
{
    auto *buttons = new QGridLayout;
    for (int i = 0; i < order.size(); ++i) {
        order[i]->setAutoDefault(false);
        buttons->addWidget(order[i], i / 4, i % 4);
    }
    return buttons;
}

void TSelectEditBase::wireButtons(QPushButton *find)
{
    m_source->Button_Add = m_add;
    m_source->Button_Edit = m_edit;
    m_source->Button_Delete = m_delete;
    m_source->Button_Save = m_save;
    m_source->Button_Cancel = m_cancel;
    m_source->Button_Close = m_close;
    m_source->Button_Find = find;

    connect(m_add, &QPushButton::clicked, this, &TSelectEditBase::Button_addClick);
    connect(m_edit, &QPushButton::clicked, this, &TSelectEditBase::Button_editClick);
    connect(m_delete, &QPushButton::clicked, this, &TSelectEditBase::Button_deleteClick);
    connect(m_save, &QPushButton::clicked, this, &TSelectEditBase::Button_saveClick);
    connect(m_cancel, &QPushButton::clicked, this, &TSelectEditBase::Button_cancelClick);
    connect(m_ok, &QPushButton::clicked, this, &TSelectEditBase::Button_okClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
}

void TSelectEditBase::prepareForShow()
{
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
}

void TSelectEditBase::Button_addClick()
{
    RunQueryCommand(this, [this] {
        m_query->AppendRecord();
        fillNewRecord();
    });
    m_valueBox->setFocus();
}

void TSelectEditBase::Button_editClick()
{
    if (m_query->isActive() && !m_query->isEmpty()) {
        RunQueryCommand(this, [this] { m_query->EditRecord(); });
        m_valueBox->setFocus();
    }
}

void TSelectEditBase::Button_deleteClick()
{
    if (m_query->isActive() && !m_query->isEmpty())
        RunQueryCommand(this, [this] { m_query->DeleteRecord(); });
}

void TSelectEditBase::Button_saveClick()
{
    RunQueryCommand(this, [this] {
        m_valueBox->binding().commit();
        if (m_query->isEditing())
            m_query->SaveRecord();
    });
    m_gridView->setFocus();
}

void TSelectEditBase::Button_cancelClick()
{
    RunQueryCommand(this, [this] { m_query->CancelRecord(); });
    m_gridView->setFocus();
}

void TSelectEditBase::Button_okClick()
{
    if (!m_query->isActive() || m_query->isEmpty()) {
        ShowWarning(QStringLiteral("必须选择一个记录"));
        return;
    }
    accept();
}

void TSelectEditBase::press(QPushButton *button)
{
    if (button->isEnabled())
        button->click();
}

void TSelectEditBase::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F5: press(m_add); return;
    case Qt::Key_F6: press(m_edit); return;
    case Qt::Key_F7: press(m_delete); return;
    case Qt::Key_F8: press(m_save); return;
    case Qt::Key_F9: press(m_cancel); return;
    case Qt::Key_F12: press(m_close); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_enterChooses)
            return;
        [[fallthrough]];
    case Qt::Key_F3:
        if (!m_query->isEditing())
            press(m_ok);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TSelectEditBase::closeEvent(QCloseEvent *event)
{
    if (m_query->isEditing()) {
        ShowWarning(UnsavedWarning);
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TSelectEditBase::reject()
{
    if (m_query->isEditing()) {
        ShowWarning(UnsavedWarning);
        return;
    }
    QDialog::reject();
}
