#pragma once

#include "tfinddialogbase.h"

class TQXFindSimpleForm;

// The one-condition find dialog component (the users screen): Execute shows its window
// modally; afterwards Condition holds the single SQL condition, or AllData is set when the
// user chose "全部数据". It never runs a statement.
class TFindSimpleFormDialog final : public TFindDialogBase
{
    Q_OBJECT

public:
    explicit TFindSimpleFormDialog(QWidget *owner);

    void SetFieldsData(const TFieldsDataArray &fields);

    QString Condition() const;
    TQXFindSimpleForm *window() const;
};
