#pragma once

#include "fieldbinding.h"

class QLineEdit;

// The field binding of a data-bound line edit (TQXDBEdit, TQXDBComboEdit): the edit shows
// the field DataField of DataSource's dataset and writes what the user types back to it
// (see FieldBinding). A value shown from the dataset starts at its first character.
class LineEditBinding
{
public:
    explicit LineEditBinding(QLineEdit *edit);

    TQXDataSource *dataSource() const;
    void setDataSource(TQXDataSource *source);
    QString dataField() const;
    void setDataField(const QString &fieldName);
    FieldBinding &binding() const { return *m_binding; }

private:
    FieldBinding *m_binding;  // owned by the edit
};
