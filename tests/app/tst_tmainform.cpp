#include "appvalues.h"
#include "bgrcolor.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "mainpanel.h"
#include "programparameters.h"
#include "scriptedmessages.h"
#include "screenmessages.h"
#include "settingsstore.h"
#include "testdatabase.h"
#include "tmainform.h"
#include "tqxmain.h"
#include "tselectimesform.h"
#include "tselectitemform.h"

#include <QColorDialog>
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

const QString Vehicles = QStringLiteral("车辆管理");
const QString Reports = QStringLiteral("数据统计报表");
const QString BaseData = QStringLiteral("基本数据录入编辑");
const QString System = QStringLiteral("系统管理");
const QString Gate = QStringLiteral("当数据备份与恢复窗口打开时,不能打开其它的窗口");
const QString CloseOthers = QStringLiteral("请先关闭其它的窗口");

QString refusal(const QString &program)
{
    return QStringLiteral("您没有在程序\"") + program + QStringLiteral("\"中的权限");
}

// The screens opened through the rights table: caption (= program), group, screen name.
struct RightsScreen
{
    QString caption;
    QString group;
    QString screen;
};

const QList<RightsScreen> &rightsScreens()
{
    static const QList<RightsScreen> screens = {
        {"车辆资料录入编辑", Vehicles, "CarForm"},
        {"车辆工作任务管理", Vehicles, "CarWorkForm"},
        {"车辆维修资料管理", Vehicles, "CarRepairForm"},
        {"单位收支资料管理", Vehicles, "MoneyIntoOutForm"},
        {"事务提醒资料管理", Vehicles, "CarAwakeForm"},
        {"车辆工作任务统计报表", Reports, "CarWorkQueryForm"},
        {"车辆维修数据统计报表", Reports, "CarRepairQueryForm"},
        {"单位收支数据统计报表", Reports, "MoneyIntoOutQueryForm"},
        {"车辆类别资料录入编辑", BaseData, "CarTypeForm"},
        {"车辆工作任务类别录入编辑", BaseData, "CarWorkTypeForm"},
        {"车辆维修类别资料录入编辑", BaseData, "RepairTypeForm"},
        {"单位帐款类别录入编辑", BaseData, "MoneyIntoOutTypeForm"},
        {"单位部门资料录入编辑", BaseData, "DeptForm"},
        {"单位员工资料录入编辑", BaseData, "OperationManForm"},
        {"过时数据删除", System, "DeleteDataForm"},
    };
    return screens;
}

// A child screen as the child-screen controller will drive it: closing tells the main window.
class FakeScreen final : public QWidget
{
public:
    explicit FakeScreen(const ScreenRequest &request) : QWidget(request.owner, Qt::Window), request(request)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        resize(320, 200);
    }
    ScreenRequest request;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        emit ScreenMessages::instance().screenClosed(this);
        QWidget::closeEvent(event);
    }
};

// Closes every modal dialog as soon as it runs, after `act` (which may end it itself).
class ModalWatcher
{
public:
    explicit ModalWatcher(std::function<void(QDialog *)> act = {}) : m_act(std::move(act))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            shown << QString::fromLatin1(dialog->metaObject()->className());
            captions << dialog->windowTitle();
            if (m_act)
                m_act(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_timer.start();
    }
    QStringList shown;
    QStringList captions;

private:
    std::function<void(QDialog *)> m_act;
    QTimer m_timer;
};

} // namespace

class TestTMainForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup();
    void menusAndToolBar();
    void commandTable_data();
    void commandTable();
    void toolButtonsRunTheirCommands();
    void unregisteredScreenOpensNothing();
    void openScreenIsBroughtForward();
    void deletionScreenIsExclusive();
    void deletionScreenNeedsTheOthersClosed();
    void exitRefusedWhileAScreenIsOpen();
    void backupOfferOnFirstShowOnly_data();
    void backupOfferOnFirstShowOnly();
    void startUpReminders_data();
    void startUpReminders();
    void colourAndPanelSettings();
    void backgroundReturnsWhenTheScreensClose();
    void pictureCommand();
    void inputMethodCommand();
    void helpCommand();

private:
    void signOn(bool systemUser);
    void grant(const QString &group, const QString &program, const QString &browse);
    std::unique_ptr<TMainForm> newMainForm();

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ScriptedMessages> m_messages;
    QStringList m_events;
    QList<QPointer<FakeScreen>> m_screens;
};

