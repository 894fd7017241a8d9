#include "apperror.h"
#include "appvalues.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "guardedapplication.h"
#include "passwordhash.h"
#include "programparameters.h"
#include "producttitle.h"
#include "programstart.h"
#include "scriptedmessages.h"
#include "settingsstore.h"
#include "singleinstance.h"
#include "testdatabase.h"
#include "tenrolform.h"
#include "tlogonform.h"
#include "tmainform.h"
#include "tshowform.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {

using namespace std::chrono_literals;

const QString ScreenWarning = QStringLiteral("系统需要1024 × 768的屏幕分辨率才能正常显示,系统要调整分辨率到1024 × 768，"
                                             "您以后在运行本软件前请将屏幕分辨率设定为：1024 × 768,此时屏幕会闪一下出现黑屏");

// Acts on the first start-up dialog as soon as it shows: records its kind and how long
// after the start it came, then runs `action` on it.
class DialogWatcher
{
public:
    explicit DialogWatcher(std::function<void(QDialog *)> action) : m_action(std::move(action))
    {
        m_clock.start();
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<QDialog *>(widget);
                if (!dialog || !dialog->isVisible() || !kind.isEmpty())
                    continue;
                kind = QString::fromLatin1(dialog->metaObject()->className());
                shownAfter = m_clock.elapsed();
                splashVisible = anyVisible<TShowForm>();
                m_timer.stop();
                m_action(dialog);
            }
        });
        m_timer.start();
    }

    template <typename T>
    static bool anyVisible()
    {
        const QList<QWidget *> widgets = QApplication::topLevelWidgets();
        return std::any_of(widgets.begin(), widgets.end(), [](QWidget *w) { return qobject_cast<T *>(w) && w->isVisible(); });
    }

    QString kind;
    qint64 shownAfter = -1;
    bool splashVisible = false;

private:
    std::function<void(QDialog *)> m_action;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

// The messages shown, without the screen size warning a small screen gives first.
QStringList messagesAfterScreenCheck(const ScriptedMessages &messages)
{
    QStringList shown = messages.all;
    shown.removeAll(QStringLiteral("W:") + ScreenWarning);
    return shown;
}

void pressClose(QDialog *dialog)
{
    QTest::keyClick(dialog, Qt::Key_F4);
}

bool anyWindowVisible()
{
    const QList<QWidget *> widgets = QApplication::topLevelWidgets();
    return std::any_of(widgets.begin(), widgets.end(), [](QWidget *w) { return w->isVisible(); });
}

} // namespace

class TestProgramStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void missingAliasEndsQuietly();
    void databaseThatCannotBeOpened_data();
    void databaseThatCannotBeOpened();
    void choosesEnrolmentOrSignOn_data();
    void choosesEnrolmentOrSignOn();
    void signOnShowsTheMainWindow();
    void firstShowBacksUp();
    void secondCopyEnds();
    void failuresInEventsReachTheHandler();

private:
    StartOptions options() const;
    static void prepareSignOn(TestDatabase &db);
    static void signOnAsAdministrator(QDialog *dialog);
    QTemporaryDir m_instanceDir;
};

void TestProgramStart::initTestCase_data()
{
    TestDatabase::addBackendRows();
}

void TestProgramStart::init()
{
    QVERIFY(m_instanceDir.isValid());
}

StartOptions TestProgramStart::options() const
{
    StartOptions options;
    options.splashTime = 150ms;
    options.instanceDirectory = m_instanceDir.path();
    options.helpOpener = [](const QString &) {};
    return options;
}

void TestProgramStart::missingAliasEndsQuietly()
{
    TestDatabase db(TestDatabase::currentBackend());  // its settings file names no alias
    ScriptedMessages messages;
    ProgramStart start(options());

    QCOMPARE(start.run(), ProgramStart::Outcome::Ended);
    QVERIFY(!start.mainForm());
    QVERIFY(!anyWindowVisible());
    QVERIFY(messages.errors.isEmpty());
    QVERIFY(messages.warnings.last().startsWith(QStringLiteral("1.没有找到软件设置的数据库连接参数")));
    QVERIFY(messages.warnings.last().contains(QStringLiteral("打勾,然后重新打开软件。\n\r2.如果打勾后还提示此信息")));
    // The screen is measured first and left as it is.
    const int width = QGuiApplication::primaryScreen()->geometry().width();
    QCOMPARE(App().ScreenWidth, width);
    QCOMPARE(messages.warnings.size(), width < 1024 ? 2 : 1);
    if (width < 1024)
        QCOMPARE(messages.warnings.first(), ScreenWarning);
}

