#pragma once

#include <QDialog>
#include <memory>

class GridScreenHook;
class QPushButton;
class TQXDataSource;
class TQXDBEdit;
class TQXDBGrid;
class TQXQuery;

// The account-name picker ("帐款名称编辑选择窗口"): the code-list picker fixed to
// QX_MONEY_NAME_TABLE and to one account category (MoneyTypeId, set before showing).
// A name is unique within its category. On OK the caller reads MONEY_NAME of query()'s
// current row.
class TSelectMoneyNameForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSelectMoneyNameForm(QWidget *parent = nullptr);
    ~TSelectMoneyNameForm() override;

    QString MoneyTypeId;

    TQXQuery *query() const { return m_query.get(); }
    TQXDBGrid *grid() const { return m_grid; }
    TQXDBEdit *valueBox() const { return m_valueBox; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *saveButton() const { return m_save; }
    QString SelectedValue() const;

    void Button_addClick();
    void Button_editClick();
    void Button_deleteClick();
    void Button_saveClick();
    void Button_cancelClick();
    void Button_okClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void press(QPushButton *button);

    std::unique_ptr<TQXQuery> m_query;
    std::unique_ptr<GridScreenHook> m_hook;
    TQXDataSource *m_source = nullptr;
    TQXDBEdit *m_valueBox = nullptr;
    TQXDBGrid *m_grid = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
};