void TestTMainForm::initTestCase_data()
{
    TestDatabase::addBackendRows();
}

void TestTMainForm::init()
{
    m_db = std::make_unique<TestDatabase>(TestDatabase::currentBackend());
    m_messages = std::make_unique<ScriptedMessages>();
    m_events.clear();
    m_screens.clear();
    m_db->engine().run(QStringLiteral("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) "
                                      "VALUES('ADM','管理员','x','是','有效'),('U1','张三','x','否','有效')"));
    QVERIFY(WriteParameter(QStringLiteral("不自动数据备份"), QStringLiteral("是")));
    signOn(false);
}

void TestTMainForm::cleanup()
{
    m_messages.reset();
    m_db.reset();
}

void TestTMainForm::signOn(bool systemUser)
{
    App().UserID = systemUser ? QStringLiteral("ADM") : QStringLiteral("U1");
    App().IsSystemUser = systemUser;
}

void TestTMainForm::grant(const QString &group, const QString &program, const QString &browse)
{
    m_db->engine().run(QStringLiteral(
        "INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,EDIT_RIGHT,DElETE_RIGHT,BROWSE_RIGHT,"
        "PRINT_RIGHT,VERIFY_RIGHT,CURRENCY_RIGHT) SELECT ?,P.COMPOSE_ID,P.PROGRAM_ID,'是','是','是',?,'是','是','是' "
        "FROM SYS_PROGRAM_TABLE P JOIN SYS_COMPOSE_TABLE C ON C.COMPOSE_ID = P.COMPOSE_ID "
        "WHERE C.COMPOSE_NAME = ? AND P.PROGRAM_NAME = ?"),
        {App().UserID, browse, group, program});
}

// A main window whose registry holds a fake for every screen and records what runs.
std::unique_ptr<TMainForm> TestTMainForm::newMainForm()
{
    auto form = std::make_unique<TMainForm>();
    QStringList names{"UserForm", "PasswordChangeForm"};
    for (const RightsScreen &screen : rightsScreens())
        names << screen.screen;
    for (const QString &name : names) {
        form->screens().add(name, [this, name](const ScreenRequest &request) {
            m_events << QStringLiteral("open:") + name;
            auto *screen = new FakeScreen(request);
            m_screens << screen;
            return screen;
        });
    }
    form->screens().add(QStringLiteral("DataRebuildForm"), [this](const ScreenRequest &request) {
        m_events << QStringLiteral("open:DataRebuildForm");
        return new QDialog(request.owner);
    });
    form->screens().Backup = [this](QWidget *, bool atStartUp) {
        m_events << (atStartUp ? QStringLiteral("backup:start-up") : QStringLiteral("backup"));
    };
    form->screens().Restore = [this](QWidget *) { m_events << QStringLiteral("restore"); };
    return form;
}

void TestTMainForm::menusAndToolBar()
{
    const auto form = newMainForm();
    QStringList titles;
    for (const QAction *item : form->menuBar()->actions())
        titles << item->text();
    QCOMPARE(titles, (QStringList{"车辆管理", "数据统计报表", "基本数据录入编辑", "系统管理", "帮助[F1]", ""}));
    QVERIFY(!form->menuBar()->actions().at(5)->isVisible());
    QVERIFY(!form->commandAction(QStringLiteral("设置输入法"))->isVisible());
    QCOMPARE(form->commandAction(QStringLiteral("帮助"))->shortcut(), QKeySequence(Qt::Key_F1));

    QStringList hints;
    for (const QAction *button : form->toolBar()->actions())
        hints << button->toolTip();
    QCOMPARE(hints, (QStringList{"车辆资料录入编辑", "车辆工作任务管理", "车辆维修资料管理", "单位收支资料管理",
                                 "单位收支数据统计报表", "事务提醒资料管理", "数据备份", "关闭系统"}));
    QCOMPARE(form->toolBar()->widgetForAction(form->toolBar()->actions().first())->cursor().shape(),
             Qt::PointingHandCursor);
    QCOMPARE(form->findChild<QLabel *>(QStringLiteral("DatePanel"))->text(),
             QDate::currentDate().toString(QStringLiteral("yyyy年MM月dd日")));
    QCOMPARE(form->findChild<QLabel *>(QStringLiteral("MakerPanel"))->width(),
             int(std::nearbyint(App().ScreenWidth * 3 / 5.0)));
}

