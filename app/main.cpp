#include "guardedapplication.h"
#include "programstart.h"
#include "widgetmessageservice.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    GuardedApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));

    // The standard dialogs and context menus in Chinese, when Qt's translation is installed.
    QTranslator qtTranslation;
    if (qtTranslation.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslation);

    WidgetMessageService messages;
    MessageService::install(&messages);

    ProgramStart start;
    int result = 0;
    switch (start.run()) {
    case ProgramStart::Outcome::SignedOn: result = QCoreApplication::exec(); break;
    case ProgramStart::Outcome::Ended: result = 0; break;
    case ProgramStart::Outcome::Failed: result = 1; break;
    }
    MessageService::install(nullptr);
    return result;
}
