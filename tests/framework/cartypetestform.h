#pragma once

#include "appvalues.h"
#include "tagproperty.h"
#include "tqxdatasource.h"
#include "tqxdbedit.h"
#include "tqxdbmemo.h"
#include "tqxdform.h"
#include "tqxquery.h"
#include "tqxquerymodel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>

// A small document screen over the vehicle categories, declared the way business screens
// are: rights names, table, statements, rule arrays, and data-bound controls in Panel1.
class TCarTypeTestForm final : public TQXDForm
{
public:
    explicit TCarTypeTestForm(QWidget *owner = nullptr) : TQXDForm(owner)
    {
        setObjectName(QStringLiteral("CarTypeTestForm"));
        setWindowTitle(QStringLiteral("车辆类别资料录入编辑"));
        ComposeName = QStringLiteral("基本数据录入编辑");
        ProgramName = QStringLiteral("车辆类别资料录入编辑");

        Query->setTableName(QStringLiteral("QX_CAR_TYPE_TABLE"));
        const QStringList columns{"CAR_TYPE_ID", "CAR_TYPE_NAME", "PRIOR_ID", "ORDER_ID", "NOTE",
                                  "CREATE_NAME", "CREATE_DATE", "EDIT_NAME", "EDIT_DATE"};
        Query->UpdateSQL.ModifySQL << "update QX_CAR_TYPE_TABLE" << "set";
        for (int i = 0; i < columns.size(); ++i)
            Query->UpdateSQL.ModifySQL << "  " + columns[i] + " = :" + columns[i] + (i + 1 < columns.size() ? "," : "");
        Query->UpdateSQL.ModifySQL << "where" << "  CAR_TYPE_ID = :OLD_CAR_TYPE_ID";
        Query->UpdateSQL.InsertSQL << "insert into QX_CAR_TYPE_TABLE" << "  (" + columns.join(", ") + ")" << "values"
                                   << "  (:" + columns.join(", :") + ")";
        Query->UpdateSQL.DeleteSQL << "delete from QX_CAR_TYPE_TABLE" << "where" << "  CAR_TYPE_ID = :OLD_CAR_TYPE_ID";
        Query->FieldsData = {
            TFieldsData{.FieldName = "CAR_TYPE_ID", .Caption = "类别编号", .Width = 14},
            TFieldsData{.FieldName = "CAR_TYPE_NAME", .Caption = "类别名称", .Width = 16, .Required = true},
            TFieldsData{.FieldName = "ORDER_ID", .Caption = "排列顺序", .DataKind = "N"},
            TFieldsData{.FieldName = "NOTE", .Caption = "备注", .Width = 20},
            TFieldsData{.FieldName = "CREATE_NAME", .Caption = "建档人员"},
            TFieldsData{.FieldName = "CREATE_DATE", .Caption = "建档日期", .DataKind = "D"},
        };
        TInsertData key{.FieldName = "CAR_TYPE_ID", .Caption = "类别编号", .Width = 12, .Kind = "T", .Prefix = "A"};
        TInsertData creator{.FieldName = "CREATE_NAME", .Caption = "建档人员", .Value = App().UserName, .Kind = "A"};
        Query->InsertData = {creator, TInsertData::workingDate("CREATE_DATE", "建档日期"), key};
        Query->EditData = {TEditData{"EDIT_NAME", App().UserName}, TEditData::workingDate("EDIT_DATE")};
        Query->ActiveControl = QStringLiteral("DBEditName");

        auto *list = new QTableView(Panel1);
        list->setObjectName(QStringLiteral("ListGrid"));
        auto *model = new TQXQueryModel(Query, list);
        list->setModel(model);
        model->followCurrentRow(list->selectionModel());
        list->setSelectionBehavior(QAbstractItemView::SelectRows);

        auto *fields = new QFormLayout;
        DBEditId = addEdit(fields, "DBEditId", "类别编号", "CAR_TYPE_ID", 2);
        DBEditName = addEdit(fields, "DBEditName", "类别名称", "CAR_TYPE_NAME", 0);
        DBEditOrder = addEdit(fields, "DBEditOrder", "排列顺序", "ORDER_ID", 0);
        DBEditOrder->setEditType(etInteger);
        DBMemoNote = new TQXDBMemo(DS, "NOTE", Panel1);
        DBMemoNote->setObjectName(QStringLiteral("DBMemoNote"));
        DBMemoNote->setFixedHeight(60);
        fields->addRow(new QLabel(QStringLiteral("备注"), Panel1), DBMemoNote);
        DBEditCreateName = addEdit(fields, "DBEditCreateName", "建档人员", "CREATE_NAME", 3);
        DBEditCreateDate = addEdit(fields, "DBEditCreateDate", "建档日期", "CREATE_DATE", 3);

        auto *layout = new QHBoxLayout(Panel1);
        layout->addWidget(list, 3);
        layout->addLayout(fields, 2);
    }

    TQXDBEdit *DBEditId;
    TQXDBEdit *DBEditName;
    TQXDBEdit *DBEditOrder;
    TQXDBMemo *DBMemoNote;
    TQXDBEdit *DBEditCreateName;
    TQXDBEdit *DBEditCreateDate;
    int finds = 0;
    int prints = 0;

protected:
    void FormShow() override
    {
        TQXDForm::FormShow();
        Query->OpenQuery();
        auto *list = findChild<QTableView *>(QStringLiteral("ListGrid"));
        for (int column = 0; column < list->model()->columnCount(); ++column)
            list->setColumnHidden(column, !list->model()->headerData(column, Qt::Horizontal, TQXQueryModel::VisibleRole).toBool());
    }
    void button_findClick() override { ++finds; }
    void button_printClick() override { ++prints; }

private:
    TQXDBEdit *addEdit(QFormLayout *fields, const char *name, const QString &caption, const QString &field, int tag)
    {
        auto *edit = new TQXDBEdit(DS, field, Panel1);
        edit->setObjectName(QLatin1String(name));
        SetTag(edit, tag);
        fields->addRow(new QLabel(caption, Panel1), edit);
        return edit;
    }
};
