#include "tqxbackupfile.h"

#include "apperror.h"
#include "backuparchivereader.h"
#include "backuparchivewriter.h"
#include "backupchunkcodec.h"
#include "backupfilelist.h"
#include "backupformat.h"
#include "dosdatetime.h"
#include "restorestaging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <limits>
#include <zlib.h>

namespace {

int zlibLevel(TCompressionLevel level)
{
    switch (level) {
    case clNone:
        return Z_NO_COMPRESSION;
    case clDefault:
        return Z_DEFAULT_COMPRESSION;
    case clMax:
        return Z_BEST_COMPRESSION;
    case clFastest:
        break;
    }
    return Z_BEST_SPEED;
}

// 'A' or 'B' for an archive on a floppy drive, otherwise a null character.
QChar floppyDrive(const QString &archive)
{
    if (archive.size() < 2 || archive.at(1) != QLatin1Char(':'))
        return {};
    const QChar drive = archive.at(0).toUpper();
    return drive == QLatin1Char('A') || drive == QLatin1Char('B') ? drive : QChar();
}

QDateTime lastWritten(const QFile &file)
{
    return QFileInfo(file).lastModified();
}

// Where an archived name is restored: the target directory plus the name's file name part,
// or without a directory the stored relative path below the current directory. Empty for
// a name that could leave those places.
QString restoreTarget(const QString &name, const QString &targetDirectory)
{
    if (name.contains(QChar::Null))
        return {};
    QString storedPath = name;
#ifdef Q_OS_WIN
    storedPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    const QStringList parts = storedPath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString fileName = parts.isEmpty() ? QString() : parts.last();
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String(".."))
        return {};
#ifdef Q_OS_WIN
    if (fileName.contains(QLatin1Char(':')))
        return {};
#endif
    if (!targetDirectory.isEmpty())
        return QDir(targetDirectory).filePath(fileName);
    if (QDir::isAbsolutePath(storedPath) || parts.contains(QLatin1String("..")))
        return {};
    return QDir::current().filePath(storedPath);
}

} // namespace

TQXBackupFile::TQXBackupFile() = default;
TQXBackupFile::~TQXBackupFile() = default;

void TQXBackupFile::setBackupMode(TBackupMode mode)
{
    m_backupMode = mode;
    if (mode == bmIncremental)
        m_setArchiveFlag = true;
}

QString TQXBackupFile::ErrorText(int code)
{
    switch (code) {
    case FileReadError:
        return QStringLiteral("不能读文件");
    case OverwriteError:
        return QStringLiteral("覆盖文件失败");
    case ArchiveReadError:
        return QStringLiteral("不能读备份的文件");
    case ArchiveWriteError:
        return QStringLiteral("不能写备份的文件");
    case InvalidArchiveError:
        return QStringLiteral("无效的备份文件");
    case CompressionError:
        return QStringLiteral("压缩错误");
    case FileListError:
        return QStringLiteral("不能建立临时文件去保存文件标示");
    default:
        return {};
    }
}

QString TQXBackupFile::NeedDiskText(int number)
{
    return QStringLiteral("请插入一个空白的磁盘%s并且按《确定》按钮继续。")
        .replace(QLatin1String("%s"), QString::number(number));
}

void TQXBackupFile::resetState()
{
    m_continue = true;
    m_error = NoError;
    m_totalSize = 0;
    m_processed = 0;
    m_fileCount = 0;
    m_currentFile.clear();
}

void TQXBackupFile::fail(int code)
{
    if (m_error == NoError)
        m_error = code;
    m_continue = false;
}

void TQXBackupFile::ReportError(int code)
{
    if (m_onError)
        m_onError(code, ErrorText(code));
}

int TQXBackupFile::percent() const
{
    if (m_totalSize <= 0)
        return 0;
    return int(std::clamp<qint64>(m_processed * 100 / m_totalSize, 0, 100));
}

void TQXBackupFile::reportProgress(const QString &fileName)
{
    if (m_onProgress)
        m_onProgress(fileName, percent(), m_continue);
}

void TQXBackupFile::reportFinished()
{
    bool ignored = true;
    if (m_onProgress)
        m_onProgress(QString(), 100, ignored);
}

