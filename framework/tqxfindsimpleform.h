#pragma once

#include "findeditors.h"

#include <QDialog>

class QPushButton;
class SqlDialect;

// The one-condition find window ("查找窗口") of TFindSimpleFormDialog: a field, a relation
// and a value; OK gives the condition, "全部数据" asks for the whole list.
class TQXFindSimpleForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TQXFindSimpleForm(QWidget *parent = nullptr);

    FindEditors &editors() { return *m_editors; }
    TSqlType SqlType = urStandard;
    const SqlDialect *Dialect = nullptr;

    QString condition() const { return m_condition; }
    bool allData() const { return m_allData; }
    void setAllDataOffered(bool offered);

    QPushButton *okButton() const { return m_ok; }
    QPushButton *allDataButton() const { return m_allDataButton; }
    QPushButton *closeButton() const { return m_close; }

    void ButtonOKClick();
    void AllDataClick();

protected:
    void showEvent(QShowEvent *event) override;
    // F3 is OK (also while no condition was added), F12 closes.
    void keyPressEvent(QKeyEvent *event) override;

private:
    FindEditors *m_editors;
    QPushButton *m_ok = nullptr;
    QPushButton *m_allDataButton = nullptr;
    QPushButton *m_close = nullptr;
    QString m_condition;
    bool m_allData = false;
};
