#include "tselecteditform.h"

#include "appvalues.h"
#include "cjkfont.h"
#include "findcondition.h"
#include "gridscreenhook.h"
#include "messageservice.h"
#include "querycommand.h"
#include "tagproperty.h"
#include "tqxdatasource.h"
#include "tqxdbedit.h"
#include "tqxedit.h"
#include "tqxndbgrid.h"
#include "tqxquery.h"
#include "uihelpers.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const QString SearchLabel = QStringLiteral("按回车键进行查找");

} // namespace

TSelectEditForm::TSelectEditForm(QWidget *parent)
    : QDialog(parent), m_query(std::make_unique<TQXQuery>()), m_hook(std::make_unique<GridScreenHook>(this))
{
    setModal(true);
    setWindowTitle(QStringLiteral("数据选择编辑窗口"));
    resize(404, 293);
    setFont(CjkFont(QStringLiteral("宋体"), 9));

    m_source = new TQXDataSource(this);
    m_source->setDataSet(m_query.get());
    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_boxes = new QStackedWidget(this);
    m_valueBox = new TQXDBEdit(m_boxes);
    m_valueBox->setObjectName(QStringLiteral("ValueEdit"));
    m_valueBox->setDataSource(m_source);
    m_searchBox = new TQXEdit(m_boxes);
    m_searchBox->setObjectName(QStringLiteral("SearchEdit"));
    SetTag(m_searchBox, 100);  // usable in browse: the data source leaves it alone
    m_boxes->addWidget(m_valueBox);
    m_boxes->addWidget(m_searchBox);
    m_grid = new TQXNDBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid"));
    m_grid->setDataSet(m_query.get());
    m_hook->addGrid(m_grid);

    m_close = new QPushButton(QStringLiteral("关闭[F12]"), this);
    m_ok = new QPushButton(QStringLiteral("确定[F3]"), this);
    m_add = new QPushButton(QStringLiteral("增加[F5]"), this);
    m_edit = new QPushButton(QStringLiteral("编辑[F6]"), this);
    m_delete = new QPushButton(QStringLiteral("删除[F7]"), this);
    m_save = new QPushButton(QStringLiteral("保存[F8]"), this);
    m_cancel = new QPushButton(QStringLiteral("取消[F9]"), this);
    m_allData = new QPushButton(QStringLiteral("全部数据"), this);

    auto *top = new QHBoxLayout;
    top->addWidget(m_label, 1);
    top->addWidget(m_boxes, 2);
    auto *buttons = new QGridLayout;
    const QList<QPushButton *> order{m_close, m_ok, m_add, m_edit, m_delete, m_save, m_cancel, m_allData};
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
    m_query->SqlSave = true;
    m_query->SqlType = App().SqlType;
    m_query->setScreenHook(m_hook.get());
    m_query->AfterScroll = [this] { showValueInSearchBox(); };
    m_query->AfterPost = [this] { showValueInSearchBox(); };

    m_source->Button_Add = m_add;
    m_source->Button_Edit = m_edit;
    m_source->Button_Delete = m_delete;
    m_source->Button_Save = m_save;
    m_source->Button_Cancel = m_cancel;
    m_source->Button_Close = m_close;
    m_source->Button_Find = m_allData;
    m_source->OnStateChange = [this](TQXDataset::State) { stateChanged(); };
    m_valueBox->colors().setNormalColor(QColor::fromRgb(AppValues::Color));
    m_valueBox->colors().setColorOnFocus(QColor::fromRgb(AppValues::ColorOnFocus));
    ApplyInputMethod(this, App().ImeName);

    connect(m_add, &QPushButton::clicked, this, &TSelectEditForm::Button_addClick);
    connect(m_edit, &QPushButton::clicked, this, &TSelectEditForm::Button_editClick);
    connect(m_delete, &QPushButton::clicked, this, &TSelectEditForm::Button_deleteClick);
    connect(m_save, &QPushButton::clicked, this, &TSelectEditForm::Button_saveClick);
    connect(m_cancel, &QPushButton::clicked, this, &TSelectEditForm::Button_cancelClick);
    connect(m_allData, &QPushButton::clicked, this, &TSelectEditForm::Button_findClick);
    connect(m_ok, &QPushButton::clicked, this, &TSelectEditForm::Button_okClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_searchBox, &QLineEdit::returnPressed, this, &TSelectEditForm::Search);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_query->isActive() && !m_query->isEmpty())
            press(m_ok);
    });
}

