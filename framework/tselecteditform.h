#pragma once

#include "tselecteditbase.h"

class QLabel;
class QStackedWidget;
class TQXEdit;
class TQXNDBGrid;

// The code-list picker ("数据选择编辑窗口"): chooses one value of a one-column list table
// (posts, banks, places, reminder texts...) and lets the user add, edit and delete values
// on the spot; every change is written at once. Created for one use:
//   TSelectEditForm form; form.SetupList("WORK_PLACE", "工作地点", " QX_WORK_PLACE_TABLE ");
//   form.query()->OpenQuery(); if (form.exec() == QDialog::Accepted) read the column.
// In browse the search box is in front ("按回车键进行查找"): Enter lists the values
// containing its text.
class TSelectEditForm final : public TSelectEditBase
{
    Q_OBJECT

public:
    explicit TSelectEditForm(QWidget *parent = nullptr);

    // Column, caption and table (callers pass the table with a blank on each side).
    void SetupList(const QString &column, const QString &caption, const QString &table);

    TQXNDBGrid *grid() const { return m_grid; }
    TQXEdit *searchBox() const { return m_searchBox; }
    QLabel *label() const { return m_label; }
    QPushButton *allDataButton() const { return m_allData; }
    // The value of the current row.
    QString SelectedValue() const;
    // The statement listing the values that contain `text`.
    QString SearchSql(const QString &text) const;

    void Button_findClick();
    // Enter in the search box.
    void Search();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void stateChanged();
    void showValueInSearchBox();
    void reopen(const QString &sql);

    QString m_column;
    QString m_caption;
    QString m_table;
    QString m_baseSql;
    QLabel *m_label = nullptr;
    QStackedWidget *m_boxes = nullptr;
    TQXEdit *m_searchBox = nullptr;
    TQXNDBGrid *m_grid = nullptr;
    QPushButton *m_allData = nullptr;
};
