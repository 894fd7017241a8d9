#include "tpasswordchangeform.h"

#include "appvalues.h"
#include "databaseengine.h"
#include "exceptionhandler.h"
#include "messageservice.h"
#include "passwordhash.h"
#include "tqxchild.h"
#include "tqxedit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace {

const QString NewPasswordRequired = QStringLiteral("必须输入新口令");

} // namespace

TPasswordChangeForm::TPasswordChangeForm(QWidget *owner) : TQXBaseForm(owner)
{
    setObjectName(QStringLiteral("PasswordChangeForm"));
    setWindowTitle(QStringLiteral("用户口令修改窗口"));
    // Enter is handled here: it also presses the OK button when that has the focus.
    QXChild->EnterMove = false;

    const auto addPassword = [this](QFormLayout *fields, const char *name, const QString &caption) {
        auto *edit = new TQXEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setEchoMode(QLineEdit::Password);
        edit->setMaxLength(MaxPasswordLength);
        fields->addRow(new QLabel(caption, this), edit);
        return edit;
    };
    auto *fields = new QFormLayout;
    EditOldPassword = addPassword(fields, "EditOldPassword", QStringLiteral("老口令"));
    EditNewPassword = addPassword(fields, "EditNewPassword", QStringLiteral("新口令"));
    EditConfirmPassword = addPassword(fields, "EditConfirmPassword", QStringLiteral("确认新口令"));

    ButtonOK = new QPushButton(QStringLiteral("确定[F3]"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonClose = new QPushButton(QStringLiteral("关闭[F4]"), this);
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setFixedSize(300, 160);

    connect(ButtonOK, &QPushButton::clicked, this, [this] {
        try {
            ButtonOKClick();
        } catch (...) {
            HandleCurrentException(this);
        }
    });
    connect(ButtonClose, &QPushButton::clicked, this, &TPasswordChangeForm::ButtonCloseClick);
}

void TPasswordChangeForm::FormShow()
{
    TQXBaseForm::FormShow();
    EditOldPassword->setFocus();
}

bool TPasswordChangeForm::FormKeyDown(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return TQXBaseForm::FormKeyDown(event);
    switch (event->key()) {
    case Qt::Key_F3:
        ButtonOK->click();
        return true;
    case Qt::Key_F4:
        ButtonClose->click();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focusWidget() == ButtonOK)
            ButtonOK->click();
        else
            focusNextChild();
        return true;
    default:
        return TQXBaseForm::FormKeyDown(event);
    }
}

void TPasswordChangeForm::clearNewPasswords()
{
    EditNewPassword->clear();
    EditConfirmPassword->clear();
}

void TPasswordChangeForm::ButtonCloseClick()
{
    clearNewPasswords();
    close();
}

bool TPasswordChangeForm::isCurrentPassword(const QString &password) const
{
    QSqlQuery user = DatabaseEngine::byName(MainDatabaseName)
                         .run(QStringLiteral("SELECT USE_PASSWORD FROM SYS_USER_TABLE WHERE USE_ID = ?"), {App().UserID});
    return user.next() && CheckPassword(password, user.value(0).toString());
}

void TPasswordChangeForm::ButtonOKClick()
{
    const QString oldPassword = EditOldPassword->text().trimmed();
    const QString newPassword = EditNewPassword->text().trimmed();
    const QString confirmation = EditConfirmPassword->text().trimmed();
    if (oldPassword.isEmpty()) {
        ShowWarning(NewPasswordRequired);
        EditOldPassword->setFocus();
        return;
    }
    if (!isCurrentPassword(oldPassword)) {
        ShowWarning(QStringLiteral("错误的老口令"));
        EditOldPassword->setFocus();
        return;
    }
    if (newPassword.isEmpty()) {
        ShowWarning(NewPasswordRequired);
        EditNewPassword->setFocus();
        return;
    }
    if (confirmation.isEmpty()) {
        ShowWarning(NewPasswordRequired);
        EditConfirmPassword->setFocus();
        return;
    }
    if (newPassword != confirmation) {
        ShowWarning(QStringLiteral("新口令与确认的新口令不一致"));
        EditNewPassword->setFocus();
        return;
    }
    bool changed = false;
    try {
        QSqlQuery update = DatabaseEngine::byName(MainDatabaseName)
                               .run(QStringLiteral("Update SYS_USER_TABLE set USE_PASSWORD = ? where USE_ID = ?"),
                                    {HashPassword(newPassword), App().UserID});
        changed = update.numRowsAffected() == 1;
    } catch (const std::exception &) {
        changed = false;
    }
    if (!changed) {
        ShowWarning(QStringLiteral("口令改变过程发生错误"));
        EditNewPassword->setFocus();
        return;
    }
    ShowWarning(QStringLiteral("口令改变成功"));
    clearNewPasswords();
    close();
}
