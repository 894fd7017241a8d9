#include "scriptedmessages.h"
#include "screenmessages.h"
#include "settingsstore.h"
#include "tqxmain.h"

#include <QAction>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

// A main window as the frame expects it: five menus and the open-windows menu at index 5,
// two tool bars and the big panel.
class MainWindow : public QMainWindow
{
public:
    MainWindow()
    {
        for (int i = 0; i < 5; ++i)
            menuBar()->addMenu(QStringLiteral("菜单%1").arg(i))->addAction(QStringLiteral("项目"));
        menuBar()->addMenu(QString())->menuAction()->setVisible(false);
        addToolBar(QStringLiteral("一"));
        addToolBar(QStringLiteral("二"));
        auto *panel = new QWidget(this);
        panel->setObjectName(QStringLiteral("MainPanel"));
        setCentralWidget(panel);
        frame = new TQXMain(this);
        show();
    }

    bool barsVisible() const
    {
        const QList<QToolBar *> bars = findChildren<QToolBar *>();
        return std::all_of(bars.begin(), bars.end(), [](const QToolBar *bar) { return bar->isVisible(); });
    }
    bool barsHidden() const
    {
        const QList<QToolBar *> bars = findChildren<QToolBar *>();
        return std::none_of(bars.begin(), bars.end(), [](const QToolBar *bar) { return bar->isVisible(); });
    }
    QStringList openWindowEntries() const
    {
        QStringList captions;
        for (const QAction *action : frame->OpenWindowsMenu()->actions())
            captions << action->text();
        return captions;
    }
    bool openWindowsMenuVisible() const { return frame->OpenWindowsMenu()->menuAction()->isVisible(); }

    TQXMain *frame = nullptr;
};

// A child screen as the main window's commands register it.
QWidget *newScreen(QWidget *owner)
{
    auto *screen = new QWidget(owner, Qt::Window);
    screen->resize(200, 150);
    screen->show();
    return screen;
}

} // namespace

class TestTQXMain : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void secondFrameOnOneWindowFails();
    void registerListsScreensNewestFirst();
    void barsFollowVisibleScreens();
    void closeNotification();
    void isScreenOpen();
    void backgroundImage();

private:
    std::unique_ptr<QTemporaryDir> m_settingsDir;
};

void TestTQXMain::init()
{
    m_settingsDir = std::make_unique<QTemporaryDir>();
    qputenv("RUVELO_SETTINGS", m_settingsDir->filePath(QStringLiteral("settings.ini")).toUtf8());
}

void TestTQXMain::secondFrameOnOneWindowFails()
{
    MainWindow window;
    try {
        TQXMain second(&window);
        QFAIL("a second frame was created");
    } catch (const InvalidOperationError &error) {
        QCOMPARE(error.message(), QStringLiteral("TQXMain"));
    }
    QCOMPARE(window.findChildren<TQXMain *>().size(), 1);
    QCOMPARE(TQXMain::find(&window), window.frame);

    QMainWindow other;
    TQXMain own(&other);  // another window may have its own
    QCOMPARE(TQXMain::find(&other), &own);
}

void TestTQXMain::registerListsScreensNewestFirst()
{
    MainWindow window;
    QVERIFY(!window.openWindowsMenuVisible());
    int carRuns = 0;
    window.frame->RegisterScreen(QStringLiteral("CarForm"), newScreen(&window), [&carRuns] { ++carRuns; },
                                 QStringLiteral("车辆资料录入编辑"));
    window.frame->RegisterScreen(QStringLiteral("DeptForm"), newScreen(&window), {}, QStringLiteral("单位部门资料录入编辑"));

    QCOMPARE(window.frame->ScreenNames(), (QStringList{"DeptForm", "CarForm"}));
    QVERIFY(window.openWindowsMenuVisible());
    QCOMPARE(window.frame->OpenWindowsMenu()->title(), QStringLiteral("打开的窗口"));
    QCOMPARE(window.openWindowEntries(), (QStringList{"车辆资料录入编辑", "单位部门资料录入编辑"}));

    window.frame->OpenWindowsMenu()->actions().first()->trigger();
    QCOMPARE(carRuns, 1);  // the entry runs the command that opened the screen

    window.frame->RemoveScreen(QStringLiteral("CarForm"));
    QCOMPARE(window.frame->ScreenNames(), QStringList{"DeptForm"});
    QCOMPARE(window.openWindowEntries(), QStringList{"单位部门资料录入编辑"});
    window.frame->RemoveScreen(QStringLiteral("DeptForm"));
    QVERIFY(!window.openWindowsMenuVisible());
}

