#pragma once

#include "tfindwindowbase.h"

#include <QStringList>

class QListWidget;
class QPushButton;
class QRadioButton;

// The find window ("查找窗口") of TFindFormDialog: the user adds conditions one by one,
// joined by "并且" (and) or "或者" (or), to a list that stays from one search to the next.
// It returns SQL condition lines; it runs no statement.
class TQXFindForm final : public TFindWindowBase
{
    Q_OBJECT

public:
    explicit TQXFindForm(QWidget *parent = nullptr);

    // The SQL lines and the readable lines, in the order added.
    const QStringList &sqlLines() const { return m_sqlLines; }
    QStringList displayLines() const;
    // Empties the field, relation and value boxes and both lists.
    void Clear();

    QPushButton *addButton() const { return m_add; }
    QPushButton *removeButton() const { return m_remove; }
    QRadioButton *andButton() const { return m_and; }
    QRadioButton *orButton() const { return m_or; }
    QListWidget *conditionList() const { return m_list; }

    // "增加", "清除", "确定[F3]", "全部数据".
    void AddCondition();
    void RemoveCondition();
    void ButtonOKClick() override;
    void AllDataClick() override;

private:
    void updateButtons();

    QStringList m_sqlLines;
    QListWidget *m_list = nullptr;
    QRadioButton *m_and = nullptr;
    QRadioButton *m_or = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
};
