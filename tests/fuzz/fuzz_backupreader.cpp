// Restores arbitrary bytes as a backup archive (volumes joined by a separator) into a
// scratch directory holding one file.
// Every input must end in a clean restore or in an error code (reported or raised), and a
// restore that did not succeed must leave the directory exactly as it was.
#include "apperror.h"
#include "backupformat.h"
#include "tqxbackupfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

const QByteArray ExistingContent = QByteArrayLiteral("existing table file");
// The input holds the volumes of an archive joined by this separator.
const QByteArray VolumeSeparator = QByteArrayLiteral("#VOLUME#");
constexpr int MaxVolumes = 8;

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

bool writeFile(const QString &path, const char *data, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data, size) == size;
}

// The directory holds the one file put there before the restore, unchanged.
bool unchanged(const QString &target)
{
    const QStringList entries =
        QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QFile file(QDir(target).filePath(QStringLiteral("a.db")));
    return entries == QStringList{QStringLiteral("a.db")} && file.open(QIODevice::ReadOnly)
           && file.readAll() == ExistingContent;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!scratch().isValid())
        std::abort();
    const QString volumes = scratch().filePath(QStringLiteral("volumes"));
    const QString archive = QDir(volumes).filePath(QStringLiteral("input.bak"));
    const QString target = scratch().filePath(QStringLiteral("target"));
    QDir(volumes).removeRecursively();
    QDir(target).removeRecursively();
    if (!QDir().mkpath(volumes) || !QDir().mkpath(target)
        || !writeFile(QDir(target).filePath(QStringLiteral("a.db")), ExistingContent.constData(), ExistingContent.size()))
        std::abort();
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    qsizetype start = 0;
    for (int volume = 1; start <= input.size(); ++volume) {
        qsizetype end = volume < MaxVolumes ? input.indexOf(VolumeSeparator, start) : -1;
        if (end < 0)
            end = input.size();
        const QString name = volume == 1 ? archive : BackupFormat::volumeFileName(archive, volume);
        if (!writeFile(name, input.constData() + start, end - start))
            std::abort();
        start = end + VolumeSeparator.size();
    }

    TQXBackupFile component;
    component.setRestoreMode(TRestoreMode(size % 5));
    bool restored = false;
    try {
        restored = component.Restore(archive, target);
    } catch (const AppError &) {
        restored = false;
    }
    if (!restored && (component.errorCode() == TQXBackupFile::NoError || !unchanged(target)))
        std::abort();
    return 0;
}
