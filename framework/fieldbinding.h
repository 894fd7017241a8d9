#pragma once

#include "tqxdatasource.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;
class TQXField;

// Binds a data-entry control to one field of its data source's dataset. The control shows
// the field's value of the current record (dates as "yyyy-MM-dd"); typing is accepted only
// while the dataset is being edited or added (the data source never starts an edit by
// itself); the text is written to the field when the control loses the focus, or when the
// screen saves (commitAll).
class FieldBinding final : public QObject
{
    Q_OBJECT

public:
    using TextReader = std::function<QString()>;
    using TextWriter = std::function<void(const QString &)>;

    // Owned by `control`; `read` and `show` get and set the control's text.
    FieldBinding(QWidget *control, TextReader read, TextWriter show);

    // Also watches `widget` (an inner editor of the control) for keys and focus.
    void watch(QWidget *widget);

    TQXDataSource *dataSource() const { return m_source; }
    void setDataSource(TQXDataSource *source);
    const QString &dataField() const { return m_field; }
    void setDataField(const QString &fieldName);

    // The linked dataset and field; null while none is linked, the dataset is closed or
    // has no such field.
    TQXDataset *dataSet() const;
    TQXField *field() const;
    // True while the dataset is being edited or added.
    bool canModify() const;
    // True when the control's text changed since it last showed the field.
    bool isModified() const { return m_modified; }

    // Shows the field's value again.
    void refresh();
    // Writes the control's text to the field when it changed and the dataset is editing;
    // true when the field was written.
    bool commit();

    // The binding of a control, or null.
    static FieldBinding *of(const QObject *control);
    // Commits every binding of the screen's controls to `dataset` (before it is saved).
    static void commitAll(const QWidget *screen, const TQXDataset *dataset);

    // The control calls these from its change signals.
    void textChangedByUser();
    void textChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void relink();
    bool isTypingKey(const QEvent *event) const;

    QWidget *m_control;
    TextReader m_read;
    TextWriter m_show;
    QPointer<TQXDataSource> m_source;
    QPointer<TQXDataset> m_dataset;
    QString m_field;
    QList<QMetaObject::Connection> m_links;
    QList<QMetaObject::Connection> m_sourceLinks;
    bool m_showing = false;
    bool m_modified = false;
};