void TestTMainForm::commandTable_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("systemUser");
    QTest::addColumn<QString>("group");   // a rights row for the program; empty: none
    QTest::addColumn<QString>("browse");  // its BROWSE_RIGHT (the other rights are '是')
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("warnings");

    for (const RightsScreen &screen : rightsScreens()) {
        const QByteArray name = screen.caption.toUtf8();
        QTest::newRow(name + " with browse right") << screen.caption << false << screen.group << "是"
                                                   << QStringList{"open:" + screen.screen} << QStringList{};
        QTest::newRow(name + " without browse right") << screen.caption << false << screen.group << "否"
                                                      << QStringList{} << QStringList{refusal(screen.caption)};
    }
    QTest::newRow("system user without a rights row") << "车辆工作任务管理" << true << "" << ""
                                                      << QStringList{} << QStringList{refusal("车辆工作任务管理")};
    QTest::newRow("数据备份 with right") << "数据备份" << false << System << "是" << QStringList{"backup"} << QStringList{};
    QTest::newRow("数据备份 without right") << "数据备份" << true << System << "否" << QStringList{}
                                        << QStringList{refusal("数据备份")};
    QTest::newRow("用户管理, system user") << "用户管理" << true << "" << "" << QStringList{"open:UserForm"} << QStringList{};
    QTest::newRow("用户管理, other user") << "用户管理" << false << "" << "" << QStringList{}
                                      << QStringList{refusal("用户管理")};
    QTest::newRow("用户口令修改, any user") << "用户口令修改" << false << "" << ""
                                       << QStringList{"open:PasswordChangeForm"} << QStringList{};
    QTest::newRow("数据恢复, system user") << "数据恢复" << true << "" << "" << QStringList{"restore"} << QStringList{};
    QTest::newRow("数据恢复, other user") << "数据恢复" << false << System << "是" << QStringList{}
                                      << QStringList{"只有系统管理员才能有恢复数据库的权限"};
    QTest::newRow("数据修复, system user") << "数据修复" << true << "" << ""
                                      << QStringList{"open:DataRebuildForm", "modal:QDialog"} << QStringList{};
    QTest::newRow("数据修复, other user") << "数据修复" << false << "" << "" << QStringList{}
                                      << QStringList{refusal("数据修复")};
    QTest::newRow("编号方式设置和修改, system user") << "编号方式设置和修改" << true << "" << ""
                                             << QStringList{"modal:TSetAutoIDForm"} << QStringList{};
    QTest::newRow("编号方式设置和修改, other user") << "编号方式设置和修改" << false << "" << "" << QStringList{}
                                             << QStringList{"只有系统管理员才能有设置修改编号方式的权限"};
}

// Which commands open what for whom, and the refusal each gives.
void TestTMainForm::commandTable()
{
    QFETCH(QString, command);
    QFETCH(bool, systemUser);
    QFETCH(QString, group);
    QFETCH(QString, browse);
    QFETCH(QStringList, events);
    QFETCH(QStringList, warnings);
    signOn(systemUser);
    if (!group.isEmpty())
        grant(group, command, browse);
    const auto form = newMainForm();
    ModalWatcher modals;

    form->commandAction(command)->trigger();

    for (const QString &dialog : modals.shown)
        m_events << QStringLiteral("modal:") + dialog;
    QCOMPARE(m_events, events);
    QCOMPARE(m_messages->warnings, warnings);
    QCOMPARE(m_messages->errors, QStringList{});
    const bool opensScreen = !events.isEmpty() && events.first().startsWith("open:") && events.size() == 1;
    QCOMPARE(form->frame()->ScreenNames(), opensScreen ? QStringList{events.first().mid(5)} : QStringList{});
    QMenu *openWindows = form->frame()->OpenWindowsMenu();
    QCOMPARE(openWindows->menuAction()->isVisible(), opensScreen);
    if (opensScreen) {
        QCOMPARE(openWindows->title(), QStringLiteral("打开的窗口"));
        QCOMPARE(openWindows->actions().size(), 1);
        QCOMPARE(openWindows->actions().first()->text(), command);
        QVERIFY(m_screens.first()->isVisible());
    }
}