TSelectEditForm::~TSelectEditForm()
{
    m_grid->setDataSet(nullptr);
    m_query->CloseQuery();
}

void TSelectEditForm::SetupList(const QString &column, const QString &caption, const QString &table)
{
    m_column = column;
    m_caption = caption;
    m_table = table;
    m_baseSql = QStringLiteral("SELECT *  FROM ") + table + QStringLiteral(" ORDER BY ") + column;
    m_query->setTableName(table.trimmed(), false);
    m_query->setSql(m_baseSql);
    m_valueBox->setDataField(column);
    m_query->FieldsData = TFieldsDataArray{
        TFieldsData{.FieldName = column, .Caption = caption, .Required = true},
        TFieldsData{.FieldName = QStringLiteral("CREATE_NAME"), .Caption = QStringLiteral("建档人员")},
        TFieldsData{.FieldName = QStringLiteral("CREATE_DATE"), .Caption = QStringLiteral("建档日期"), .DataKind = QStringLiteral("D")},
        TFieldsData{.FieldName = QStringLiteral("EDIT_NAME"), .Caption = QStringLiteral("修改人员")},
        TFieldsData{.FieldName = QStringLiteral("EDIT_DATE"), .Caption = QStringLiteral("修改日期"), .DataKind = QStringLiteral("D")},
    };
    m_grid->SetFieldsData(m_query->FieldsData);
    m_grid->ForgetSetup();

    m_query->UpdateSQL.ModifySQL = QStringList{
        QStringLiteral("UPDATE ") + table, QStringLiteral("SET"), QStringLiteral("  ") + column + QStringLiteral(" = :") + column + QLatin1Char(','),
        QStringLiteral("  EDIT_NAME = :EDIT_NAME,"), QStringLiteral("  EDIT_DATE = :EDIT_DATE,"),
        QStringLiteral("  CREATE_NAME = :CREATE_NAME,"), QStringLiteral("  CREATE_DATE = :CREATE_DATE"), QStringLiteral("WHERE"),
        QStringLiteral("  ") + column + QStringLiteral(" = :OLD_") + column};
    m_query->UpdateSQL.InsertSQL = QStringList{
        QStringLiteral("INSERT INTO ") + table, QStringLiteral("  (") + column + QStringLiteral(", EDIT_NAME, EDIT_DATE, CREATE_NAME, CREATE_DATE)"),
        QStringLiteral("VALUES"), QStringLiteral("  (:") + column + QStringLiteral(", :EDIT_NAME, :EDIT_DATE, :CREATE_NAME, :CREATE_DATE)")};
    m_query->UpdateSQL.DeleteSQL = QStringList{QStringLiteral("DELETE FROM ") + table, QStringLiteral("WHERE"),
                                               QStringLiteral("  ") + column + QStringLiteral(" = :OLD_") + column};

    m_label->setText(caption);
    setWindowTitle(caption + QStringLiteral("数据选择编辑窗口"));
    TCheckData unique;
    unique.Items = {TCheckItem{.FieldName = column, .ColumnName = column, .Kind = QStringLiteral("C")}};
    unique.SqlHead = QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ");
    unique.TriggerField = column;
    unique.Message = caption + QStringLiteral("重复");
    unique.Unique = true;
    m_query->CheckData = TCheckDataArray{unique};
}

