#pragma once

#include "findeditors.h"

#include <QDialog>

class QGridLayout;
class QPushButton;
class SqlDialect;

// What the two find windows ("查找窗口") share: the field, relation and value editors,
// the buttons "确定[F3]", "全部数据" and "关闭[F12]" with their keys, and the choice of
// the whole list. They return conditions; they run no statement.
class TFindWindowBase : public QDialog
{
    Q_OBJECT

public:
    FindEditors &editors() { return *m_editors; }
    TSqlType SqlType = urStandard;
    // The dialect urStandard conditions are written for (null: the main database's).
    const SqlDialect *Dialect = nullptr;

    bool allData() const { return m_allData; }
    void setAllDataOffered(bool offered);

    QPushButton *okButton() const { return m_ok; }
    QPushButton *allDataButton() const { return m_allDataButton; }
    QPushButton *closeButton() const { return m_close; }

    virtual void ButtonOKClick() = 0;
    virtual void AllDataClick() = 0;

protected:
    // `simple`: the one-condition editors (no year and month boxes).
    TFindWindowBase(QWidget *parent, bool simple);

    // Creates "确定[F3]", "全部数据" and "关闭[F12]" (after the window's own controls, for
    // the tab order) and connects them.
    void createButtons();
    const SqlDialect *dialect() const;
    // The field, relation and value rows of the editors.
    QGridLayout *editorRows() const;
    // Warns and focuses the box when no field or no relation is chosen.
    bool fieldAndRelationChosen();
    // Buttons without auto-default, with the hand cursor.
    static void styleButtons(std::initializer_list<QPushButton *> buttons);

    void showEvent(QShowEvent *event) override;
    // F3 is OK (also while no condition was added), F12 closes.
    void keyPressEvent(QKeyEvent *event) override;

    FindEditors *m_editors;
    QPushButton *m_ok = nullptr;
    QPushButton *m_allDataButton = nullptr;
    QPushButton *m_close = nullptr;
    bool m_allData = false;
};
