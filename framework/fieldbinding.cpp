#include "fieldbinding.h"

#include "exceptionhandler.h"
#include "tqxdataset.h"
#include "tqxdatasource.h"
#include "tqxfield.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QWidget>

FieldBinding::FieldBinding(QWidget *control, TextReader read, TextWriter show)
    : QObject(control), m_control(control), m_read(std::move(read)), m_show(std::move(show))
{
    watch(control);
}

void FieldBinding::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

void FieldBinding::setDataSource(TQXDataSource *source)
{
    if (m_source == source)
        return;
    for (const QMetaObject::Connection &link : std::as_const(m_sourceLinks))
        disconnect(link);
    m_sourceLinks.clear();
    m_source = source;
    if (source) {
        m_sourceLinks << connect(source, &TQXDataSource::dataSetChanged, this, &FieldBinding::relink)
                      << connect(source, &TQXDataSource::displayResumed, this, &FieldBinding::refresh);
    }
    relink();
}

void FieldBinding::setDataField(const QString &fieldName)
{
    m_field = fieldName;
    refresh();
}

TQXDataset *FieldBinding::dataSet() const
{
    return m_dataset;
}

TQXField *FieldBinding::field() const
{
    // Also while the query is still finishing its open (its rows and fields are there).
    if (!m_dataset || m_dataset->state() == TQXDataset::State::Inactive || m_field.isEmpty())
        return nullptr;
    return m_dataset->findField(m_field);
}

bool FieldBinding::canModify() const
{
    return m_dataset && m_dataset->isEditing();
}

void FieldBinding::relink()
{
    for (const QMetaObject::Connection &link : std::as_const(m_links))
        disconnect(link);
    m_links.clear();
    m_dataset = m_source ? m_source->dataSet() : nullptr;
    if (TQXDataset *dataset = m_dataset) {
        m_links << connect(dataset, &TQXDataset::stateChanged, this, &FieldBinding::refresh)
                << connect(dataset, &TQXDataset::currentRowChanged, this, &FieldBinding::refresh)
                << connect(dataset, &TQXDataset::resetFinished, this, &FieldBinding::refresh)
                << connect(dataset, &TQXDataset::fieldChanged, this, [this](const QString &name) {
                       if (name.compare(m_field, Qt::CaseInsensitive) == 0)
                           refresh();
                   });
    }
    refresh();
}

void FieldBinding::refresh()
{
    if (m_source && !m_source->displayUpdates())
        return;
    const TQXField *shown = field();
    m_showing = true;
    m_show(shown ? shown->asText() : QString());
    m_showing = false;
    m_modified = false;
}

bool FieldBinding::commit()
{
    if (!m_modified)
        return false;
    TQXField *target = field();
    if (!target || !canModify())
        return false;
    const QString text = m_read();
    m_modified = false;
    if (text == target->asText())
        return false;
    target->setAsText(text);
    return true;
}

void FieldBinding::textChanged()
{
    if (!m_showing)
        m_modified = true;
}

void FieldBinding::textChangedByUser()
{
    // Typing that got past the key filter (pasting from a menu, for example) is undone in
    // browse state.
    if (!canModify())
        refresh();
}

FieldBinding *FieldBinding::of(const QObject *control)
{
    return control ? control->findChild<FieldBinding *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void FieldBinding::commitAll(const QWidget *screen, const TQXDataset *dataset)
{
    for (FieldBinding *binding : screen->findChildren<FieldBinding *>()) {
        if (binding->dataSet() == dataset)
            binding->commit();
    }
}

bool FieldBinding::isTypingKey(const QEvent *event) const
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo)
        || key->matches(QKeySequence::Redo))
        return true;
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return qobject_cast<const QPlainTextEdit *>(m_control) != nullptr;
    default:
        break;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

bool FieldBinding::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusOut:
        try {
            commit();
        } catch (...) {
            HandleCurrentException(watched);
        }
        break;
    case QEvent::KeyPress:
        if (!canModify() && isTypingKey(event))
            return true;
        break;
    case QEvent::InputMethod:
        if (!canModify() && !static_cast<QInputMethodEvent *>(event)->commitString().isEmpty())
            return true;
        break;
    case QEvent::Drop:
        if (!canModify())
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
