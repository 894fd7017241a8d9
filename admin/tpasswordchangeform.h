#pragma once

#include "tqxbaseform.h"

class QPushButton;
class TQXEdit;

// The password change screen ("用户口令修改窗口"): the signed-on user changes his own
// password after giving the old one. The old password is checked against the stored hash;
// the new one is stored hashed. F3 presses OK, F4 closes, Enter moves to the next control
// (and presses the OK button when it has the focus).
class TPasswordChangeForm final : public TQXBaseForm
{
    Q_OBJECT

public:
    explicit TPasswordChangeForm(QWidget *owner = nullptr);

    static constexpr int MaxPasswordLength = 10;

    TQXEdit *EditOldPassword;
    TQXEdit *EditNewPassword;
    TQXEdit *EditConfirmPassword;
    QPushButton *ButtonOK;
    QPushButton *ButtonClose;

    void ButtonOKClick();
    void ButtonCloseClick();

protected:
    void FormShow() override;
    bool FormKeyDown(QKeyEvent *event) override;

private:
    // True when `password` is the signed-on user's stored password.
    bool isCurrentPassword(const QString &password) const;
    void clearNewPasswords();
};
