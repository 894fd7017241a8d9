#include "passwordhash.h"
#include "screenfixture.h"
#include "tpasswordchangeform.h"
#include "tqxedit.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

// The password change screen: refusals leave the stored password as it was; a change
// stores the trimmed new password hashed and closes the screen.
class tst_TPasswordChangeForm : public QObject, ScreenFixture
{
    Q_OBJECT

    QPointer<TPasswordChangeForm> screen;
    QString storedBefore;

    static QString storedPassword(const QString &user)
    {
        return cell("SELECT USE_PASSWORD FROM SYS_USER_TABLE WHERE USE_ID = ?", {user});
    }

    // Types the three passwords, moving on with Enter, and presses F3.
    void fillAndConfirm(const QString &oldPassword, const QString &newPassword, const QString &confirmation)
    {
        QCOMPARE(QApplication::focusWidget(), screen->EditOldPassword);
        for (const QString &text : {oldPassword, newPassword, confirmation}) {
            QTest::keyClicks(focused(), text);
            press(Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), screen->ButtonOK);
        press(Qt::Key_F3);
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void init()
    {
        setUpScreenTest("02", "李四");
        for (const QString user : {"01", "02"})
            run("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) VALUES(?,?,?,'否','有效')",
                {user, "用户" + user, HashPassword("old")});
        storedBefore = storedPassword("02");
        screen = new TPasswordChangeForm(main.get());
        showScreen(screen);
    }

    void cleanup() { tearDownScreenTest(); }

    void refusals_data()
    {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no old password") << "" << "new" << "new" << "必须输入新口令" << "EditOldPassword";
        QTest::newRow("wrong old password") << "olx" << "new" << "new" << "错误的老口令" << "EditOldPassword";
        QTest::newRow("injected old password") << "'or'1'='1" << "new" << "new" << "错误的老口令" << "EditOldPassword";
        QTest::newRow("no new password") << "old" << "  " << "new" << "必须输入新口令" << "EditNewPassword";
        QTest::newRow("no confirmation") << "old" << "new" << "" << "必须输入新口令" << "EditConfirmPassword";
        QTest::newRow("confirmation differs") << "old" << "new" << "neW" << "新口令与确认的新口令不一致" << "EditNewPassword";
    }

    void refusals()
    {
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmation);
        QFETCH(QString, warning);
        QFETCH(QString, focus);
        fillAndConfirm(oldPassword, newPassword, confirmation);
        QCOMPARE(messages->warnings, QStringList{warning});
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(storedPassword("02"), storedBefore);
    }

    void changesOwnPasswordOnly()
    {
        const QString otherBefore = storedPassword("01");
        fillAndConfirm(" old ", "  neu 1 ", " neu 1");
        QCOMPARE(messages->warnings, QStringList{"口令改变成功"});
        QTRY_VERIFY(!screen);
        const QString stored = storedPassword("02");
        QVERIFY(stored != "neu 1");
        QVERIFY(CheckPassword("neu 1", stored));
        QVERIFY(!CheckPassword("old", stored));
        QCOMPARE(storedPassword("01"), otherBefore);
    }

    void closeKeyStoresNothing()
    {
        for (const QString text : {"old", "new", "new"}) {
            QTest::keyClicks(focused(), text);
            press(Qt::Key_Return);
        }
        press(Qt::Key_F4);
        QTRY_VERIFY(!screen);
        QCOMPARE(storedPassword("02"), storedBefore);
        QVERIFY(messages->all.isEmpty());
    }
};

QTEST_MAIN(tst_TPasswordChangeForm)
#include "tst_tpasswordchangeform.moc"
