#pragma once

#include <QDialog>
#include <memory>

class GridScreenHook;
class QLabel;
class QPushButton;
class QStackedWidget;
class TQXDataSource;
class TQXDBEdit;
class TQXEdit;
class TQXNDBGrid;
class TQXQuery;

// The code-list picker ("数据选择编辑窗口"): chooses one value of a one-column list table
// (posts, banks, places, reminder texts...) and lets the user add, edit and delete values
// on the spot; every change is written at once. Created for one use:
//   TSelectEditForm form; form.SetupList("WORK_PLACE", "工作地点", " QX_WORK_PLACE_TABLE ");
//   form.query()->OpenQuery(); if (form.exec() == QDialog::Accepted) read the column.
// In browse the search box is in front ("按回车键进行查找"): Enter lists the values
// containing its text.
class TSelectEditForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSelectEditForm(QWidget *parent = nullptr);
    ~TSelectEditForm() override;

    // Column, caption and table (callers pass the table with a blank on each side).
    void SetupList(const QString &column, const QString &caption, const QString &table);

    TQXQuery *query() const { return m_query.get(); }
    TQXDataSource *dataSource() const { return m_source; }
    TQXNDBGrid *grid() const { return m_grid; }
    TQXDBEdit *valueBox() const { return m_valueBox; }
    TQXEdit *searchBox() const { return m_searchBox; }
    QLabel *label() const { return m_label; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *allDataButton() const { return m_allData; }
    // The value of the current row.
    QString SelectedValue() const;
    // The statement listing the values that contain `text`.
    QString SearchSql(const QString &text) const;

    void Button_addClick();
    void Button_editClick();
    void Button_deleteClick();
    void Button_saveClick();
    void Button_cancelClick();
    void Button_findClick();
    void Button_okClick();
    // Enter in the search box.
    void Search();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void stateChanged();
    void showValueInSearchBox();
    void reopen(const QString &sql);
    void press(QPushButton *button);

    std::unique_ptr<TQXQuery> m_query;
    std::unique_ptr<GridScreenHook> m_hook;
    TQXDataSource *m_source = nullptr;
    QString m_column;
    QString m_caption;
    QString m_table;
    QString m_baseSql;
    QLabel *m_label = nullptr;
    QStackedWidget *m_boxes = nullptr;
    TQXDBEdit *m_valueBox = nullptr;
    TQXEdit *m_searchBox = nullptr;
    TQXNDBGrid *m_grid = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_allData = nullptr;
};
