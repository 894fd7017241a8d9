#include "programstart.h"

#include "appvalues.h"
#include "dbhelpers.h"
#include "databaseengine.h"
#include "exceptionhandler.h"
#include "producttitle.h"
#include "tdm.h"
#include "tenrolform.h"
#include "tlogonform.h"
#include "tmainform.h"
#include "tshowform.h"
#include "uihelpers.h"

#include <QCoreApplication>
#include <QGuiApplication>

ProgramStart::ProgramStart(StartOptions options) : m_options(std::move(options)) {}

// The main window goes before the data module, whose database it may still use.
ProgramStart::~ProgramStart()
{
    m_mainForm.reset();
    m_dataModule.reset();
}

ProgramStart::Outcome ProgramStart::run()
{
    App().ScreenWidth = CheckScreenSize(nullptr);

    auto splash = std::make_unique<TShowForm>(m_options.splashTime);
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    QGuiApplication::setApplicationDisplayName(ProductTitle);

    try {
        m_dataModule = std::make_unique<TDM>();
        if (m_dataModule->aliasMissing())
            return Outcome::Ended;
        m_mainForm = std::make_unique<TMainForm>();
        if (!m_mainForm->FormCreate(m_options.instanceDirectory)) {
            m_mainForm.reset();
            return Outcome::Ended;
        }
        splash->waitForTimer();
        splash.reset();
        if (!signOn()) {
            m_mainForm.reset();
            return Outcome::Ended;
        }
    } catch (...) {
        splash.reset();
        m_mainForm.reset();
        HandleCurrentException(nullptr);
        return Outcome::Failed;
    }
    m_mainForm->showMaximized();
    return Outcome::SignedOn;
}

bool ProgramStart::signOn()
{
    const double systemUsers = GetNumberValue(MainDatabaseName,
        QStringLiteral("SELECT  Count(USE_ID) from SYS_USER_TABLE WHERE  SYS_USER ='是'"));
    std::unique_ptr<QDialog> dialog;
    if (systemUsers > 0)
        dialog = std::make_unique<TLogonForm>(m_mainForm.get());
    else
        dialog = std::make_unique<TEnrolForm>(m_mainForm.get(), m_options.helpOpener);
    return dialog->exec() == QDialog::Accepted;
}
