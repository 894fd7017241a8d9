#include "tselecteditform.h"

#include "appvalues.h"
#include "findcondition.h"
#include "gridscreenhook.h"
#include "querycommand.h"
#include "tagproperty.h"
#include "tqxdatasource.h"
#include "tqxdbedit.h"
#include "tqxedit.h"
#include "tqxndbgrid.h"
#include "tqxquery.h"
#include "uihelpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const QString SearchLabel = QStringLiteral("按回车键进行查找");

} // namespace

TSelectEditForm::TSelectEditForm(QWidget *parent)
    : TSelectEditBase(parent)
{
    setWindowTitle(QStringLiteral("数据选择编辑窗口"));
    resize(404, 293);

    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_boxes = new QStackedWidget(this);
    auto *valueBox = new TQXDBEdit(m_boxes);
    valueBox->setObjectName(QStringLiteral("ValueEdit"));
    valueBox->setDataSource(m_source);
    m_searchBox = new TQXEdit(m_boxes);
    m_searchBox->setObjectName(QStringLiteral("SearchEdit"));
    SetTag(m_searchBox, 100);  // usable in browse: the data source leaves it alone
    m_boxes->addWidget(valueBox);
    m_boxes->addWidget(m_searchBox);
    m_grid = new TQXNDBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid"));
    m_grid->setDataSet(m_query.get());
    m_hook->addGrid(m_grid);
    attachViews(m_grid, valueBox);
    m_allData = new QPushButton(QStringLiteral("全部数据"), this);

    auto *top = new QHBoxLayout;
    top->addWidget(m_label, 1);
    top->addWidget(m_boxes, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttonGrid({m_close, m_ok, m_add, m_edit, m_delete, m_save, m_cancel, m_allData}));

    m_query->SqlType = App().SqlType;
    m_query->AfterScroll = [this] { showValueInSearchBox(); };
    m_query->AfterPost = [this] { showValueInSearchBox(); };

    wireButtons(m_allData);
    m_source->OnStateChange = [this](TQXDataset::State) { stateChanged(); };
    m_valueBox->colors().setNormalColor(QColor::fromRgb(AppValues::Color));
    m_valueBox->colors().setColorOnFocus(QColor::fromRgb(AppValues::ColorOnFocus));
    ApplyInputMethod(this, App().ImeName);

    connect(m_allData, &QPushButton::clicked, this, &TSelectEditForm::Button_findClick);
    connect(m_searchBox, &QLineEdit::returnPressed, this, &TSelectEditForm::Search);
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
    m_query->FieldsData = WithAuditFields({TFieldsData{.FieldName = column, .Caption = caption, .Required = true}});
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
    prepareForShow();
    m_source->SwitchControls();
    ApplyInputMethod(m_valueBox, App().ImeName);
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

void TSelectEditForm::Button_findClick()
{
    reopen(m_baseSql);
}

void TSelectEditForm::Search()
{
    reopen(SearchSql(m_searchBox->text()));
    m_searchBox->setFocus();
}