void TestTMainForm::toolButtonsRunTheirCommands()
{
    signOn(true);
    grant(Vehicles, QStringLiteral("车辆资料录入编辑"), QStringLiteral("是"));
    grant(System, QStringLiteral("数据备份"), QStringLiteral("是"));
    const auto form = newMainForm();
    form->show();
    const QList<QAction *> buttons = form->toolBar()->actions();
    buttons.at(0)->trigger();
    buttons.at(6)->trigger();
    QCOMPARE(m_events, (QStringList{"open:CarForm", "backup"}));
    QCOMPARE(m_messages->warnings, QStringList{});
    buttons.at(7)->trigger();  // 关闭系统: refused while the screen is open
    QCOMPARE(m_messages->warnings, QStringList{"请先关闭打开的全部子程序后,才能退出系统"});
}

void TestTMainForm::unregisteredScreenOpensNothing()
{
    grant(Vehicles, QStringLiteral("车辆资料录入编辑"), QStringLiteral("是"));
    grant(Vehicles, QStringLiteral("车辆工作任务管理"), QStringLiteral("否"));
    grant(System, QStringLiteral("过时数据删除"), QStringLiteral("是"));
    TMainForm form;  // only the program's own registrations
    // The deletion screen is one of them; a factory that makes nothing stands for a missing one.
    form.screens().add(QStringLiteral("DeleteDataForm"), [](const ScreenRequest &) -> QWidget * { return nullptr; });

    form.commandAction(QStringLiteral("车辆资料录入编辑"))->trigger();
    form.commandAction(QStringLiteral("过时数据删除"))->trigger();
    QCOMPARE(m_messages->warnings, QStringList{});
    QVERIFY(!form.frame()->ExclusiveOpen);  // no deletion screen, so no exclusive flag
    form.commandAction(QStringLiteral("车辆工作任务管理"))->trigger();
    QCOMPARE(m_messages->warnings, QStringList{refusal("车辆工作任务管理")});
    QVERIFY(form.frame()->ScreenNames().isEmpty());
}

void TestTMainForm::openScreenIsBroughtForward()
{
    grant(Vehicles, QStringLiteral("车辆资料录入编辑"), QStringLiteral("是"));
    grant(Vehicles, QStringLiteral("车辆工作任务管理"), QStringLiteral("是"));
    const auto form = newMainForm();
    form->show();
    QAction *cars = form->commandAction(QStringLiteral("车辆资料录入编辑"));
    cars->trigger();
    form->commandAction(QStringLiteral("车辆工作任务管理"))->trigger();
    QPointer<FakeScreen> car = m_screens.first();
    car->showMinimized();

    cars->trigger();
    QCOMPARE(m_events, (QStringList{"open:CarForm", "open:CarWorkForm"}));
    QVERIFY(car->isVisible() && !car->isMinimized());
    QCOMPARE(form->frame()->ScreenNames(), (QStringList{"CarWorkForm", "CarForm"}));
    QCOMPARE(form->frame()->OpenWindowsMenu()->actions().size(), 2);

    // The open-windows entry runs the same command.
    car->hide();
    form->frame()->OpenWindowsMenu()->actions().first()->trigger();
    QVERIFY(car->isVisible());
    QCOMPARE(m_events.size(), 2);

    // A screen that went without telling is opened afresh.
    delete car;
    cars->trigger();
    QCOMPARE(m_events, (QStringList{"open:CarForm", "open:CarWorkForm", "open:CarForm"}));
    QCOMPARE(form->frame()->ScreenNames(), (QStringList{"CarForm", "CarWorkForm"}));
    QCOMPARE(form->frame()->OpenWindowsMenu()->actions().size(), 2);
    QCOMPARE(m_messages->warnings, QStringList{});
}

