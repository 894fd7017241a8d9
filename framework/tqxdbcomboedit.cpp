#include "tqxdbcomboedit.h"

TQXDBComboEdit::TQXDBComboEdit(QWidget *parent) : TQXComboEdit(parent), LineEditBinding(this)
{
}

TQXDBComboEdit::TQXDBComboEdit(TQXDataSource *source, const QString &dataField, QWidget *parent) : TQXDBComboEdit(parent)
{
    setDataField(dataField);
    setDataSource(source);
}