bool TQXBackupFile::askForDisk(int number)
{
    if (m_onNeedDisk)
        m_onNeedDisk(number, m_continue);
    return m_continue;
}

// ---- Backup ----

bool TQXBackupFile::Backup(const QString &source, const QString &archive, bool wholeDirectory)
{
    resetState();
    const bool toStream = archive.compare(StreamName, Qt::CaseInsensitive) == 0;
    const QChar drive = toStream ? QChar() : floppyDrive(archive);
    if (!drive.isNull()) {
        if (m_onWarning)
            m_onWarning(drive == QLatin1Char('A') ? QStringLiteral("请插入一个空白的软盘到驱动器A")
                                                  : QStringLiteral("请插入一个空白的软盘到驱动器B"));
        m_maxSize = BackupFormat::FloppyVolumeSize;
    }

    BackupFileList files;
    if (!toStream)
        files.exclude(archive);
    if (wholeDirectory)
        files.ListFiles(source);
    else
        files.AddFiles(source);

    reportProgress(QString());
    for (const BackupFileList::Entry &entry : files.entries())
        m_totalSize += QFileInfo(entry.path).size();

    QTemporaryFile fileList(QDir::tempPath() + QStringLiteral("/FIDXXXXXX"));
    if (m_saveFileID) {
        if (fileList.open()) {
            for (const BackupFileList::Entry &entry : files.entries()) {
                const QFileInfo info(entry.path);
                const QString line = entry.name + QLatin1Char('\t')
                                     + QString::number(DosDateTime::fromDateTime(info.lastModified()))
                                     + QLatin1Char('=') + QString::number(info.size()) + QStringLiteral("\r\n");
                fileList.write(line.toUtf8());
            }
        }
        if (!fileList.isOpen() || !fileList.flush() || fileList.error() != QFileDevice::NoError)
            fail(FileListError);
        else
            m_totalSize += fileList.size();
    }

    std::unique_ptr<BackupArchiveWriter> writer;
    if (toStream) {
        if (m_outputStream)
            writer = std::make_unique<BackupArchiveWriter>(m_outputStream);
    } else {
        writer = std::make_unique<BackupArchiveWriter>(archive, m_maxSize);
    }
    BackupChunkCodec codec(zlibLevel(m_compressionLevel));
    if (m_continue) {
        // The header's sizes are 32-bit; a larger total is stored as the largest it holds
        // (it only scales the progress of a restore).
        const qint32 total = qint32(std::min<qint64>(m_totalSize, std::numeric_limits<qint32>::max()));
        if (!writer || !writer->open() || !writer->writeText(m_backupTitle.toUtf8()) || !writer->writeInt32(total)
            || !writer->writeInt32(qint32(files.entries().size())))
            fail(ArchiveWriteError);
    }

    if (m_continue && m_saveFileID)
        writeFile(*writer, codec, fileList.fileName(), BackupFormat::FileListName);
    for (const BackupFileList::Entry &entry : files.entries()) {
        if (!m_continue)
            break;
        if (writeFile(*writer, codec, entry.path, entry.name))
            ++m_fileCount;
    }

    bool completed = false;
    if (m_continue) {
        completed = writer->writeInt32(0) && writer->finish();
        if (!completed)
            fail(ArchiveWriteError);
    }
    writer.reset();

    reportFinished();
    if (m_error != NoError)
        ReportError(m_error);
    return completed;
}

// Writes one entry: the name, the date and as many segments as the volumes need.
bool TQXBackupFile::writeFile(BackupArchiveWriter &writer, BackupChunkCodec &codec, const QString &path,
                              const QString &name)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        fail(FileReadError);
        return false;
    }
    m_currentFile = path;
    if (!writer.writeText(name.toUtf8()) || !writer.writeInt32(qint32(DosDateTime::fromDateTime(lastWritten(file))))) {
        fail(ArchiveWriteError);
        return false;
    }
    bool continuation = false;
    while (m_continue && WriteSegment(writer, codec, file, continuation))
        continuation = true;
    return m_continue;
}

