#pragma once

#include "typedcharacterfilter.h"

#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;

// Applies an edit type to a line edit (on its own or inside a drop-down list): filters the
// typed characters, sets the length limits on entering and switches the input method off
// for numbers, dates and times.
class TypedCharacterGuard final : public QObject
{
    Q_OBJECT

public:
    // `focusOwner` is the widget that takes the focus and the keys when it is not the edit
    // itself (a drop-down list forwards them to its edit without event filters).
    explicit TypedCharacterGuard(QLineEdit *lineEdit, QObject *parent = nullptr, QWidget *focusOwner = nullptr);

    TEditTypes editType() const { return m_type; }
    void setEditType(TEditTypes type);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The edit now in use: a drop-down list replaces or removes its edit when its editable
    // switch changes, so the guard follows the list's current one.
    QLineEdit *edit();
    void applyType(QLineEdit *edit);

    QPointer<QLineEdit> m_edit;
    QWidget *m_focusOwner;
    TEditTypes m_type = etString;
};
