#pragma once

#include <QObject>

class QAbstractButton;
class QDialog;
class QWidget;

// The keyboard and colours of the program's dialogs: F3 presses the confirming button, F4
// the closing one, Enter in an input box moves the focus on as Tab does, and input boxes
// show EditColor, or ColorOnFocus while they have the focus. Create it once the dialog's
// controls exist; it belongs to the dialog.
class DialogInputs final : public QObject
{
    Q_OBJECT

public:
    DialogInputs(QDialog *dialog, QAbstractButton *confirm, QAbstractButton *close);

    bool eventFilter(QObject *watched, QEvent *event) override;

    // Line edits and drop-down lists, except the line edit inside a drop-down list.
    static bool isInputBox(const QWidget *widget);

private:
    QAbstractButton *m_confirm;
    QAbstractButton *m_close;
};