void TestTMainForm::deletionScreenIsExclusive()
{
    signOn(true);
    for (const RightsScreen &screen : rightsScreens())
        grant(screen.group, screen.caption, QStringLiteral("是"));
    grant(System, QStringLiteral("数据备份"), QStringLiteral("是"));
    const auto form = newMainForm();
    form->show();
    form->commandAction(QStringLiteral("过时数据删除"))->trigger();
    QVERIFY(form->frame()->ExclusiveOpen);
    QCOMPARE(m_events, QStringList{"open:DeleteDataForm"});

    QStringList refused;
    for (const RightsScreen &screen : rightsScreens()) {
        if (screen.screen != QLatin1String("DeleteDataForm")) {
            form->commandAction(screen.caption)->trigger();
            refused << Gate;
        }
    }
    form->commandAction(QStringLiteral("用户管理"))->trigger();
    form->commandAction(QStringLiteral("用户口令修改"))->trigger();
    refused << Gate << Gate;
    QCOMPARE(m_messages->warnings, refused);

    m_messages->clear();
    form->commandAction(QStringLiteral("过时数据删除"))->trigger();  // brought forward
    QCOMPARE(m_events, QStringList{"open:DeleteDataForm"});
    form->commandAction(QStringLiteral("数据修复"))->trigger();
    form->commandAction(QStringLiteral("编号方式设置和修改"))->trigger();
    form->commandAction(QStringLiteral("数据备份"))->trigger();  // the backup has no gate; it checks itself
    QCOMPARE(m_messages->warnings, (QStringList{CloseOthers, CloseOthers}));
    QCOMPARE(m_events, (QStringList{"open:DeleteDataForm", "backup"}));

    m_screens.first()->close();
    QVERIFY(!form->frame()->ExclusiveOpen);
    m_messages->clear();
    form->commandAction(QStringLiteral("车辆资料录入编辑"))->trigger();
    QCOMPARE(m_messages->warnings, QStringList{});
    QCOMPARE(m_events.last(), QStringLiteral("open:CarForm"));
}

void TestTMainForm::deletionScreenNeedsTheOthersClosed()
{
    grant(Vehicles, QStringLiteral("车辆资料录入编辑"), QStringLiteral("是"));
    grant(System, QStringLiteral("过时数据删除"), QStringLiteral("否"));
    const auto form = newMainForm();
    form->show();
    form->commandAction(QStringLiteral("车辆资料录入编辑"))->trigger();
    form->commandAction(QStringLiteral("过时数据删除"))->trigger();
    QCOMPARE(m_messages->warnings, QStringList{CloseOthers});

    m_screens.first()->close();
    form->commandAction(QStringLiteral("过时数据删除"))->trigger();  // now only the right is missing
    QCOMPARE(m_messages->warnings, (QStringList{CloseOthers, refusal("过时数据删除")}));
    QVERIFY(!form->frame()->ExclusiveOpen);
    QCOMPARE(m_events, QStringList{"open:CarForm"});
}

void TestTMainForm::exitRefusedWhileAScreenIsOpen()
{
    grant(Vehicles, QStringLiteral("单位收支资料管理"), QStringLiteral("是"));
    const auto form = newMainForm();
    form->show();
    form->commandAction(QStringLiteral("单位收支资料管理"))->trigger();

    form->commandAction(QStringLiteral("退出[T]"))->trigger();
    QVERIFY(form->isVisible());
    QCOMPARE(m_messages->warnings, QStringList{"请先关闭打开的全部子程序后,才能退出系统"});

    m_screens.first()->close();
    QVERIFY(form->close());
    QVERIFY(!form->isVisible());
    QCOMPARE(m_messages->warnings.size(), 1);
}

void TestTMainForm::backupOfferOnFirstShowOnly_data()
{
    QTest::addColumn<QString>("noAutomaticBackup");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("offered, yes") << "否" << true << QStringList{"backup:start-up"};
    QTest::newRow("offered, no") << "否" << false << QStringList{};
    QTest::newRow("switched off") << "是" << true << QStringList{};
}

void TestTMainForm::backupOfferOnFirstShowOnly()
{
    QFETCH(QString, noAutomaticBackup);
    QFETCH(bool, answer);
    QFETCH(QStringList, events);
    QVERIFY(WriteParameter(QStringLiteral("不自动数据备份"), noAutomaticBackup));
    m_messages->answers << answer << answer;
    const auto form = newMainForm();
    App().CompanyName = QStringLiteral("东方运输公司");
    const QStringList questions = noAutomaticBackup == QStringLiteral("否") ? QStringList{"是否备份数据 ?"} : QStringList{};

    form->show();
    QCOMPARE(form->windowTitle(), QStringLiteral("东方运输公司路威车辆管理系统"));
    QTRY_COMPARE(m_messages->questions, questions);
    QTest::qWait(20);
    QCOMPARE(m_events, events);

    form->hide();
    form->show();
    QTest::qWait(50);
    QCOMPARE(m_messages->questions, questions);
    QCOMPARE(m_events, events);
}