// Writes one segment of the file. True when the volume filled up and the file continues
// in a segment of the next volume, which is open by then.
bool TQXBackupFile::WriteSegment(BackupArchiveWriter &writer, BackupChunkCodec &codec, QFile &file, bool continuation)
{
    if (!writer.writeSignature()) {
        fail(ArchiveWriteError);
        return false;
    }
    // A continuation takes at least one chunk, so that any volume size makes progress.
    bool mayStop = !continuation;
    bool volumeFull = false;
    while (m_continue) {
        if (mayStop && writer.volumeFull()) {
            volumeFull = true;
            break;
        }
        mayStop = true;
        const qint64 read = file.read(codec.input(), BackupChunkCodec::ChunkSize);
        if (read < 0) {
            fail(FileReadError);
            return false;
        }
        if (read == 0)
            break;
        const BackupChunkCodec::Result result = codec.compress(int(read));
        if (result == BackupChunkCodec::Result::Failed) {
            fail(CompressionError);
            return false;
        }
        if (!writer.writeBytes(codec.record(), codec.recordSize())) {
            fail(ArchiveWriteError);
            return false;
        }
        m_processed += read;
        QCoreApplication::processEvents();
        reportProgress(m_currentFile);
    }
    if (!writer.writeInt32(0)) {
        fail(ArchiveWriteError);
        return false;
    }
    if (!volumeFull || !m_continue || file.atEnd())
        return false;

    if (!writer.closeVolume()) {
        fail(ArchiveWriteError);
        return false;
    }
    if (!askForDisk(writer.volume() + 1))
        return false;
    if (!writer.openNextVolume()) {
        fail(ArchiveWriteError);
        return false;
    }
    return true;
}

// ---- Restore ----

void TQXBackupFile::failRead(int status)
{
    switch (BackupArchiveReader::Status(status)) {
    case BackupArchiveReader::Status::Ok:
        return;
    case BackupArchiveReader::Status::Truncated:
        fail(ArchiveReadError);
        return;
    case BackupArchiveReader::Status::Invalid:
        fail(InvalidArchiveError);
        return;
    case BackupArchiveReader::Status::Damaged:
        fail(CompressionError);
        return;
    }
}

bool TQXBackupFile::restoreDecision(const QString &target, quint32 archivedDate) const
{
    const QFileInfo info(target);
    const bool exists = info.exists();
    const bool older = exists && DosDateTime::fromDateTime(info.lastModified()) < archivedDate;
    switch (m_restoreMode) {
    case rmNoOverwrite:
        return !exists;
    case rmNewer:
        return !exists || older;
    case rmExisting:
        return exists;
    case rmExistingNewer:
        return older;
    case rmAll:
        break;
    }
    return true;
}

