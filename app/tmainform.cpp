#include "tmainform.h"

#include "appvalues.h"
#include "bgrcolor.h"
#include "chooseone.h"
#include "databaseengine.h"
#include "mainpanel.h"
#include "messageservice.h"
#include "producttitle.h"
#include "programparameters.h"
#include "programrights.h"
#include "reminderrange.h"
#include "screenmessages.h"
#include "settingsstore.h"
#include "singleinstance.h"
#include "startupvalues.h"
#include "taboutbox.h"
#include "tqxmain.h"
#include "tselectimesform.h"
#include "tsetautoidform.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDate>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cmath>

namespace {

const QString CloseOthers = QStringLiteral("请先关闭其它的窗口");
const QString ReminderCaption = QStringLiteral("事务提醒资料管理");

const MainCommand &commandOf(const QString &caption)
{
    const QList<MainCommand> &commands = MainCommands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&caption](const MainCommand &command) { return command.caption == caption; });
    Q_ASSERT(found != commands.end());
    return *found;
}

} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setMinimumSize(600, 460);
    setWindowTitle(App().CompanyName + ProductTitle);
    // The whole screen even where no window manager maximises it.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());

    m_panel = new MainPanel(this);
    setCentralWidget(m_panel);
    createMenus();
    createToolBar();
    createStatusBar();

    m_frame = new TQXMain(this);
    m_frame->DataBaseName = MainDatabaseName;
    RegisterProgramScreens(m_screens);
    connect(&ScreenMessages::instance(), &ScreenMessages::companyNameChanged, this,
            [this] { setWindowTitle(App().CompanyName + ProductTitle); });
}

TMainForm::~TMainForm()
{
    if (DatabaseEngine *database = DatabaseEngine::find(MainDatabaseName))
        database->disconnect();
}

bool TMainForm::FormCreate(const QString &instanceDirectory)
{
    SetUpApplicationValues();
    m_instance = new SingleInstance(instanceDirectory, this);
    if (!m_instance->CheckSingleInstance(QGuiApplication::applicationDisplayName()))
        return false;
    connect(m_instance, &SingleInstance::activationRequested, this, &TMainForm::BringForward);
    ReadCompanyValues();

    if (const QString picture = m_frame->GetBackgroundImage(); !picture.isEmpty())
        m_panel->loadPicture(picture);
    bool isNumber = false;
    const qint64 colour = ReadIntSetting(QStringLiteral("RuveloColor")).toLongLong(&isNumber);
    if (isNumber && colour >= 0)
        m_panel->setColor(fromBgr(quint32(colour)));
    return true;
}

void TMainForm::createMenus()
{
    QMenu *menu = nullptr;
    for (const MainCommand &command : MainCommands()) {
        if (!menu || menu->title() != command.menu)
            menu = menuBar()->addMenu(command.menu);
        else
            menu->addSeparator();
        QAction *action = menu->addAction(command.caption);
        action->setVisible(!command.hidden);
        if (!command.shortcut.isEmpty())
            action->setShortcut(command.shortcut);
        connect(action, &QAction::triggered, this, [this, &command] { RunCommand(command); });
        m_actions.insert(command.caption, action);
    }
    // The open-windows menu, shown once a screen is registered.
    QMenu *openWindows = menuBar()->addMenu(QString());
    openWindows->setObjectName(QStringLiteral("OpenWindowsMenu"));
    openWindows->menuAction()->setVisible(false);
}

void TMainForm::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("工具栏"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(32, 32));
    m_toolBar->toggleViewAction()->setEnabled(false);
    for (const MainToolButton &button : MainToolButtons()) {
        const MainCommand &command = commandOf(button.command);
        QAction *action = m_toolBar->addAction(style()->standardIcon(button.icon), button.hint);
        action->setToolTip(button.hint);
        connect(action, &QAction::triggered, this, [this, &command] { RunCommand(command); });
        if (QWidget *widget = m_toolBar->widgetForAction(action))
            widget->setCursor(Qt::PointingHandCursor);
    }
}

