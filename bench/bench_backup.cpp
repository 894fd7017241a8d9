// Backup and restore throughput of the archive component beside gzip -1 and gunzip run on
// the same files in the same run, the archive's size beside gzip's, and the peak resident
// memory of this process during each operation (VmHWM after resetting it).
// Data: the fleet generator's database in /tmp/ruvelo-bench when present, otherwise ~200 MB of
// generated table-like data (record text, pictures, free pages, index pages).
#include "tqxbackupfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <cstring>

namespace {

constexpr int Rounds = 3;
constexpr qint64 GeneratedSize = 200 * 1024 * 1024;
constexpr int PageSize = 4096;

void print(const char *name, double value, const char *unit, double reference, const char *referenceName)
{
    std::printf("bench %s %.2f %s ratio %.3f vs %s\n", name, value, unit, reference > 0 ? value / reference : 0.0,
                referenceName);
    std::fflush(stdout);
}

// One 4 KiB page of a table file: record text, picture bytes, a free page or index entries.
void fillPage(char *page, QRandomGenerator &random, quint32 &row)
{
    const quint32 kind = random.bounded(100);
    if (kind < 55) {
        QByteArray text;
        while (text.size() < PageSize) {
            ++row;
            text += QStringLiteral("%1|京%2%3|%4-%5-%6|%7.%8|车辆维修保养|%9|已审核\n")
                        .arg(row, 8, 10, QLatin1Char('0'))
                        .arg(QChar(char16_t(u'A' + row % 26)))
                        .arg(10000 + random.bounded(90000))
                        .arg(2015 + random.bounded(10))
                        .arg(1 + random.bounded(12), 2, 10, QLatin1Char('0'))
                        .arg(1 + random.bounded(28), 2, 10, QLatin1Char('0'))
                        .arg(random.bounded(100000))
                        .arg(random.bounded(100), 2, 10, QLatin1Char('0'))
                        .arg(QStringLiteral("张三李四王五赵六").mid(int(random.bounded(4)) * 2, 2))
                        .toUtf8();
        }
        std::memcpy(page, text.constData(), PageSize);
    } else if (kind < 75) {
        random.fillRange(reinterpret_cast<quint32 *>(page), PageSize / 4);
    } else if (kind < 85) {
        std::memset(page, 0, PageSize);
    } else {
        quint32 key = random.generate();
        for (int offset = 0; offset < PageSize; offset += 8) {
            key += random.bounded(16);
            qToLittleEndian(key, page + offset);
            qToLittleEndian(quint32(row + offset), page + offset + 4);
        }
    }
}

QString generatedData()
{
    const QString dir = QDir::tempPath() + QStringLiteral("/ruvelo-bench-backup/data");
    const QString path = dir + QStringLiteral("/fleet.db");
    if (QFileInfo(path).size() == GeneratedSize)
        return dir;
    QDir().mkpath(dir);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    QRandomGenerator random(20240506);
    quint32 row = 0;
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (qint64 written = 0; written < GeneratedSize; written += block.size()) {
        for (int offset = 0; offset < block.size(); offset += PageSize)
            fillPage(block.data() + offset, random, row);
        file.write(block);
    }
    return dir;
}

QStringList filesOf(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

qint64 totalSize(const QStringList &files)
{
    qint64 total = 0;
    for (const QString &file : files)
        total += QFileInfo(file).size();
    return total;
}

// The largest data directory the fleet generator left in /tmp/ruvelo-bench, if any.
QString generatorData()
{
    const QDir base(QStringLiteral("/tmp/ruvelo-bench"));
    QStringList candidates{base.path()};
    for (const QString &sub : base.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        candidates << base.filePath(sub);
    QString best;
    qint64 bestSize = 1024 * 1024;
    for (const QString &dir : std::as_const(candidates)) {
        const qint64 size = totalSize(filesOf(dir));
        if (size >= bestSize) {
            best = dir;
            bestSize = size;
        }
    }
    return best;
}

// Seconds taken by `program arguments` with its output sent to `output`.
double runTool(const QString &program, const QStringList &arguments, const QString &output)
{
    QProcess process;
    process.setStandardOutputFile(output);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        std::exit(1);
    }
    return timer.nsecsElapsed() / 1e9;
}

qint64 statusValue(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return 0;
}

// Starts a new peak measurement of this process's resident memory.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double mib(qint64 bytes)
{
    return bytes / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString source = generatorData();
    if (source.isEmpty())
        source = generatedData();
    const QStringList files = filesOf(source);
    const qint64 bytes = totalSize(files);
    if (files.isEmpty() || bytes == 0) {
        std::fprintf(stderr, "no data to back up\n");
        return 1;
    }
    std::printf("# %lld files, %.1f MB from %s\n", qlonglong(files.size()), bytes / 1e6, qPrintable(source));

    QTemporaryDir work;
    const QString archive = work.filePath(QStringLiteral("backup.bak"));
    const QString target = work.filePath(QStringLiteral("restored"));
    const QString gzipDir = work.filePath(QStringLiteral("gzip"));
    QDir().mkpath(gzipDir);
    for (const QString &file : files)   // bring the data into the page cache for both sides
        runTool(QStringLiteral("cat"), {file}, QStringLiteral("/dev/null"));

    double backupSeconds = 1e30, gzipSeconds = 1e30, restoreSeconds = 1e30, gunzipSeconds = 1e30;
    qint64 backupPeak = 0, restorePeak = 0, rssBefore = statusValue("VmRSS:");
    qint64 gzipBytes = 0;
    for (int round = 0; round < Rounds; ++round) {
        TQXBackupFile component;
        component.setCompressionLevel(clFastest);
        QElapsedTimer timer;
        resetPeak();
        timer.start();
        if (!component.Backup(source, archive, true)) {
            std::fprintf(stderr, "backup failed: %s\n", qPrintable(component.errorText()));
            return 1;
        }
        backupSeconds = std::min(backupSeconds, timer.nsecsElapsed() / 1e9);
        backupPeak = std::max(backupPeak, statusValue("VmHWM:"));

        double gzip = 0;
        gzipBytes = 0;
        for (const QString &file : files) {
            const QString packed = QDir(gzipDir).filePath(QFileInfo(file).fileName() + QStringLiteral(".gz"));
            gzip += runTool(QStringLiteral("gzip"), {QStringLiteral("-1"), QStringLiteral("-c"), file}, packed);
            gzipBytes += QFileInfo(packed).size();
        }
        gzipSeconds = std::min(gzipSeconds, gzip);

        QDir(target).removeRecursively();
        QDir().mkpath(target);
        resetPeak();
        timer.start();
        if (!component.Restore(archive, target)) {
            std::fprintf(stderr, "restore failed: %s\n", qPrintable(component.errorText()));
            return 1;
        }
        restoreSeconds = std::min(restoreSeconds, timer.nsecsElapsed() / 1e9);
        restorePeak = std::max(restorePeak, statusValue("VmHWM:"));

        double gunzip = 0;
        for (const QString &file : files) {
            const QString packed = QDir(gzipDir).filePath(QFileInfo(file).fileName() + QStringLiteral(".gz"));
            gunzip += runTool(QStringLiteral("gzip"), {QStringLiteral("-d"), QStringLiteral("-c"), packed},
                              QDir(gzipDir).filePath(QStringLiteral("unpacked")));
        }
        gunzipSeconds = std::min(gunzipSeconds, gunzip);
    }

    const double megabytes = bytes / 1e6;
    print("backup_throughput", megabytes / backupSeconds, "MB/s", megabytes / gzipSeconds, "gzip-1");
    print("restore_throughput", megabytes / restoreSeconds, "MB/s", megabytes / gunzipSeconds, "gunzip");
    print("backup_archive_size", QFileInfo(archive).size() / 1e6, "MB", gzipBytes / 1e6, "gzip-1");
    print("backup_peak_rss", mib(backupPeak), "MiB", mib(rssBefore), "rss_before");
    print("restore_peak_rss", mib(restorePeak), "MiB", mib(rssBefore), "rss_before");
    std::printf("# peak growth over the resident size before: backup %.2f MiB, restore %.2f MiB\n",
                mib(backupPeak - rssBefore), mib(restorePeak - rssBefore));
    return 0;
}
