#pragma once

#include "lineeditbinding.h"
#include "tqxcomboedit.h"

// The data-bound edit box with a side button (picker or date dialog): shows and edits the
// field DataField of DataSource's dataset (see LineEditBinding).
class TQXDBComboEdit : public TQXComboEdit, public LineEditBinding
{
    Q_OBJECT

public:
    explicit TQXDBComboEdit(QWidget *parent = nullptr);
    TQXDBComboEdit(TQXDataSource *source, const QString &dataField, QWidget *parent = nullptr);
};
