#include "tqxdbmemo.h"

#include "fieldbinding.h"

TQXDBMemo::TQXDBMemo(QWidget *parent)
    : QPlainTextEdit(parent), m_colors(new FocusColorKeeper(this)),
      m_binding(new FieldBinding(this, [this] { return toPlainText(); }, [this](const QString &value) { setPlainText(value); }))
{
    setTabChangesFocus(true);
    m_binding->watch(viewport());
    connect(this, &QPlainTextEdit::textChanged, m_binding, &FieldBinding::textChanged);
}

TQXDBMemo::TQXDBMemo(TQXDataSource *source, const QString &dataField, QWidget *parent) : TQXDBMemo(parent)
{
    m_binding->setDataField(dataField);
    m_binding->setDataSource(source);
}

TQXDataSource *TQXDBMemo::dataSource() const
{
    return m_binding->dataSource();
}

void TQXDBMemo::setDataSource(TQXDataSource *source)
{
    m_binding->setDataSource(source);
}

QString TQXDBMemo::dataField() const
{
    return m_binding->dataField();
}

void TQXDBMemo::setDataField(const QString &fieldName)
{
    m_binding->setDataField(fieldName);
}
