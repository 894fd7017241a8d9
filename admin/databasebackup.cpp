#include "databasebackup.h"

#include "apperror.h"
#include "databaseengine.h"
#include "messageservice.h"
#include "sqldialect.h"
#include "sqliteengine.h"
#include "tabledump.h"
#include "tqxbackupfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

DatabaseBackup::DatabaseBackup(DatabaseEngine &engine, QString dataDir) : m_engine(engine), m_dataDir(std::move(dataDir))
{
}

bool DatabaseBackup::isDatabaseFile(const QString &fileName)
{
    return fileName.startsWith(SqliteEngine::fileName(), Qt::CaseInsensitive);
}

QStringList DatabaseBackup::attachmentFiles(const QString &dataDir)
{
    if (dataDir.isEmpty())
        return {};
    QStringList files;
    const QDir dir(dataDir);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        if (!isDatabaseFile(name))
            files << dir.filePath(name);
    }
    return files;
}

void DatabaseBackup::snapshot(const QString &folder)
{
    if (m_engine.dataDir().isEmpty()) {
        TableDump::exportTables(m_engine, folder);
    } else {
        // One read transaction: the copy holds exactly what was committed when it began.
        m_engine.run(QStringLiteral("VACUUM INTO ") + sqlText(SqliteEngine::filePath(folder)));
    }
    for (const QString &path : attachmentFiles(m_dataDir)) {
        const QFileInfo source(path);
        const QString target = QDir(folder).filePath(source.fileName());
        if (!QFile::copy(path, target))
            throw AppError(QStringLiteral("Cannot copy %1").arg(path));
        QFile copy(target);
        if (copy.open(QIODevice::ReadWrite))
            copy.setFileTime(source.lastModified(), QFileDevice::FileModificationTime);
    }
}

bool DatabaseBackup::backup(const QString &archive, TQXBackupFile &component)
{
    // Staged beside the archive: the same disk holds the snapshot and the archive.
    QTemporaryDir staging(QFileInfo(archive).absolutePath() + QStringLiteral("/.ruvelo-backup-XXXXXX"));
    if (!staging.isValid()) {
        ShowError(TQXBackupFile::ErrorText(TQXBackupFile::ArchiveWriteError));
        return false;
    }
    snapshot(staging.path());
    return component.Backup(staging.path(), archive, true);
}