void TestTMainForm::startUpReminders_data()
{
    QTest::addColumn<QString>("browse");      // BROWSE_RIGHT in 事务提醒资料管理
    QTest::addColumn<QString>("status");      // of the one reminder, dated today
    QTest::addColumn<int>("choice");          // 1-based; 0 closes the question
    QTest::addColumn<int>("rangeCode");       // of the opened screen; -1: none opened
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<bool>("asked");

    QTest::newRow("today's reminder, 今日事务") << "是" << "有效提醒" << 2 << 1 << QStringList{} << true;
    QTest::newRow("today's reminder, 本月事务") << "是" << "有效提醒" << 4 << 7 << QStringList{} << true;
    QTest::newRow("void reminder only") << "是" << "作废提醒" << 1 << -1
                                        << QStringList{"没有符合条件的事务提醒记录"} << true;
    QTest::newRow("question closed") << "是" << "有效提醒" << 0 << -1 << QStringList{} << true;
    QTest::newRow("no right in reminders") << "否" << "有效提醒" << 1 << -1 << QStringList{} << false;
}

void TestTMainForm::startUpReminders()
{
    QFETCH(QString, browse);
    QFETCH(QString, status);
    QFETCH(int, choice);
    QFETCH(int, rangeCode);
    QFETCH(QStringList, warnings);
    QFETCH(bool, asked);
    QVERIFY(WriteParameter(QStringLiteral("启动事务提醒"), QStringLiteral("是")));
    grant(Vehicles, QStringLiteral("事务提醒资料管理"), browse);
    m_db->engine().run(QStringLiteral("INSERT INTO QX_CAR_AWAKE_TABLE(AWAKE_ID,CAR_RECORD_ID,STATUS,AWAKE_DATE) VALUES('A1','C1',?,?)"),
                       {status, QDate::currentDate().toString(Qt::ISODate)});
    QStringList options;
    ModalWatcher modals([choice, &options](QDialog *dialog) {
        auto *question = qobject_cast<TSelectItemForm *>(dialog);
        if (!question)
            return;
        for (QAbstractButton *option : question->radioGroup()->findChildren<QAbstractButton *>())
            options << option->text();
        if (choice > 0) {
            question->setItemIndex(choice - 1);
            question->confirm();
        }
    });
    const auto form = newMainForm();

    form->show();
    if (asked) {
        QTRY_COMPARE(modals.captions, QStringList{"事务提醒范围选择"});
        QCOMPARE(options, (QStringList{"到期事务", "今日事务", "本周事务", "本月事务"}));
    }
    QTest::qWait(50);
    QCOMPARE(modals.shown.size(), asked ? 1 : 0);
    QCOMPARE(m_messages->warnings, warnings);
    if (rangeCode < 0) {
        QVERIFY(m_screens.isEmpty());
        QVERIFY(form->frame()->ScreenNames().isEmpty());
        return;
    }
    QCOMPARE(m_events, QStringList{"open:CarAwakeForm"});
    const ScreenRequest &request = m_screens.first()->request;
    QCOMPARE(request.rangeCode, rangeCode);
    QCOMPARE(request.filter, QStringLiteral("STATUS = '有效提醒'"));
    QVERIFY(request.atStartUp);
    QCOMPARE(request.owner, form.get());
    QCOMPARE(form->frame()->ScreenNames(), QStringList{"CarAwakeForm"});
    QCOMPARE(form->frame()->OpenWindowsMenu()->actions().first()->text(), QStringLiteral("事务提醒资料管理"));
    // Its menu entry runs the reminder command, which finds the screen open.
    form->frame()->OpenWindowsMenu()->actions().first()->trigger();
    QCOMPARE(m_events.size(), 1);
}

