#pragma once

#include "lineeditbinding.h"
#include "tqxedit.h"

// The data-bound edit box: shows and edits the field DataField of DataSource's dataset
// (see LineEditBinding).
class TQXDBEdit : public TQXEdit, public LineEditBinding
{
    Q_OBJECT

public:
    explicit TQXDBEdit(QWidget *parent = nullptr);
    TQXDBEdit(TQXDataSource *source, const QString &dataField, QWidget *parent = nullptr);
};