void TestTQXMain::barsFollowVisibleScreens()
{
    MainWindow window;
    ScreenMessages &messages = ScreenMessages::instance();
    QWidget *panel = window.findChild<QWidget *>(QStringLiteral("MainPanel"));
    QWidget *first = newScreen(&window);
    QWidget *second = newScreen(&window);
    QVERIFY(window.barsVisible());

    window.frame->RegisterScreen(QStringLiteral("CarForm"), first, {}, QStringLiteral("一"));
    QVERIFY(window.barsHidden());
    QVERIFY(!panel->isVisible());
    window.frame->RegisterScreen(QStringLiteral("DeptForm"), second, {}, QStringLiteral("二"));

    emit messages.screenHidden(first);
    QVERIFY(window.barsHidden());  // the other screen is still visible
    emit messages.screenHidden(second);
    QVERIFY(window.barsVisible());
    QVERIFY(!panel->isVisible());  // the panel stays hidden

    emit messages.screenShown(second);
    QVERIFY(window.barsHidden());
    emit messages.screenClosed(second);
    QVERIFY(window.barsVisible());  // the last visible one went

    // A screen the frame does not know changes nothing when shown.
    QWidget stranger;
    emit messages.screenShown(&stranger);
    QVERIFY(window.barsVisible());

    // Hidden bars stay when the frame is told not to touch them.
    window.frame->HideToolBar = false;
    emit messages.screenShown(first);
    QVERIFY(window.barsVisible());
}

void TestTQXMain::closeNotification()
{
    MainWindow window;
    ScreenMessages &messages = ScreenMessages::instance();
    QWidget *deletion = newScreen(&window);
    QWidget *other = newScreen(&window);
    window.frame->RegisterScreen(QStringLiteral("DeleteDataForm"), deletion, {}, QStringLiteral("过时数据删除"));
    window.frame->ExclusiveOpen = true;

    QWidget stranger;
    emit messages.screenClosed(&stranger);
    QVERIFY(window.frame->ExclusiveOpen);  // only a listed screen clears the flag
    QCOMPARE(window.frame->ScreenNames(), QStringList{"DeleteDataForm"});

    emit messages.screenClosed(deletion);
    QVERIFY(!window.frame->ExclusiveOpen);
    QVERIFY(window.frame->ScreenNames().isEmpty());
    QVERIFY(!window.openWindowsMenuVisible());
    QVERIFY(window.barsVisible());
    delete other;
}

void TestTQXMain::isScreenOpen()
{
    MainWindow window;
    QWidget *car = newScreen(&window);
    QWidget *dept = newScreen(&window);
    window.frame->RegisterScreen(QStringLiteral("CarForm"), car, {}, QStringLiteral("一"));
    window.frame->RegisterScreen(QStringLiteral("DeptForm"), dept, {}, QStringLiteral("二"));
    car->showMinimized();

    QVERIFY(!window.frame->IsScreenOpen(QStringLiteral("UserForm")));
    QVERIFY(window.frame->IsScreenOpen(QStringLiteral("CarForm")));
    QVERIFY(!car->isMinimized());
    QCOMPARE(window.frame->Screen(QStringLiteral("CarForm")), car);

    delete dept;  // gone without telling the frame
    QVERIFY(window.frame->Screen(QStringLiteral("DeptForm")) == nullptr);
    QVERIFY(!window.frame->IsScreenOpen(QStringLiteral("DeptForm")));
    QCOMPARE(window.frame->ScreenNames(), QStringList{"CarForm"});
    QCOMPARE(window.openWindowEntries(), QStringList{"一"});

    delete car;
    QVERIFY(!window.frame->HasOpenScreens());  // stale entries are dropped on the way
    QVERIFY(!window.openWindowsMenuVisible());
}

void TestTQXMain::backgroundImage()
{
    MainWindow window;
    ScriptedMessages messages;
    QTemporaryDir pictures;
    const QString picture = pictures.filePath(QStringLiteral("背景.JPG"));
    QFile file(picture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QVERIFY(window.frame->GetBackgroundImage().isEmpty());
    messages.fileAnswers << pictures.filePath(QStringLiteral("没有.jpg"));
    QVERIFY(window.frame->ChooseBackgroundImage().isEmpty());
    QCOMPARE(messages.warnings, QStringList{"图像文件不存在"});
    QVERIFY(!SettingsStore::contains(QStringLiteral("QXBank")));

    messages.fileAnswers << picture;
    QCOMPARE(window.frame->ChooseBackgroundImage(), picture);
    QCOMPARE(SettingsStore::read(QStringLiteral("QXBank")), picture);
    QCOMPARE(window.frame->GetBackgroundImage(), picture);

    QFile::remove(picture);  // a stored name whose file went
    QVERIFY(window.frame->GetBackgroundImage().isEmpty());

    window.frame->ClearBackgroundImage();
    QVERIFY(!SettingsStore::contains(QStringLiteral("QXBank")));
    QCOMPARE(messages.warnings.size(), 1);
}

QTEST_MAIN(TestTQXMain)
#include "tst_tqxmain.moc"