void TestProgramStart::databaseThatCannotBeOpened_data()
{
    // The file cases are SQLite's own; the server case runs on PostgreSQL only.
    QTest::addColumn<bool>("server");         // the alias names a server database
    QTest::addColumn<QByteArray>("content");  // of the database file; empty: no file
    QTest::newRow("no database file") << false << QByteArray();
    QTest::newRow("not a database") << false << QByteArray(4096, 'x');
    QTest::newRow("no such database on the server") << true << QByteArray();
}

void TestProgramStart::databaseThatCannotBeOpened()
{
    QFETCH(bool, server);
    QFETCH(QByteArray, content);
    TestDatabase db(TestDatabase::currentBackend());
    if (server != db.isServer())
        QSKIP("a case of the other engine");
    ScriptedMessages messages;
    QTemporaryDir broken;
    if (!content.isEmpty()) {
        QFile file(broken.filePath(QStringLiteral("RuveloDataBase.sqlite")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QString alias = broken.path();
    if (server) {
        QUrl missing(db.aliasValue());
        missing.setPath(missing.path() + QStringLiteral("_missing"));
        alias = missing.toString();
    }
    SettingsStore::write(MainAliasName, alias);
    ProgramStart start(options());

    QCOMPARE(start.run(), ProgramStart::Outcome::Failed);
    QVERIFY(!start.mainForm());
    QVERIFY(!anyWindowVisible());
    QCOMPARE(messages.warnings.last(), QStringLiteral("数据库打开过程发生错误"));
    QVERIFY(messages.errors.isEmpty());
}

void TestProgramStart::choosesEnrolmentOrSignOn_data()
{
    QTest::addColumn<QStringList>("users");  // SYS_USER of each user row
    QTest::addColumn<QString>("dialog");
    QTest::newRow("no users") << QStringList() << "TEnrolForm";
    QTest::newRow("users, none a system user") << QStringList{"否", "否"} << "TEnrolForm";
    QTest::newRow("a system user") << QStringList{"否", "是"} << "TLogonForm";
}

void TestProgramStart::choosesEnrolmentOrSignOn()
{
    QFETCH(QStringList, users);
    QFETCH(QString, dialog);
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    for (int i = 0; i < users.size(); ++i)
        db.engine().run(QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) VALUES(?,?,'x',?,'有效')"),
                        {QStringLiteral("U%1").arg(i), QStringLiteral("用户%1").arg(i), users[i]});
    SettingsStore::write(MainAliasName, db.aliasValue());
    DialogWatcher watcher(pressClose);
    ProgramStart start(options());

    QCOMPARE(start.run(), ProgramStart::Outcome::Ended);
    QCOMPARE(watcher.kind, dialog);
    QVERIFY(watcher.shownAfter >= 150);  // the splash stayed up its time first
    QVERIFY(!watcher.splashVisible);
    QVERIFY(!start.mainForm());
    QVERIFY(!anyWindowVisible());
    QVERIFY(messages.errors.isEmpty());
}

// The organisation and its system user "ADM" with the password "pw"; the alias names `db`.
void TestProgramStart::prepareSignOn(TestDatabase &db)
{
    db.engine().run(QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) VALUES('ADM','管理员',?,'是','有效')"),
                    {HashPassword(QStringLiteral("pw"))});
    ExecuteSQL(MainDatabaseName, QStringLiteral("INSERT INTO SYS_COMPANY_TABLE(COMPANY_ID,PRIOR_ID,ORDER_ID,COMPANY_NAME,COMPANY_PHONE,COMPANY_FAX,COMPANY_ADDRESS) "
                                                "VALUES('G001','G002',1,'东方运输公司','010-1','010-2','北京')"));
    SettingsStore::write(MainAliasName, db.aliasValue());
}

void TestProgramStart::signOnAsAdministrator(QDialog *dialog)
{
    dialog->findChild<QComboBox *>(QStringLiteral("UserIDBox"))->setEditText(QStringLiteral("ADM"));
    auto *password = dialog->findChild<QLineEdit *>(QStringLiteral("PasswordEdit"));
    password->setText(QStringLiteral("pw"));
    QTest::keyClick(password, Qt::Key_F3);
}

void TestProgramStart::signOnShowsTheMainWindow()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    QVERIFY(WriteParameter(QStringLiteral("不自动数据备份"), QStringLiteral("是")));
    prepareSignOn(db);
    DialogWatcher watcher(signOnAsAdministrator);
    ProgramStart start(options());

    QCOMPARE(start.run(), ProgramStart::Outcome::SignedOn);
    QCOMPARE(watcher.kind, QStringLiteral("TLogonForm"));
    TMainForm *main = start.mainForm();
    QVERIFY(main && main->isVisible());
    QVERIFY(main->isMaximized());
    QCOMPARE(main->windowTitle(), QStringLiteral("东方运输公司") + ProductTitle);
    QCOMPARE(main->minimumSize(), QSize(600, 460));
    QCOMPARE(App().UserID, QStringLiteral("ADM"));
    // A server database has no directory: the program's start directory stands in for it.
    QCOMPARE(App().DataDir, db.isServer() ? QString() : db.dataDir());
    QCOMPARE(App().BaseDir, db.isServer() ? QDir::currentPath() : QFileInfo(db.dataDir()).absolutePath());
    QCOMPARE(App().HelpFile, QCoreApplication::applicationDirPath() + QStringLiteral("/路威车辆管理系统帮助.html"));
    QCOMPARE(App().TodayText, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    QCOMPARE((QStringList{App().CompanyPhone, App().CompanyFax, App().CompanyAddress}),
             (QStringList{"010-1", "010-2", "北京"}));
    QTest::qWait(50);
    QCOMPARE(messagesAfterScreenCheck(messages), QStringList{});
}

// The signed-on main window offers the backup once it shows; taken, it archives the
// database into the remembered backup directory.
void TestProgramStart::firstShowBacksUp()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    QTemporaryDir backups;
    QVERIFY(WriteParameter(QStringLiteral("不自动数据备份"), QStringLiteral("否")));
    SettingsStore::write(QStringLiteral("RuveloData"), backups.path() + QLatin1Char('/'));  // stored as the chooser gives it
    prepareSignOn(db);
    messages.answers << true;
    DialogWatcher watcher(signOnAsAdministrator);
    ProgramStart start(options());

    QCOMPARE(start.run(), ProgramStart::Outcome::SignedOn);
    QTRY_COMPARE_WITH_TIMEOUT(messagesAfterScreenCheck(messages).size(), 2, 20000);
    const QStringList shown = messagesAfterScreenCheck(messages);
    QCOMPARE(shown.first(), QStringLiteral("Q:是否备份数据 ?"));
    QVERIFY2(shown.last().startsWith(QStringLiteral("W:数据库成功备份到：")), qPrintable(shown.last()));
    const QStringList archives = QDir(backups.path()).entryList(QDir::Files);
    QCOMPARE(archives.size(), 1);
    QVERIFY(archives.first().startsWith(QStringLiteral("东方运输公司工程车辆")));
    QVERIFY(QFileInfo(backups.filePath(archives.first())).size() > 0);
}

void TestProgramStart::secondCopyEnds()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    SettingsStore::write(MainAliasName, db.aliasValue());
    SingleInstance running(m_instanceDir.path());
    QSignalSpy activations(&running, &SingleInstance::activationRequested);
    QVERIFY(running.CheckSingleInstance(ProductTitle));
    DialogWatcher watcher(pressClose);
    ProgramStart start(options());

    QCOMPARE(start.run(), ProgramStart::Outcome::Ended);
    QVERIFY(watcher.kind.isEmpty());
    QCOMPARE(messages.warnings.last(), QStringLiteral("程序已经运行"));
    QVERIFY(!anyWindowVisible());
    QVERIFY(activations.wait(5000));
}

void TestProgramStart::failuresInEventsReachTheHandler()
{
    ScriptedMessages messages;
    QTimer::singleShot(0, qApp, [] { throw DatabaseError(QStringLiteral("表不存在")); });
    QTRY_COMPARE(messages.errors, QStringList{QStringLiteral("EDatabaseError:表不存在")});
}

int main(int argc, char **argv)
{
    GuardedApplication app(argc, argv);
    TestProgramStart test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programstart.moc"
