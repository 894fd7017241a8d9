#include "databaserestore.h"

#include "apperror.h"
#include "databasebackup.h"
#include "databaseengine.h"
#include "filereplacement.h"
#include "messageservice.h"
#include "soleconnection.h"
#include "sqliteengine.h"
#include "tabledump.h"
#include "tqxbackupfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

const QString StagedDatabaseName = QStringLiteral("RestoreCheck");

bool holdsEvery(const QStringList &present, const QStringList &wanted)
{
    for (const QString &name : wanted) {
        if (!present.contains(name, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

void showFailure(int code)
{
    ShowError(TQXBackupFile::ErrorText(code));
}

} // namespace

DatabaseRestore::DatabaseRestore(DatabaseEngine &engine, QString dataDir)
    : m_engine(engine), m_dataDir(std::move(dataDir))
{
}

DatabaseRestore::Content DatabaseRestore::check(const QString &folder)
{
    const QStringList wanted = m_engine.tableNames();
    if (QFileInfo(SqliteEngine::filePath(folder)).isFile()) {
        try {
            SqliteEngine staged(StagedDatabaseName, folder);
            QSqlQuery result = staged.run(QStringLiteral("PRAGMA quick_check"));
            const bool sound = result.next() && result.value(0).toString() == QLatin1String("ok");
            result = QSqlQuery();
            const bool complete = sound && holdsEvery(staged.tableNames(), wanted);
            staged.disconnect();
            return complete ? Content::DatabaseFile : Content::Unknown;
        } catch (const AppError &) {
            return Content::Unknown;
        }
    }
    QStringList tables;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*") + TableDump::fileSuffix()}, QDir::Files))
        tables << name.chopped(TableDump::fileSuffix().size());
    return !tables.isEmpty() && holdsEvery(tables, wanted) ? Content::TableFiles : Content::Unknown;
}

bool DatabaseRestore::restore(const QString &archive, TQXBackupFile &component)
{
    // Staged inside the data directory, so that the files go in place by renames.
    QString base = !m_engine.dataDir().isEmpty() ? m_engine.dataDir() : m_dataDir;
    if (base.isEmpty())
        base = QDir::tempPath();
    QTemporaryDir staging(base + QStringLiteral("/.ruvelo-restore-XXXXXX"));
    const QString folder = QDir(staging.path()).filePath(QStringLiteral("archive"));
    if (!staging.isValid() || !QDir().mkpath(folder)) {
        showFailure(TQXBackupFile::OverwriteError);
        return false;
    }
    if (!component.Restore(archive, folder))
        return false;

    // Companions of a database file would be applied to it when it is opened.
    QStringList attachments;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.compare(SqliteEngine::fileName(), Qt::CaseInsensitive) == 0)
            continue;
        if (DatabaseBackup::isDatabaseFile(name))
            QFile::remove(QDir(folder).filePath(name));
        else if (!name.endsWith(TableDump::fileSuffix()))
            attachments << name;
    }
    const Content content = check(folder);
    if (content == Content::Unknown) {
        showFailure(TQXBackupFile::InvalidArchiveError);
        return false;
    }

    FileReplacement files(staging.path());
    if (!m_dataDir.isEmpty()) {
        for (const QString &name : attachments)
            files.add(QDir(folder).filePath(name), QDir(m_dataDir).filePath(name));
    }
    if (content == Content::DatabaseFile && !m_engine.dataDir().isEmpty())
        return replaceDatabaseFile(SqliteEngine::filePath(folder), files);

    QString tables = folder;
    if (content == Content::DatabaseFile) {
        tables = QDir(staging.path()).filePath(QStringLiteral("tables"));
        SqliteEngine staged(StagedDatabaseName, folder);
        TableDump::exportTables(staged, tables);
        staged.disconnect();
    }
    if (!files.apply()) {
        showFailure(TQXBackupFile::OverwriteError);
        return false;
    }
    TableDump::importTables(m_engine, tables);
    files.commit();
    return true;
}

bool DatabaseRestore::replaceDatabaseFile(const QString &stagedFile, FileReplacement &files)
{
    RequireSoleConnection(m_engine);
    m_engine.disconnect();
    const QString target = SqliteEngine::filePath(m_engine.dataDir());
    // A log left beside the old file would be applied to the new one.
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        QFile::remove(target + QLatin1String(suffix));
    files.add(stagedFile, target);
    if (!files.apply()) {
        m_engine.connect();
        showFailure(TQXBackupFile::OverwriteError);
        return false;
    }
    try {
        m_engine.connect();
    } catch (const AppError &) {
        files.rollback();
        m_engine.connect();
        throw;
    }
    files.commit();
    return true;
}
