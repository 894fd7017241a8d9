#include "tqxdbedit.h"

TQXDBEdit::TQXDBEdit(QWidget *parent) : TQXEdit(parent), LineEditBinding(this)
{
}

TQXDBEdit::TQXDBEdit(TQXDataSource *source, const QString &dataField, QWidget *parent) : TQXDBEdit(parent)
{
    setDataField(dataField);
    setDataSource(source);
}
