#pragma once

#include "fieldbinding.h"
#include "tqxedit.h"

// The data-bound edit box: shows and edits the field DataField of DataSource's dataset
// (see FieldBinding).
class TQXDBEdit : public TQXEdit
{
    Q_OBJECT

public:
    explicit TQXDBEdit(QWidget *parent = nullptr);
    TQXDBEdit(TQXDataSource *source, const QString &dataField, QWidget *parent = nullptr);

    TQXDataSource *dataSource() const;
    void setDataSource(TQXDataSource *source);
    QString dataField() const;
    void setDataField(const QString &fieldName);
    FieldBinding &binding() const { return *m_binding; }

private:
    FieldBinding *m_binding;
};