// The colour is stored as decimal BGR and read back at creation.
void TestTMainForm::colourAndPanelSettings()
{
    QTemporaryDir instance;
    SettingsStore::write(MainAliasName, m_db->aliasValue());
    {
        const auto form = newMainForm();
        ModalWatcher modals([](QDialog *dialog) {
            if (auto *colours = qobject_cast<QColorDialog *>(dialog)) {
                colours->setCurrentColor(QColor(0x12, 0x34, 0x56));
                colours->accept();
            }
        });
        form->commandAction(QStringLiteral("改变主窗口颜色"))->trigger();
        QCOMPARE(modals.shown, QStringList{"QColorDialog"});
        QCOMPARE(m_messages->warnings, QStringList{"如果有主窗口图像，只有在\"改变主窗口图像\"菜单里清除窗口背景图像，才能看到主窗口颜色"});
        QCOMPARE(form->mainPanel()->color(), QColor(0x12, 0x34, 0x56));
        QCOMPARE(SettingsStore::read(QStringLiteral("RuveloColor")), QString::number(0x563412));
    }
    TMainForm next;
    QVERIFY(next.FormCreate(instance.path()));
    QCOMPARE(next.mainPanel()->color(), QColor(0x12, 0x34, 0x56));
    QCOMPARE(toBgr(fromBgr(0x00F1FAFE)), 0x00F1FAFEu);
    QCOMPARE(fromBgr(0x00F1FAFE), QColor(254, 250, 241));
}

// The tool bar gives way while a screen shows; the coloured background comes back with it.
void TestTMainForm::backgroundReturnsWhenTheScreensClose()
{
    grant(Vehicles, QStringLiteral("车辆资料录入编辑"), QStringLiteral("是"));
    const auto form = newMainForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QToolBar *tools = form->findChild<QToolBar *>();
    QVERIFY(tools && tools->isVisible() && form->mainPanel()->isVisible());
    form->commandAction(QStringLiteral("车辆资料录入编辑"))->trigger();
    QCOMPARE(m_screens.size(), 1);
    QVERIFY(!tools->isVisible());
    m_screens.first()->close();
    QVERIFY(tools->isVisible());
    QVERIFY(form->mainPanel()->isVisible());
}

void TestTMainForm::pictureCommand()
{
    QTemporaryDir pictures;
    const QString file = pictures.filePath(QStringLiteral("背景.jpeg"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(file, "JPEG"));
    const auto form = newMainForm();
    int choice = 1;
    ModalWatcher modals([&choice](QDialog *dialog) {
        auto *question = qobject_cast<TSelectItemForm *>(dialog);
        question->setItemIndex(choice - 1);
        question->confirm();
    });
    QAction *picture = form->commandAction(QStringLiteral("设置窗口图像"));

    m_messages->fileAnswers << file;
    picture->trigger();
    QCOMPARE(modals.captions, QStringList{"操作选择窗口"});
    QCOMPARE(form->mainPanel()->picture().size(), QSize(40, 30));
    QCOMPARE(SettingsStore::read(QStringLiteral("QXBank")), file);

    choice = 2;
    picture->trigger();
    QVERIFY(form->mainPanel()->picture().isNull());
    QVERIFY(!SettingsStore::contains(QStringLiteral("QXBank")));
    QCOMPARE(m_messages->warnings, QStringList{});
}

void TestTMainForm::inputMethodCommand()
{
    const auto form = newMainForm();
    QString offered;
    ModalWatcher modals([&offered](QDialog *dialog) {
        auto *imes = qobject_cast<TSelectImesForm *>(dialog);
        QCOMPARE(imes->imeBox()->count(), 4);
        QCOMPARE(imes->imeBox()->itemText(3), QString());
        offered = imes->imeBox()->itemText(0);
        imes->accept();
    });
    form->commandAction(QStringLiteral("设置输入法"))->trigger();
    QCOMPARE(modals.captions, QStringList{"输入法选择窗口"});
    QVERIFY(!offered.isEmpty());
    QCOMPARE(App().ImeName, offered);
    QCOMPARE(SettingsStore::read(QStringLiteral("RuveloImes")), offered);
}

void TestTMainForm::helpCommand()
{
    const auto form = newMainForm();
    QStringList opened;
    form->setHelpOpener([&opened](const QString &file) { opened << file; });
    App().HelpFile = QStringLiteral("/opt/路威车辆管理系统帮助.html");
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_F1);
    QCOMPARE(opened, QStringList{App().HelpFile});
    form->commandAction(QStringLiteral("帮助"))->trigger();
    QCOMPARE(opened.size(), 2);
}

QTEST_MAIN(TestTMainForm)
#include "tst_tmainform.moc"
