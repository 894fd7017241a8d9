#include "tlogonform.h"

#include "appvalues.h"
#include "databaseengine.h"
#include "dataset.h"
#include "dbhelpers.h"
#include "dialoginputs.h"
#include "exceptionhandler.h"
#include "messageservice.h"
#include "passwordhash.h"
#include "settingsstore.h"
#include "uihelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

constexpr int MaxTries = 4;
const QString Valid = QStringLiteral("有效");

// The dialog's picture: a padlock.
QPixmap padlockPicture()
{
    QPixmap picture(64, 72);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x6b, 0x6b, 0x78), 7, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(14, 4, 36, 40), 0, 180 * 16);
    painter.drawLine(QPointF(14, 24), QPointF(14, 32));
    painter.drawLine(QPointF(50, 24), QPointF(50, 32));
    QLinearGradient body(0, 30, 0, 70);
    body.setColorAt(0, QColor(0xf2, 0xc1, 0x3b));
    body.setColorAt(1, QColor(0xc0, 0x84, 0x10));
    painter.setPen(QPen(QColor(0x8a, 0x5a, 0x08), 1.5));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(5, 30, 54, 40), 6, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x4a, 0x30, 0x05));
    painter.drawEllipse(QPointF(32, 46), 5, 5);
    painter.drawRect(QRectF(30, 46, 4, 13));
    return picture;
}

} // namespace

TLogonForm::TLogonForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LogonForm"));
    setWindowTitle(QStringLiteral("用户登陆窗口"));

    m_userIDBox = new QComboBox(this);
    m_userIDBox->setObjectName(QStringLiteral("UserIDBox"));
    m_userIDBox->setEditable(true);
    m_userIDBox->setInsertPolicy(QComboBox::NoInsert);
    m_userIDBox->setMinimumWidth(150);
    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_passwordEdit->setMaxLength(10);
    m_passwordEdit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    m_buttonOK = new QPushButton(QStringLiteral("确定[F3]"), this);
    m_buttonOK->setObjectName(QStringLiteral("ButtonOK"));
    m_buttonCancel = new QPushButton(QStringLiteral("取消[F4]"), this);
    m_buttonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    for (QPushButton *button : {m_buttonOK, m_buttonCancel})
        button->setMinimumWidth(88);

    auto *picture = new QLabel(this);
    picture->setPixmap(padlockPicture());
    picture->setAlignment(Qt::AlignCenter);
    auto *userLabel = new QLabel(QStringLiteral("用户编号"), this);
    userLabel->setBuddy(m_userIDBox);
    auto *passwordLabel = new QLabel(QStringLiteral("用户口令"), this);
    passwordLabel->setBuddy(m_passwordEdit);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    grid->addWidget(picture, 0, 0, 2, 1);
    grid->addWidget(userLabel, 0, 1);
    grid->addWidget(m_userIDBox, 0, 2);
    grid->addWidget(passwordLabel, 1, 1);
    grid->addWidget(m_passwordEdit, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttonOK);
    buttons->addWidget(m_buttonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(16);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_userIDBox, m_passwordEdit);
    setTabOrder(m_passwordEdit, m_buttonOK);
    setTabOrder(m_buttonOK, m_buttonCancel);

    connect(m_buttonOK, &QPushButton::clicked, this, &TLogonForm::ButtonOKClick);
    connect(m_buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
    new DialogInputs(this, m_buttonOK, m_buttonCancel);

    const auto users = OpenSQL(MainDatabaseName, QStringLiteral("SELECT  USE_ID from SYS_USER_TABLE WHERE STOP_RIGHT ='有效'"));
    FillComboItems(m_userIDBox, *users, QStringLiteral("USE_ID"));
    m_userIDBox->setCurrentIndex(-1);
}

void TLogonForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!parentWidget() || !parentWidget()->isVisible())
        CenterOnScreen(this);
    m_userIDBox->setFocus();
}

void TLogonForm::ButtonOKClick()
{
    try {
        const SignOn result = signOn(m_userIDBox->currentText().trimmed(), m_passwordEdit->text().trimmed());
        if (result == SignOn::Stopped)
            return;
        if (result == SignOn::Done) {
            App().ImeName = ReadSetting(QStringLiteral("RuveloImes"));
            accept();
            return;
        }
        if (m_failures < MaxTries - 1) {
            ++m_failures;
            ShowWarning(QStringLiteral("错误的用户编号或错误的口令"));
            m_userIDBox->setFocus();
            return;
        }
        ShowWarning(QStringLiteral("您可能是非法的用户,不能登陆系统"));
        reject();
    } catch (...) {
        HandleCurrentException(this);
    }
}

TLogonForm::SignOn TLogonForm::signOn(const QString &id, const QString &password)
{
    // The row is found by its bound ID; the password is checked here, never in SQL.
    Dataset user(DatabaseEngine::byName(MainDatabaseName).run(
        QStringLiteral("SELECT  USE_ID,USE_NAME,SYS_USER,STOP_RIGHT,USE_PASSWORD from SYS_USER_TABLE "
                       "where USE_ID = ? and STOP_RIGHT ='有效'"),
        {id}));
    if (user.eof())
        return SignOn::Refused;
    const QVariant stored = user.value(QStringLiteral("USE_PASSWORD"));
    if (stored.isNull() || !CheckPassword(password, stored.toString()))
        return SignOn::Refused;
    // An engine that compares text more loosely than exactly may return a stopped user.
    if (user.text(QStringLiteral("STOP_RIGHT")) != Valid) {
        ShowWarning(QStringLiteral("该用户的使用权限已被取消"));
        return SignOn::Stopped;
    }
    App().UserName = user.text(QStringLiteral("USE_NAME"));
    App().UserID = user.text(QStringLiteral("USE_ID"));
    App().IsSystemUser = user.text(QStringLiteral("SYS_USER")) == QStringLiteral("是");
    return SignOn::Done;
}
