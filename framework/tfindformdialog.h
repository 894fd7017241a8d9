#pragma once

#include "tfinddialogbase.h"

#include <QStringList>

class TQXFindForm;

// The find dialog component of the list screens. It keeps its window (TQXFindForm) for the
// life of its owner screen, so the conditions of the previous search stay offered. After
// Execute the screen reads Conditions (SQL lines; the screen wraps their concatenation in
// parentheses after its own prefix), ConditionText (the readable lines) and AllData (the
// user chose "全部数据": the screen runs BaseSQL). The dialog never runs a statement.
class TFindFormDialog final : public TFindDialogBase
{
    Q_OBJECT

public:
    explicit TFindFormDialog(QWidget *owner);

    // Clear, then adopt the field rules; the lists are rebuilt when the window shows next.
    void SetFieldsData(const TFieldsDataArray &fields);
    void Clear();

    QStringList Conditions() const;
    QString ConditionText() const;

    // The window, kept between searches.
    TQXFindForm *window() const;
};
