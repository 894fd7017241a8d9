#pragma once

#include "fieldbinding.h"
#include "tqxcomboedit.h"

// The data-bound edit box with a side button (picker or date dialog): shows and edits the field DataField of DataSource's dataset
// (see FieldBinding).
class TQXDBComboEdit : public TQXComboEdit
{
    Q_OBJECT

public:
    explicit TQXDBComboEdit(QWidget *parent = nullptr);
    TQXDBComboEdit(TQXDataSource *source, const QString &dataField, QWidget *parent = nullptr);

    TQXDataSource *dataSource() const;
    void setDataSource(TQXDataSource *source);
    QString dataField() const;
    void setDataField(const QString &fieldName);
    FieldBinding &binding() const { return *m_binding; }

private:
    FieldBinding *m_binding;
};
