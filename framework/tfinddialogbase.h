#pragma once

#include "findeditors.h"
#include "tfieldsdata.h"
#include "tsqltype.h"

#include <QColor>
#include <QObject>
#include <QPointer>

class TFindWindowBase;

// What the find dialog components share: the settings the owner screen gives, the window
// they are applied to before it shows (kept for the life of the owner), and the modal run.
// The window is deleted with the component.
class TFindDialogBase : public QObject
{
    Q_OBJECT

public:
    enum TLanguage { GB, BIG5 };

    ~TFindDialogBase() override;

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

    // Shows the window modally; true when it was closed with OK or "全部数据".
    bool Execute();
    // What Execute does before showing the window (its modal loop aside).
    void Prepare();
    bool AllData() const;

protected:
    TFindDialogBase(QWidget *owner, TFindWindowBase *window);

    QPointer<TFindWindowBase> m_findWindow;
};
