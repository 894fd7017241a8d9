#pragma once

#include "findeditors.h"

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;
class QRadioButton;
class SqlDialect;

// The find window ("查找窗口") of TFindFormDialog: the user adds conditions one by one,
// joined by "并且" (and) or "或者" (or), to a list that stays from one search to the next.
// It returns SQL condition lines; it runs no statement.
class TQXFindForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TQXFindForm(QWidget *parent = nullptr);

    FindEditors &editors() { return *m_editors; }
    TSqlType SqlType = urStandard;
    // The dialect urStandard conditions are written for (null: the main database's).
    const SqlDialect *Dialect = nullptr;

    // The SQL lines and the readable lines, in the order added.
    const QStringList &sqlLines() const { return m_sqlLines; }
    QStringList displayLines() const;
    bool allData() const { return m_allData; }
    void setAllDataOffered(bool offered);
    // Empties the field, relation and value boxes and both lists.
    void Clear();

    QPushButton *addButton() const { return m_add; }
    QPushButton *removeButton() const { return m_remove; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *allDataButton() const { return m_allDataButton; }
    QPushButton *closeButton() const { return m_close; }
    QRadioButton *andButton() const { return m_and; }
    QRadioButton *orButton() const { return m_or; }
    QListWidget *conditionList() const { return m_list; }

    // "增加", "清除", "确定[F3]", "全部数据".
    void AddCondition();
    void RemoveCondition();
    void ButtonOKClick();
    void AllDataClick();

protected:
    void showEvent(QShowEvent *event) override;
    // F3 is OK (also while no condition was added), F12 closes.
    void keyPressEvent(QKeyEvent *event) override;

private:
    const SqlDialect *dialect() const;
    void updateButtons();

    FindEditors *m_editors;
    QStringList m_sqlLines;
    QListWidget *m_list = nullptr;
    QRadioButton *m_and = nullptr;
    QRadioButton *m_or = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_allDataButton = nullptr;
    QPushButton *m_close = nullptr;
    bool m_allData = false;
};
