#pragma once

#include "fieldbinding.h"
#include "tqxcombobox.h"

// The data-bound drop-down list: its text is the field DataField of DataSource's dataset
// (see FieldBinding); the items are the screen's choices (FillComboItems). While read-only
// neither typing, the list nor the wheel changes the value.
class TQXDBComboBox : public TQXComboBox
{
    Q_OBJECT
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)

public:
    explicit TQXDBComboBox(QWidget *parent = nullptr);
    TQXDBComboBox(TQXDataSource *source, const QString &dataField, QWidget *parent = nullptr);

    TQXDataSource *dataSource() const;
    void setDataSource(TQXDataSource *source);
    QString dataField() const;
    void setDataField(const QString &fieldName);
    FieldBinding &binding() const { return *m_binding; }

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    FieldBinding *m_binding;
    bool m_readOnly = false;
};
