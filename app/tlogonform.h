#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// The sign-on dialog: a user ID from the list of users with a valid use right (or typed)
// and the password. Four tries: the first three failures are reported as a wrong ID or
// password, the fourth ends the dialog with "cancel". Success sets UserID, UserName,
// IsSystemUser and ImeName and ends it with "OK".
class TLogonForm final : public QDialog
{
    Q_OBJECT

public:
    // Fills the ID list; raises when the user table cannot be read.
    explicit TLogonForm(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    enum class SignOn { Done, Refused, Stopped };

    void ButtonOKClick();
    // Done (application values set) when the valid user `id` has the password `password`;
    // Stopped when the engine returned a user whose use right is cancelled (told already).
    SignOn signOn(const QString &id, const QString &password);

    QComboBox *m_userIDBox;
    QLineEdit *m_passwordEdit;
    QPushButton *m_buttonOK;
    QPushButton *m_buttonCancel;
    int m_failures = 0;
};
