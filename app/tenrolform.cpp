#include "tenrolform.h"

#include "appvalues.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "dialoginputs.h"
#include "exceptionhandler.h"
#include "gbklengthvalidator.h"
#include "messageservice.h"
#include "passwordhash.h"
#include "settingsstore.h"
#include "sqldialect.h"
#include "tsetautoidform.h"
#include "uihelpers.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

namespace {

// The programs of the shipped SYS_PROGRAM_TABLE as (COMPOSE_ID, PROGRAM_ID).
constexpr std::pair<int, int> Programs[] = {
    {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 1}, {2, 2}, {2, 3},
    {3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}, {4, 1}, {4, 2}, {4, 3},
};

// The width of audit columns (VERIFY_NAME and the like) that receive the user's name.
constexpr int UserNameWidth = 10;

// The date CREATE_DATE receives: the working date, or the machine date before the splash
// screen has set it.
QDate workingDate()
{
    const QDate today = QDate::fromString(App().TodayText, QStringLiteral("yyyy-MM-dd"));
    return today.isValid() ? today : QDate::currentDate();
}

} // namespace

TEnrolForm::TEnrolForm(QWidget *parent, HelpOpener helpOpener)
    : QDialog(parent), m_helpOpener(std::move(helpOpener))
{
    setObjectName(QStringLiteral("EnrolForm"));
    setWindowTitle(QStringLiteral("注册窗口"));

    auto edit = [this](const char *objectName, int maxWidth, bool upperCase) {
        auto *input = new QLineEdit(this);
        input->setObjectName(QLatin1String(objectName));
        input->setMaxLength(maxWidth);
        input->setValidator(new GbkLengthValidator(maxWidth, upperCase, input));
        return input;
    };
    m_companyName = edit("EditCompanyName", 40, false);
    m_postcode = edit("EditPostcode", 6, true);
    m_fax = edit("EditFax", 20, false);
    m_phone = edit("EditPhone", 40, false);
    m_address = edit("EditAddress", 40, false);
    // The desktop chooses the input method, so the list stays empty and hidden.
    m_inputMethod = new QComboBox(this);
    m_inputMethod->setObjectName(QStringLiteral("ImeBox"));
    m_inputMethod->hide();
    m_userID = edit("EditUserID", 6, true);
    m_userName = edit("EditUserName", UserNameWidth, false);
    m_password = edit("EditPassword", 10, false);
    m_confirmation = edit("EditConfirmation", 10, false);
    for (QLineEdit *secret : {m_password, m_confirmation}) {
        secret->setEchoMode(QLineEdit::Password);
        secret->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    }
    m_companyName->setMinimumWidth(330);

    m_buttonOk = new QPushButton(QStringLiteral("确认F3"), this);
    m_buttonOk->setObjectName(QStringLiteral("Button_Ok"));
    m_buttonClose = new QPushButton(QStringLiteral("关闭F4"), this);
    m_buttonClose->setObjectName(QStringLiteral("Button_Close"));
    for (QPushButton *button : {m_buttonOk, m_buttonClose})
        button->setMinimumWidth(88);

    auto *hint = new QLabel(QStringLiteral("自己输入:单位名称、 用户编号、用户姓名、口令等！"), this);
    hint->setStyleSheet(QStringLiteral("color: #a00000;"));

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    auto label = [this, grid](const QString &caption, QWidget *input, int row, int column, int span) {
        auto *text = new QLabel(caption, this);
        text->setBuddy(input);
        text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(text, row, column);
        grid->addWidget(input, row, column + 1, 1, span);
    };
    label(QStringLiteral("单位名称"), m_companyName, 0, 0, 3);
    label(QStringLiteral("邮编"), m_postcode, 1, 0, 1);
    label(QStringLiteral("传真"), m_fax, 1, 2, 1);
    label(QStringLiteral("电话"), m_phone, 2, 0, 3);
    label(QStringLiteral("单位地址"), m_address, 3, 0, 3);
    label(QStringLiteral("用户编号"), m_userID, 4, 0, 1);
    label(QStringLiteral("用户姓名"), m_userName, 4, 2, 1);
    label(QStringLiteral("口令"), m_password, 5, 0, 1);
    label(QStringLiteral("口令确认"), m_confirmation, 5, 2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_buttonOk);
    buttons->addWidget(m_buttonClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(14);
    layout->addWidget(hint);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *order[] = {m_companyName, m_postcode, m_fax, m_phone, m_address, m_inputMethod,
                        m_userID, m_userName, m_password, m_confirmation, m_buttonOk, m_buttonClose};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_buttonOk, &QPushButton::clicked, this, &TEnrolForm::Button_OkClick);
    connect(m_buttonClose, &QPushButton::clicked, this, &QDialog::reject);
    new DialogInputs(this, m_buttonOk, m_buttonClose);
}

void TEnrolForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
    m_companyName->setFocus();
}

QString TEnrolForm::text(const QLineEdit *edit) const
{
    return edit->text().trimmed();
}

