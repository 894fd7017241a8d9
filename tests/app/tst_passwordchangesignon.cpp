#include "appvalues.h"
#include "passwordhash.h"
#include "screenfixture.h"
#include "tlogonform.h"
#include "tpasswordchangeform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

// A password changed on the password change screen is the one the sign-on dialog accepts.
class tst_PasswordChangeSignOn : public QObject, ScreenFixture
{
    Q_OBJECT

    static bool signOn(const QString &id, const QString &password)
    {
        TLogonForm form;
        form.show();
        auto *ids = form.findChild<QComboBox *>(QStringLiteral("UserIDBox"));
        auto *passwordEdit = form.findChild<QLineEdit *>(QStringLiteral("PasswordEdit"));
        ids->setEditText(QString());
        QTest::keyClicks(ids, id);
        QTest::keyClicks(passwordEdit, password);
        QTest::keyClick(passwordEdit, Qt::Key_F3);
        return !form.isVisible() && form.result() == QDialog::Accepted;
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init() { setUpScreenTest("02", QString()); }
    void cleanup() { tearDownScreenTest(); }

    void changedPasswordSignsOn()
    {
        run("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) VALUES('02','李四',?,'否','有效')",
            {HashPassword("926")});
        QPointer<TPasswordChangeForm> screen = new TPasswordChangeForm(main.get());
        showScreen(screen);
        for (const QString text : {"926", " neu9 ", "neu9"}) {
            QTest::keyClicks(focused(), text);
            press(Qt::Key_Return);
        }
        press(Qt::Key_F3);
        QCOMPARE(messages->warnings, QStringList{"口令改变成功"});
        QTRY_VERIFY(!screen);

        messages->clear();
        QVERIFY(!signOn("02", "926"));
        QCOMPARE(messages->warnings, QStringList{"错误的用户编号或错误的口令"});
        QVERIFY(signOn("02", " neu9 "));
        QCOMPARE(App().UserName, QString("李四"));
    }
};

QTEST_MAIN(tst_PasswordChangeSignOn)
#include "tst_passwordchangesignon.moc"
