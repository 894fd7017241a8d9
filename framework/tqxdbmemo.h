#pragma once

#include "fieldbinding.h"
#include "focuscolorkeeper.h"

#include <QPlainTextEdit>


// The data-bound multi-line text: Enter starts a new line; focus colour; the input method
// stays on as in text boxes.
class TQXDBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TQXDBMemo(QWidget *parent = nullptr);
    TQXDBMemo(TQXDataSource *source, const QString &dataField, QWidget *parent = nullptr);

    TQXDataSource *dataSource() const;
    void setDataSource(TQXDataSource *source);
    QString dataField() const;
    void setDataField(const QString &fieldName);
    FieldBinding &binding() const { return *m_binding; }
    FocusColorKeeper &colors() { return *m_colors; }

private:
    FocusColorKeeper *m_colors;
    FieldBinding *m_binding;
};
