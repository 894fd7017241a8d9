#include "startupvalues.h"

#include "appvalues.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "filehelpers.h"
#include "producttitle.h"
#include "settingsstore.h"

#include <QCoreApplication>
#include <QLocale>

void SetUpApplicationValues()
{
    // Dates are always written yyyy-MM-dd by the program's own helpers; the default locale
    // gives the standard widgets (calendars, context menus) Chinese names.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    App().HelpFile = ExtractExeDir(QCoreApplication::applicationFilePath()) + HelpFileName;

    DatabaseEngine &database = DatabaseEngine::byName(MainDatabaseName);
    database.connect();

    // A server database has no directory of its own; the alias then holds its address.
    App().DataDir = database.dataDir().isEmpty() ? QString() : GetAliasPath(MainAliasName);
    App().TempDir = GetTempDir();
    App().BaseDir = App().DataDir.isEmpty() ? App().BaseDir : ParentDirectory(App().DataDir);
    DeleteTableFiles(App().BaseDir);
}

void ReadCompanyValues()
{
    App().CompanyName = GetFieldValue(MainDatabaseName,
        QStringLiteral("SELECT COMPANY_NAME FROM  SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001'"));
    const auto company = OpenSQL(MainDatabaseName,
        QStringLiteral("SELECT COMPANY_PHONE,COMPANY_FAX,COMPANY_ADDRESS FROM  SYS_COMPANY_TABLE WHERE COMPANY_ID = 'G001'"));
    const bool found = !company->eof();
    App().CompanyPhone = found ? company->text(QStringLiteral("COMPANY_PHONE")) : QString();
    App().CompanyFax = found ? company->text(QStringLiteral("COMPANY_FAX")) : QString();
    App().CompanyAddress = found ? company->text(QStringLiteral("COMPANY_ADDRESS")) : QString();
}