bool TQXBackupFile::Restore(const QString &archive, const QString &targetDirectory)
{
    resetState();
    BackupChunkCodec codec(Z_DEFAULT_COMPRESSION);
    std::unique_ptr<BackupArchiveReader> reader;
    if (archive.compare(StreamName, Qt::CaseInsensitive) == 0) {
        if (m_inputStream)
            reader = std::make_unique<BackupArchiveReader>(codec, m_inputStream);
    } else {
        if (!QFileInfo(archive).isFile())
            return false;
        reader = std::make_unique<BackupArchiveReader>(codec, archive);
    }

    QByteArray title;
    qint32 total = 0;
    qint32 expectedFiles = 0;
    using Status = BackupArchiveReader::Status;
    if (!reader || !reader->open() || reader->readText(title) != Status::Ok || reader->readInt32(total) != Status::Ok
        || reader->readInt32(expectedFiles) != Status::Ok) {
        m_error = ArchiveReadError;
        throw AppError(QStringLiteral("不能读备份的文件"));
    }
    m_totalSize = std::max<qint64>(total, 0);

    RestoreStaging staging;
    QFile *output = nullptr;        // the staged file of the entry being read, if restored
    bool inEntry = false;
    QDateTime entryDate;
    int entries = 0;
    bool reachedEnd = false;
    const auto finishEntry = [&] {
        if (output) {
            if (m_onFileRestored)
                m_onFileRestored(m_currentFile, *output);
            if (staging.end(entryDate))
                ++m_fileCount;
            else
                fail(FileReadError);
        }
        output = nullptr;
        inEntry = false;
    };

    while (m_continue) {
        QByteArray nameBytes;
        Status status = reader->readText(nameBytes);
        if (status != Status::Ok) {
            failRead(int(status));
            break;
        }
        if (nameBytes.isEmpty()) {
            finishEntry();
            reachedEnd = m_continue;
            break;
        }
        const QString name = QString::fromUtf8(nameBytes);
        if (name.startsWith(BackupFormat::NextDiskName)) {
            if (!inEntry) {
                fail(InvalidArchiveError);
                break;
            }
            if (openNextVolume(*reader, name))
                ReadSegment(*reader, codec, output);
            continue;
        }

        finishEntry();
        qint32 date = 0;
        status = reader->readInt32(date);
        if (status != Status::Ok) {
            failRead(int(status));
            break;
        }
        inEntry = true;
        bool restore = false;
        if (name != BackupFormat::FileListName) {
            ++entries;
            QString target = restoreTarget(name, targetDirectory);
            if (target.isEmpty()) {
                fail(InvalidArchiveError);
                break;
            }
            entryDate = DosDateTime::toDateTime(quint32(date));
            restore = restoreDecision(target, quint32(date));
            if (m_onRestoreFile)
                m_onRestoreFile(target, entryDate, restore);
            if (restore) {
                m_currentFile = target;
                output = staging.begin(target);
                if (!output) {
                    fail(FileReadError);
                    break;
                }
            }
        }
        ReadSegment(*reader, codec, output);
    }
    reader->close();

    bool restored = m_error == NoError && m_continue && reachedEnd;
    if (restored && entries != expectedFiles) {
        fail(InvalidArchiveError);
        restored = false;
    }
    if (restored && !staging.commit()) {
        fail(OverwriteError);
        restored = false;
    }
    if (!restored)
        m_fileCount = 0;

    reportFinished();
    if (m_error != NoError)
        ReportError(m_error);
    return restored;
}

// Reads one segment into `output`, or past it when there is none. Every chunk is
// inflated either way, so that a damaged archive is found before anything is replaced.
void TQXBackupFile::ReadSegment(BackupArchiveReader &reader, BackupChunkCodec &codec, QFile *output)
{
    bool signature = false;
    BackupArchiveReader::Status status = reader.readSignature(signature);
    if (status != BackupArchiveReader::Status::Ok) {
        failRead(int(status));
        return;
    }
    if (!signature) {
        m_error = InvalidArchiveError;
        throw AppError(QStringLiteral("无效的备份文件"));
    }
    while (m_continue) {
        bool end = false;
        status = reader.readChunk(end);
        if (status != BackupArchiveReader::Status::Ok) {
            failRead(int(status));
            return;
        }
        if (end)
            return;
        QCoreApplication::processEvents();
        if (!output)
            continue;
        if (output->write(codec.data(), codec.dataSize()) != codec.dataSize()) {
            fail(FileReadError);
            return;
        }
        m_processed += codec.dataSize();
        reportProgress(m_currentFile);
    }
}

// Moves the reader to the volume a NEXT:DISK name asks for, asking for the disk until the
// volume's file is there or the user stops.
bool TQXBackupFile::openNextVolume(BackupArchiveReader &reader, const QString &marker)
{
    const QString suffix = marker.mid(BackupFormat::NextDiskName.size());
    const bool digits = suffix.size() == 3 && std::all_of(suffix.cbegin(), suffix.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    const int number = digits ? suffix.toInt() : -1;
    if (reader.isStream() || number != reader.volume() + 1) {
        fail(InvalidArchiveError);
        return false;
    }
    reader.close();
    const QString fileName = BackupFormat::volumeFileName(reader.archive(), number);
    for (;;) {
        if (!askForDisk(number))
            return false;
        if (QFileInfo(fileName).isFile())
            break;
        if (!m_onNeedDisk) {
            fail(ArchiveReadError);
            return false;
        }
    }
    if (!reader.openVolume(number, fileName)) {
        fail(ArchiveReadError);
        return false;
    }
    return true;
}
