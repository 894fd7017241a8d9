#pragma once

#include "findeditors.h"
#include "tfieldsdata.h"
#include "tsqltype.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QStringList>

class TQXFindForm;

// The find dialog component of the list screens. It keeps its window (TQXFindForm) for the
// life of its owner screen, so the conditions of the previous search stay offered. After
// Execute the screen reads Conditions (SQL lines; the screen wraps their concatenation in
// parentheses after its own prefix), ConditionText (the readable lines) and AllData (the
// user chose "全部数据": the screen runs BaseSQL). The dialog never runs a statement.
class TFindFormDialog final : public QObject
{
    Q_OBJECT

public:
    enum TLanguage { GB, BIG5 };

    explicit TFindFormDialog(QWidget *owner);
    ~TFindFormDialog() override;

    TFindPopupEvent PopupWindow;
    TFindSelectSqlEvent SelectSQL;
    TSqlType SqlType = urStandard;
    QColor ColorNotOnFocus;
    QColor ColorOnFocus;
    QColor Color;
    TLanguage Language = GB;
    QString Caption;
    QString ImeName;
    int FieldIndex = -1;
    int ConnectionIndex = -1;
    // The screen's whole-list statement; "全部数据" is offered when it is not empty.
    QString BaseSQL;

    // Clear, then adopt the field rules; the lists are rebuilt when the window shows next.
    void SetFieldsData(const TFieldsDataArray &fields);
    void Clear();
    // Shows the window modally; true when it was closed with OK or "全部数据".
    bool Execute();

    QStringList Conditions() const;
    QString ConditionText() const;
    bool AllData() const;

    // The window, kept between searches.
    TQXFindForm *window() const { return m_window; }
    // What Execute does before showing the window (its modal loop aside).
    void Prepare();

private:
    QPointer<TQXFindForm> m_window;
};
