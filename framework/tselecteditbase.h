#pragma once

#include "tfieldsdata.h"

#include <QDialog>
#include <memory>

class DataGridView;
class GridScreenHook;
class QGridLayout;
class QPushButton;
class TQXDataSource;
class TQXDBEdit;
class TQXQuery;

// What the pickers that edit their own list share: a query with its data source and grid
// hook, one value box, the buttons 关闭/确定/增加/编辑/删除/保存/取消 with their keys
// (F12, F3, F5-F9), the audit columns filled on insert and edit, and the rule that the
// dialog is not closed while a record is being added or edited.
class TSelectEditBase : public QDialog
{
    Q_OBJECT

public:
    ~TSelectEditBase() override;

    TQXQuery *query() const { return m_query.get(); }
    TQXDataSource *dataSource() const { return m_source; }
    TQXDBEdit *valueBox() const { return m_valueBox; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

    void Button_addClick();
    void Button_editClick();
    void Button_deleteClick();
    void Button_saveClick();
    void Button_cancelClick();
    void Button_okClick();

protected:
    explicit TSelectEditBase(QWidget *parent);

    // The list's own columns followed by the audit columns.
    static TFieldsDataArray WithAuditFields(std::initializer_list<TFieldsData> own);

    // Registers the grid (double-click chooses) and the value box, then creates the buttons.
    void attachViews(DataGridView *grid, TQXDBEdit *valueBox);
    // The buttons in rows of four, in the order given.
    QGridLayout *buttonGrid(const QList<QPushButton *> &order) const;
    // Points the data source at the buttons and connects them; `find` is the source's
    // find button.
    void wireButtons(QPushButton *find);
    // Audit values, rights and colours, set just before the list is opened.
    void prepareForShow();
    // Called inside the command that appends a record.
    virtual void fillNewRecord() {}
    void press(QPushButton *button);

    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

    std::unique_ptr<TQXQuery> m_query;
    std::unique_ptr<GridScreenHook> m_hook;
    TQXDataSource *m_source = nullptr;
    DataGridView *m_gridView = nullptr;
    TQXDBEdit *m_valueBox = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    // With it, Enter chooses like F3; otherwise Enter is swallowed.
    bool m_enterChooses = false;
};