void TMainForm::createStatusBar()
{
    m_makerPanel = new QLabel(TAboutBox::MakerText, this);
    m_makerPanel->setObjectName(QStringLiteral("MakerPanel"));
    m_datePanel = new QLabel(this);
    m_datePanel->setObjectName(QStringLiteral("DatePanel"));
    for (QLabel *panel : {m_makerPanel, m_datePanel}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
    }
    m_makerPanel->setFixedWidth(int(std::nearbyint(App().ScreenWidth * 3 / 5.0)));
    statusBar()->addWidget(m_makerPanel);
    statusBar()->addWidget(m_datePanel, 1);
    showDate();

    m_statusTimer = new QTimer(this);
    m_statusTimer->setInterval(100000);
    connect(m_statusTimer, &QTimer::timeout, this, &TMainForm::showDate);
}

void TMainForm::showDate()
{
    m_datePanel->setText(QDate::currentDate().toString(QStringLiteral("yyyy年MM月dd日")));
}

QAction *TMainForm::commandAction(const QString &caption) const
{
    return m_actions.value(caption);
}

void TMainForm::BringForward()
{
    QWidget *window = isVisible() ? this : QApplication::activeModalWidget();
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

void TMainForm::showEvent(QShowEvent *event)
{
    setWindowTitle(App().CompanyName + ProductTitle);
    showDate();
    m_statusTimer->start();
    QMainWindow::showEvent(event);
    // The offers come once, after the window is on the screen.
    if (!m_shownOnce) {
        m_shownOnce = true;
        QTimer::singleShot(0, this, &TMainForm::StartUpOffers);
    }
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (m_frame->HasOpenScreens()) {
        ShowWarningFor(this, QStringLiteral("请先关闭打开的全部子程序后,才能退出系统"));
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TMainForm::StartUpOffers()
{
    if (!ReadSwitch(QStringLiteral("不自动数据备份")) && AskYesNo(QStringLiteral("是否备份数据")))
        RunBackup(true);
    if (!ReadSwitch(QStringLiteral("启动事务提醒"))
        || !CheckRight(m_frame->DataBaseName, QStringLiteral("车辆管理"), ReminderCaption, App().UserID, this))
        return;
    const int rangeCode = ChooseReminderRange();
    if (rangeCode == -1)
        return;
    ScreenRequest request;
    request.owner = this;
    request.filter = QStringLiteral("STATUS = '有效提醒'");
    request.rangeCode = rangeCode;
    request.atStartUp = true;
    OpenNewScreen(commandOf(ReminderCaption), request);
}

void TMainForm::RunBackup(bool atStartUp)
{
    if (m_screens.Backup)
        m_screens.Backup(this, atStartUp);
}

void TMainForm::RunRestore()
{
    if (m_screens.Restore)
        m_screens.Restore(this);
}

void TMainForm::RunCommand(const MainCommand &command)
{
    using Action = MainCommand::Action;
    switch (command.action) {
    case Action::OpenScreen: OpenScreen(command); break;
    case Action::DeleteData: OpenDeleteData(command); break;
    case Action::Backup:
        if (Allowed(command))
            RunBackup(false);
        break;
    case Action::Restore:
        if (Allowed(command))
            RunRestore();
        break;
    case Action::Repair: OpenRepair(command); break;
    case Action::NumberSettings: OpenNumberSettings(command); break;
    case Action::InputMethod: ChooseInputMethod(); break;
    case Action::Picture: ChoosePicture(); break;
    case Action::Colour: ChooseColour(); break;
    case Action::Exit: close(); break;
    case Action::Help: m_helpOpener(App().HelpFile); break;
    case Action::About: {
        TAboutBox about(this);
        about.exec();
        break;
    }
    }
}

bool TMainForm::CanOpenScreen()
{
    if (!m_frame->ExclusiveOpen)
        return true;
    ShowWarningFor(this, QStringLiteral("当数据备份与恢复窗口打开时,不能打开其它的窗口"));
    return false;
}

// An open screen is shown again; when that fails its entry goes and a new copy opens.
bool TMainForm::BringScreenForward(const QString &name)
{
    if (!m_frame->IsScreenOpen(name))
        return false;
    if (m_frame->ShowScreen(m_frame->Screen(name), AppValues::ChildMaxTop))
        return true;
    m_frame->RemoveScreen(name);
    return false;
}

bool TMainForm::Allowed(const MainCommand &command)
{
    bool allowed = true;
    switch (command.access) {
    case MainCommand::Access::Rights:
        allowed = CheckRight(m_frame->DataBaseName, command.group, command.caption, App().UserID, this);
        break;
    case MainCommand::Access::SystemUser: allowed = App().IsSystemUser; break;
    case MainCommand::Access::Everyone: break;
    }
    if (!allowed)
        ShowWarningFor(this, command.refusalText());
    return allowed;
}

bool TMainForm::OpenNewScreen(const MainCommand &command, const ScreenRequest &request)
{
    QWidget *screen = m_screens.create(command.screenName, request);
    if (!screen)
        return false;
    if (!screen->isWindow())
        screen->setWindowFlag(Qt::Window);
    if (!m_frame->ShowScreen(screen, AppValues::ChildMaxTop)) {
        screen->deleteLater();
        return false;
    }
    const MainCommand *handler = &command;
    m_frame->RegisterScreen(command.screenName, screen, [this, handler] { RunCommand(*handler); }, command.caption);
    return true;
}

bool TMainForm::RunModal(const QString &name)
{
    ScreenRequest request;
    request.owner = this;
    const std::unique_ptr<QWidget> screen(m_screens.create(name, request));
    auto *dialog = qobject_cast<QDialog *>(screen.get());
    if (!dialog)
        return false;
    dialog->exec();
    return true;
}

void TMainForm::OpenScreen(const MainCommand &command)
{
    if (!CanOpenScreen() || BringScreenForward(command.screenName) || !Allowed(command))
        return;
    ScreenRequest request;
    request.owner = this;
    OpenNewScreen(command, request);
}

// The deletion screen opens only alone and holds the exclusive flag while open.
void TMainForm::OpenDeleteData(const MainCommand &command)
{
    if (!m_frame->ExclusiveOpen && m_frame->HasOpenScreens()) {
        ShowWarningFor(this, CloseOthers);
        return;
    }
    if (BringScreenForward(command.screenName) || !Allowed(command))
        return;
    m_frame->ExclusiveOpen = true;
    bool opened = false;
    const auto keepFlagOnlyWhenOpened = qScopeGuard([this, &opened] {
        if (!opened)
            m_frame->ExclusiveOpen = false;
    });
    ScreenRequest request;
    request.owner = this;
    opened = OpenNewScreen(command, request);
}

// The repair closes and rebuilds every table, so no screen may be open, not even the
// deletion screen.
void TMainForm::OpenRepair(const MainCommand &command)
{
    if (m_frame->HasOpenScreens()) {
        ShowWarningFor(this, CloseOthers);
        return;
    }
    if (Allowed(command))
        RunModal(command.screenName);
}

void TMainForm::OpenNumberSettings(const MainCommand &command)
{
    if (!App().IsSystemUser) {
        ShowWarning(command.refusalText());
        return;
    }
    if (m_frame->HasOpenScreens()) {
        ShowWarningFor(this, CloseOthers);
        return;
    }
    TSetAutoIDForm settings(this);
    settings.exec();
}

void TMainForm::ChoosePicture()
{
    const int choice = ChooseOneQuery(QStringLiteral("操作选择窗口"), QStringLiteral("设置新的窗口背景图像"),
                                      QStringLiteral("清除窗口背景图像"));
    if (choice == 2) {
        m_frame->ClearBackgroundImage();
        m_panel->clearPicture();
    } else if (choice == 1) {
        if (const QString file = m_frame->ChooseBackgroundImage(); !file.isEmpty())
            m_panel->loadPicture(file);
    }
}

void TMainForm::ChooseColour()
{
    QColorDialog dialog(m_panel->color(), this);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ShowWarning(QStringLiteral("如果有主窗口图像，只有在") + QStringLiteral("\"改变主窗口图像\"")
                + QStringLiteral("菜单里清除窗口背景图像，才能看到主窗口颜色"));
    const QColor colour = dialog.selectedColor();
    m_panel->setColor(colour);
    WriteSetting(QStringLiteral("RuveloColor"), QString::number(toBgr(colour)));
}

void TMainForm::ChooseInputMethod()
{
    TSelectImesForm form(this);
    if (form.exec() != QDialog::Accepted)
        return;
    App().ImeName = form.imeName();
    WriteSetting(QStringLiteral("RuveloImes"), App().ImeName);
}
