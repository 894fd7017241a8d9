#include "scriptedmessages.h"
#include "singleinstance.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>

namespace {

const QString Title = QStringLiteral("路威车辆管理系统");

// Starts this executable as another program copy that takes the lock in `dir`; `mode` is
// "--hold" (runs until asked to come forward, then ends with 5) or "--crash" (ends at once
// without releasing anything). Returns once the copy holds the lock.
bool startCopy(QProcess &copy, const QString &mode, const QString &dir)
{
    copy.start(QCoreApplication::applicationFilePath(), {mode, dir, Title});
    return copy.waitForReadyRead(10000) && copy.readLine().trimmed() == "locked";
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void namesTheLockAfterTheTitle_data();
    void namesTheLockAfterTheTitle();
    void secondCopyInTheSameProcess();
    void secondCopyAsksTheFirstToComeForward();
    void lockOfACrashedCopyIsTakenOver();
};

void TestSingleInstance::namesTheLockAfterTheTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::newRow("product title") << Title << QStringLiteral("QX路威车辆管理系统");
    QTest::newRow("path characters") << QStringLiteral("a/b\\c:d e*?") << QStringLiteral("QXa_b_c_d_e__");
}

void TestSingleInstance::namesTheLockAfterTheTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QCOMPARE(SingleInstance::lockName(title), name);
}

void TestSingleInstance::secondCopyInTheSameProcess()
{
    ScriptedMessages messages;
    QTemporaryDir dir;
    auto first = std::make_unique<SingleInstance>(dir.path());
    QSignalSpy activations(first.get(), &SingleInstance::activationRequested);
    QVERIFY(first->CheckSingleInstance(Title));
    QVERIFY(messages.all.isEmpty());

    SingleInstance second(dir.path());
    QVERIFY(!second.CheckSingleInstance(Title));
    QCOMPARE(messages.warnings, QStringList{QStringLiteral("程序已经运行")});
    QVERIFY(activations.wait(5000));

    // Another title is another program.
    SingleInstance other(dir.path());
    QVERIFY(other.CheckSingleInstance(QStringLiteral("其它程序")));

    first.reset();
    SingleInstance third(dir.path());
    QVERIFY(third.CheckSingleInstance(Title));
    QCOMPARE(messages.warnings.size(), 1);
}

void TestSingleInstance::secondCopyAsksTheFirstToComeForward()
{
    ScriptedMessages messages;
    QTemporaryDir dir;
    QProcess copy;
    QVERIFY(startCopy(copy, QStringLiteral("--hold"), dir.path()));

    SingleInstance second(dir.path());
    QVERIFY(!second.CheckSingleInstance(Title));
    QCOMPARE(messages.warnings, QStringList{QStringLiteral("程序已经运行")});
    QVERIFY(copy.waitForFinished(10000));
    QCOMPARE(copy.exitCode(), 5);  // the running copy was asked to come forward

    SingleInstance after(dir.path());
    QVERIFY(after.CheckSingleInstance(Title));
}

void TestSingleInstance::lockOfACrashedCopyIsTakenOver()
{
    ScriptedMessages messages;
    QTemporaryDir dir;
    QProcess copy;
    QVERIFY(startCopy(copy, QStringLiteral("--crash"), dir.path()));
    QVERIFY(copy.waitForFinished(10000));
    QVERIFY(QFileInfo::exists(dir.filePath(SingleInstance::lockName(Title) + QStringLiteral(".lock"))));

    SingleInstance next(dir.path());
    QSignalSpy activations(&next, &SingleInstance::activationRequested);
    QVERIFY(next.CheckSingleInstance(Title));
    QVERIFY(messages.all.isEmpty());

    // It also answers on the socket the crashed copy left behind.
    SingleInstance another(dir.path());
    QVERIFY(!another.CheckSingleInstance(Title));
    QVERIFY(activations.wait(5000));
}

// Run as a program copy: takes the lock and reports it on standard output.
int runCopy(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString mode = QString::fromLocal8Bit(argv[1]);
    SingleInstance instance(QString::fromLocal8Bit(argv[2]));
    if (!instance.CheckSingleInstance(QString::fromLocal8Bit(argv[3])))
        return 2;
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    if (mode == QLatin1String("--crash"))
        std::_Exit(3);
    QObject::connect(&instance, &SingleInstance::activationRequested, &app, [] { QCoreApplication::exit(5); });
    QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(4); });
    return QCoreApplication::exec();
}

int main(int argc, char **argv)
{
    if (argc == 4 && (qstrcmp(argv[1], "--hold") == 0 || qstrcmp(argv[1], "--crash") == 0))
        return runCopy(argc, argv);
    QApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
