#include "tmainform.h"

#include "appvalues.h"
#include "producttitle.h"
#include "singleinstance.h"
#include "startupvalues.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setMinimumSize(600, 460);
    setWindowTitle(App().CompanyName + ProductTitle);
    // The whole screen even where no window manager maximises it.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
}

bool TMainForm::FormCreate(const QString &instanceDirectory)
{
    SetUpApplicationValues();
    m_instance = new SingleInstance(instanceDirectory, this);
    if (!m_instance->CheckSingleInstance(QGuiApplication::applicationDisplayName()))
        return false;
    connect(m_instance, &SingleInstance::activationRequested, this, &TMainForm::BringForward);
    ReadCompanyValues();
    return true;
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
    QMainWindow::showEvent(event);
}
