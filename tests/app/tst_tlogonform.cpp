#include "appvalues.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "passwordhash.h"
#include "scriptedmessages.h"
#include "settingsstore.h"
#include "testdatabase.h"
#include "tlogonform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

class TestLogonForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void initTestCase();
    void init();
    void cleanup();
    void listsValidUsersOnly();
    void signsOn_data();
    void signsOn();
    void allowsFourTries_data();
    void allowsFourTries();
    void keysAndColours();

private:
    void addUser(const QString &id, const QString &name, const QString &storedPassword, const QString &systemUser,
                 const QString &useRight);
    void tryToSignOn(TLogonForm &form, const QString &id, const QString &password);

    std::unique_ptr<TestDatabase> m_db;
    QString m_hash1;
    QString m_hash3;
};

void TestLogonForm::initTestCase_data()
{
    TestDatabase::addBackendRows();
}

void TestLogonForm::initTestCase()
{
    m_hash1 = HashPassword(QStringLiteral("pw1"));
    m_hash3 = HashPassword(QStringLiteral("pw3"));
}

void TestLogonForm::addUser(const QString &id, const QString &name, const QString &storedPassword,
                            const QString &systemUser, const QString &useRight)
{
    m_db->engine().run(QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) VALUES(?,?,?,?,?)"),
                       {id, name, storedPassword, systemUser, useRight});
}

void TestLogonForm::init()
{
    m_db = std::make_unique<TestDatabase>(TestDatabase::currentBackend());
    const AppValues initial;
    App().UserID = initial.UserID;
    App().UserName = initial.UserName;
    App().IsSystemUser = initial.IsSystemUser;
    App().ImeName = initial.ImeName;
    addUser(QStringLiteral("A01"), QStringLiteral("张三"), m_hash1, QStringLiteral("是"), QStringLiteral("有效"));
    addUser(QStringLiteral("B02"), QStringLiteral("李四"), QStringLiteral("926"), QStringLiteral("否"), QStringLiteral("有效"));
    addUser(QStringLiteral("C03"), QStringLiteral("王五"), m_hash3, QStringLiteral("是"), QStringLiteral("停用"));
    SettingsStore::write(QStringLiteral("RuveloImes"), QStringLiteral("拼音"));
}

void TestLogonForm::cleanup()
{
    m_db.reset();
}

void TestLogonForm::tryToSignOn(TLogonForm &form, const QString &id, const QString &password)
{
    auto *ids = form.findChild<QComboBox *>(QStringLiteral("UserIDBox"));
    auto *passwordEdit = form.findChild<QLineEdit *>(QStringLiteral("PasswordEdit"));
    ids->setEditText(QString());
    QTest::keyClicks(ids, id);
    passwordEdit->clear();
    QTest::keyClicks(passwordEdit, password);
    QTest::keyClick(passwordEdit, Qt::Key_F3);
}

void TestLogonForm::listsValidUsersOnly()
{
    TLogonForm form;
    form.show();
    auto *ids = form.findChild<QComboBox *>(QStringLiteral("UserIDBox"));
    QStringList items;
    for (int i = 0; i < ids->count(); ++i)
        items << ids->itemText(i);
    items.sort();
    QCOMPARE(items, (QStringList{QStringLiteral("A01"), QStringLiteral("B02")}));
    QCOMPARE(ids->currentText(), QString());
}

void TestLogonForm::signsOn_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("userName");  // empty: refused
    QTest::addColumn<bool>("systemUser");
    QTest::newRow("blanks around ID and password") << " A01 " << " pw1 " << "张三" << true;
    QTest::newRow("plain-text password of older data") << "B02" << "926" << "李四" << false;
    QTest::newRow("wrong password") << "A01" << "pw2" << "" << false;
    QTest::newRow("unknown ID") << "Z99" << "pw1" << "" << false;
    QTest::newRow("stopped user, right password") << "C03" << "pw3" << "" << false;
    QTest::newRow("injected password") << "A01" << "'or'1'='1" << "" << false;
    QTest::newRow("injected ID") << "'or'1'='1" << "x" << "" << false;
}

void TestLogonForm::signsOn()
{
    QFETCH(QString, id);
    QFETCH(QString, password);
    QFETCH(QString, userName);
    QFETCH(bool, systemUser);
    ScriptedMessages messages;
    TLogonForm form;
    form.show();

    tryToSignOn(form, id, password);

    if (userName.isEmpty()) {
        QCOMPARE(messages.warnings, QStringList{QStringLiteral("错误的用户编号或错误的口令")});
        QVERIFY(form.isVisible());
        QCOMPARE(App().UserID, AppValues().UserID);
        QCOMPARE(App().UserName, AppValues().UserName);
    } else {
        QVERIFY(messages.all.isEmpty());
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(App().UserID, id.trimmed());
        QCOMPARE(App().UserName, userName);
        QCOMPARE(App().IsSystemUser, systemUser);
        QCOMPARE(App().ImeName, QStringLiteral("拼音"));
    }
}

void TestLogonForm::allowsFourTries_data()
{
    QTest::addColumn<QString>("fourthPassword");
    QTest::addColumn<bool>("signedOn");
    QTest::newRow("fourth try right") << "pw1" << true;
    QTest::newRow("fourth try wrong") << "bad" << false;
}

void TestLogonForm::allowsFourTries()
{
    QFETCH(QString, fourthPassword);
    QFETCH(bool, signedOn);
    ScriptedMessages messages;
    TLogonForm form;
    form.show();

    for (int i = 0; i < 3; ++i)
        tryToSignOn(form, QStringLiteral("A01"), QStringLiteral("bad"));
    QCOMPARE(messages.warnings, QStringList(3, QStringLiteral("错误的用户编号或错误的口令")));
    QVERIFY(form.isVisible());

    tryToSignOn(form, QStringLiteral("A01"), fourthPassword);
    QVERIFY(!form.isVisible());
    if (signedOn) {
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(messages.warnings.size(), 3);
    } else {
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(messages.warnings.last(), QStringLiteral("您可能是非法的用户,不能登陆系统"));
        QCOMPARE(App().UserID, AppValues().UserID);
    }
}

void TestLogonForm::keysAndColours()
{
    ScriptedMessages messages;
    TLogonForm form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *ids = form.findChild<QComboBox *>(QStringLiteral("UserIDBox"));
    auto *passwordEdit = form.findChild<QLineEdit *>(QStringLiteral("PasswordEdit"));

    QVERIFY(ids->hasFocus());
    QCOMPARE(ids->palette().color(QPalette::Base), QColor::fromRgb(AppValues::ColorOnFocus));
    QCOMPARE(passwordEdit->palette().color(QPalette::Base), QColor::fromRgb(AppValues::EditColor));

    QTest::keyClick(ids, Qt::Key_Return);
    QVERIFY(passwordEdit->hasFocus());
    QCOMPARE(passwordEdit->palette().color(QPalette::Base), QColor::fromRgb(AppValues::ColorOnFocus));
    QCOMPARE(ids->palette().color(QPalette::Base), QColor::fromRgb(AppValues::EditColor));
    QVERIFY(form.isVisible());

    QTest::keyClick(passwordEdit, Qt::Key_F4);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(messages.all.isEmpty());
}

QTEST_MAIN(TestLogonForm)
#include "tst_tlogonform.moc"