QString TSelectEditForm::SearchSql(const QString &text) const
{
    return QStringLiteral("SELECT * FROM ") + m_table + QStringLiteral(" WHERE ") + m_column + QLatin1Char(' ')
        + LikeContains(text.trimmed()) + QStringLiteral(" ORDER BY ") + m_column;
}

QString TSelectEditForm::SelectedValue() const
{
    const TQXField *field = m_query->isActive() ? m_query->findField(m_column) : nullptr;
    return field ? field->asText() : QString();
}

void TSelectEditForm::showEvent(QShowEvent *event)
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
    m_source->SwitchControls();
    ApplyInputMethod(m_valueBox, app.ImeName);
    RunQueryCommand(this, [this] { m_query->OpenQuery(); });
    if (TQXField *field = m_query->findField(m_column)) {
        field->setDisplayWidth(60);
        m_grid->ForgetSetup();
        m_grid->SetupColumns();
    }
    stateChanged();
}

void TSelectEditForm::stateChanged()
{
    const bool editing = m_query->isEditing();
    m_label->setText(editing ? m_caption : SearchLabel);
    m_boxes->setCurrentWidget(editing ? static_cast<QWidget *>(m_valueBox) : m_searchBox);
    m_ok->setEnabled(m_add->isEnabled());
}

void TSelectEditForm::showValueInSearchBox()
{
    m_searchBox->setText(m_valueBox->text());
}

void TSelectEditForm::reopen(const QString &sql)
{
    RunQueryCommand(this, [&] {
        m_query->CloseQuery();
        m_query->setSql(sql);
        m_query->OpenQuery();
    });
}

void TSelectEditForm::Button_addClick()
{
    RunQueryCommand(this, [this] { m_query->AppendRecord(); });
    m_valueBox->setFocus();
}

void TSelectEditForm::Button_editClick()
{
    if (m_query->isActive() && !m_query->isEmpty()) {
        RunQueryCommand(this, [this] { m_query->EditRecord(); });
        m_valueBox->setFocus();
    }
}

void TSelectEditForm::Button_deleteClick()
{
    if (m_query->isActive() && !m_query->isEmpty())
        RunQueryCommand(this, [this] { m_query->DeleteRecord(); });
}

void TSelectEditForm::Button_saveClick()
{
    RunQueryCommand(this, [this] {
        m_valueBox->binding().commit();
        if (m_query->isEditing())
            m_query->SaveRecord();
    });
    m_grid->setFocus();
}

void TSelectEditForm::Button_cancelClick()
{
    RunQueryCommand(this, [this] { m_query->CancelRecord(); });
    m_grid->setFocus();
}

void TSelectEditForm::Button_findClick()
{
    reopen(m_baseSql);
}

void TSelectEditForm::Button_okClick()
{
    if (!m_query->isActive() || m_query->isEmpty()) {
        ShowWarning(QStringLiteral("必须选择一个记录"));
        return;
    }
    accept();
}

void TSelectEditForm::Search()
{
    reopen(SearchSql(m_searchBox->text()));
    m_searchBox->setFocus();
}

void TSelectEditForm::press(QPushButton *button)
{
    if (button->isEnabled())
        button->click();
}

void TSelectEditForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F5: press(m_add); return;
    case Qt::Key_F6: press(m_edit); return;
    case Qt::Key_F7: press(m_delete); return;
    case Qt::Key_F8: press(m_save); return;
    case Qt::Key_F9: press(m_cancel); return;
    case Qt::Key_F3:
        if (!m_query->isEditing())
            press(m_ok);
        return;
    case Qt::Key_F12: press(m_close); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TSelectEditForm::closeEvent(QCloseEvent *event)
{
    if (m_query->isEditing()) {
        ShowWarning(QStringLiteral("必须保存或取消新增、修改的数据"));
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TSelectEditForm::reject()
{
    if (m_query->isEditing()) {
        ShowWarning(QStringLiteral("必须保存或取消新增、修改的数据"));
        return;
    }
    QDialog::reject();
}