bool TEnrolForm::checkInputs()
{
    const std::pair<QLineEdit *, const char *> required[] = {
        {m_companyName, "必须输入企业名称"}, {m_phone, "必须输入电话"}, {m_address, "必须输入地址"},
        {m_userID, "必须输入用户编号"}, {m_userName, "必须输入用户姓名"}, {m_password, "必须输入用户口令"},
        {m_confirmation, "必须确认用户口令"},
    };
    for (const auto &[edit, message] : required) {
        if (text(edit).isEmpty()) {
            ShowWarning(QString::fromUtf8(message));
            edit->setFocus();
            return false;
        }
    }
    if (text(m_password) != text(m_confirmation)) {
        ShowWarning(QStringLiteral("口令确认错误"));
        m_password->setFocus();
        return false;
    }
    return true;
}

bool TEnrolForm::writeCompany()
{
    const QString today = DatabaseEngine::byName(MainDatabaseName).dialect().date(QDate::currentDate());
    const bool exists = GetNumberValue(MainDatabaseName,
        QStringLiteral("SELECT Count(COMPANY_ID) FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001'")) > 0;
    QString sql;
    if (exists) {
        sql = QStringLiteral("UPDATE SYS_COMPANY_TABLE SET PRIOR_ID = 'G002',ORDER_ID = 1,COMPANY_NAME = ") + sqlText(text(m_companyName))
            + QStringLiteral(",COMPANY_POSTCODE = ") + sqlText(text(m_postcode))
            + QStringLiteral(",COMPANY_FAX = ") + sqlText(text(m_fax))
            + QStringLiteral(",COMPANY_PHONE = ") + sqlText(text(m_phone))
            + QStringLiteral(",COMPANY_ADDRESS = ") + sqlText(text(m_address))
            + QStringLiteral(",CREATE_NAME = ") + sqlText(text(m_userName))
            + QStringLiteral(",CREATE_DATE = ") + today
            + QStringLiteral("  WHERE COMPANY_ID = 'G001'");
    } else {
        sql = QStringLiteral("INSERT INTO SYS_COMPANY_TABLE(ORDER_ID,PRIOR_ID,COMPANY_ID,COMPANY_NAME,COMPANY_POSTCODE,"
                             "COMPANY_FAX,COMPANY_PHONE,COMPANY_ADDRESS,CREATE_NAME,CREATE_DATE) VALUES(1,'G002','G001',")
            + sqlText(text(m_companyName)) + QLatin1Char(',') + sqlText(text(m_postcode)) + QLatin1Char(',')
            + sqlText(text(m_fax)) + QLatin1Char(',') + sqlText(text(m_phone)) + QLatin1Char(',')
            + sqlText(text(m_address)) + QLatin1Char(',') + sqlText(text(m_userName)) + QLatin1Char(',')
            + today + QLatin1Char(')');
    }
    return ExecuteSQL(MainDatabaseName, sql);
}

bool TEnrolForm::writeUser()
{
    DatabaseEngine &database = DatabaseEngine::byName(MainDatabaseName);
    const QString id = sqlText(text(m_userID));
    const QString name = sqlText(text(m_userName));
    const QString userInsert =
        QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_PASSWORD,USE_ID,USE_NAME,SYS_USER,STOP_RIGHT,CREATE_NAME,CREATE_DATE) VALUES(")
        + sqlText(HashPassword(text(m_password))) + QLatin1Char(',') + id + QLatin1Char(',') + name
        + QStringLiteral(",'是','有效',") + name + QLatin1Char(',') + database.dialect().date(workingDate()) + QLatin1Char(')');

    DatabaseEngine::Transaction transaction(database);
    // Only the enrolled user's rights are replaced; other users keep theirs.
    if (!ExecuteSQL(MainDatabaseName, QStringLiteral("DELETE FROM SYS_RIGHT_TABLE WHERE USE_ID = ") + id))
        return false;
    ExecuteSQL(MainDatabaseName, QStringLiteral("DELETE  FROM SYS_USER_TABLE WHERE USE_ID = ") + id);
    if (!ExecuteSQL(MainDatabaseName, userInsert))
        return false;
    for (const auto &[compose, program] : Programs) {
        const QString rightInsert =
            QStringLiteral("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,EDIT_RIGHT,DElETE_RIGHT,"
                           "BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT,CURRENCY_RIGHT)VALUES(")
            + id + QLatin1Char(',') + QString::number(compose) + QLatin1Char(',') + QString::number(program)
            + QStringLiteral(",'是','是','是','是','是','是','是')");
        if (!ExecuteSQL(MainDatabaseName, rightInsert))
            return false;
    }
    transaction.commit();
    return true;
}

void TEnrolForm::Button_OkClick()
{
    try {
        if (!checkInputs())
            return;
        App().CompanyName = text(m_companyName);
        if (!writeCompany()) {
            ShowWarning(QStringLiteral("企业名称注册错误"));
            return;
        }
        if (!writeUser()) {
            ShowWarning(QStringLiteral("用户注册错误"));
            return;
        }
        App().IsSystemUser = true;
        App().UserName = text(m_userName);
        App().UserID = text(m_userID);
        App().ImeName = m_inputMethod->currentText();
        App().CompanyName = text(m_companyName);
        WriteSetting(QStringLiteral("RuveloImes"), App().ImeName);
        ShowWarning(QStringLiteral("您的用户名称是：") + App().UserName + QStringLiteral("\n\r")
                    + QStringLiteral("    用户编号是：") + App().UserID);

        hide();
        TSetAutoIDForm settings(parentWidget());
        settings.exec();
        if (m_helpOpener)
            m_helpOpener(App().HelpFile);
        accept();
    } catch (...) {
        HandleCurrentException(this);
    }
}
