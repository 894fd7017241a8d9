#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

class BackupArchiveReader;
class BackupArchiveWriter;
class BackupChunkCodec;
class QFile;
class QIODevice;

enum TBackupMode { bmAll, bmIncremental };
enum TCompressionLevel { clFastest, clNone, clDefault, clMax };
enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };

// Packs files into one backup archive, each file cut into chunks of 16 384 bytes that are
// compressed on their own, and unpacks such an archive into a directory. The archive may
// be split into volumes. The component shows nothing itself: its events carry progress,
// disk changes, warnings and errors to the caller, and an error without an OnError handler
// stays in errorCode()/errorText().
//
// Names are stored relative to the directory that was backed up, with their case, in
// UTF-8. A backup appears under the archive's name only when it is complete. A restore
// first reads and checks the whole archive, staging the files it restores beside their
// targets, and replaces the targets only when everything checked out; it touches no file
// the archive does not contain.
//
// Memory stays bounded by two 16 KiB buffers (and zlib's fixed state) whatever the sizes.
class TQXBackupFile final
{
public:
    // Error codes reported through OnError; ErrorText() gives their texts.
    enum ErrorCode {
        NoError = 0,
        FileReadError = 1,
        OverwriteError = 2,
        ArchiveReadError = 3,
        ArchiveWriteError = 4,
        InvalidArchiveError = 5,
        CompressionError = 6,
        FileListError = 7
    };

    // (file name, percent 0..100, continue): clearing `continueWork` stops the operation.
    using TProgressEvent = std::function<void(const QString &fileName, int percent, bool &continueWork)>;
    // (volume number, continue): the volume is needed; clearing `continueWork` stops.
    using TNeedDiskEvent = std::function<void(int diskId, bool &continueWork)>;
    // (target, archived date, restore): may change the target and the decision.
    using TRestoreFileEvent = std::function<void(QString &fileName, const QDateTime &fileDate, bool &doRestore)>;
    // (target, the open file holding its restored data) before the file is closed.
    using TFileRestoredEvent = std::function<void(const QString &fileName, QFile &file)>;
    using TErrorEvent = std::function<void(int error, const QString &errorText)>;
    // A warning for the user (the floppy to insert before a volume backup).
    using TWarningEvent = std::function<void(const QString &text)>;

    // The archive name that means the component's input or output stream.
    static inline const QString StreamName = QStringLiteral(":STREAM");

    TQXBackupFile();
    ~TQXBackupFile();
    TQXBackupFile(const TQXBackupFile &) = delete;
    TQXBackupFile &operator=(const TQXBackupFile &) = delete;

    QString version() const { return QStringLiteral("5.00"); }

    QString backupTitle() const { return m_backupTitle; }
    void setBackupTitle(const QString &title) { m_backupTitle = title; }
    TBackupMode backupMode() const { return m_backupMode; }
    // bmIncremental also sets SetArchiveFlag. The platform keeps no archive attribute,
    // so every file counts as changed and the flag changes nothing on disk.
    void setBackupMode(TBackupMode mode);
    TCompressionLevel compressionLevel() const { return m_compressionLevel; }
    void setCompressionLevel(TCompressionLevel level) { m_compressionLevel = level; }
    TRestoreMode restoreMode() const { return m_restoreMode; }
    void setRestoreMode(TRestoreMode mode) { m_restoreMode = mode; }
    // Volume size limit in bytes, 0 for one volume. A backup to the floppy drives A: or
    // B: sets it to 1 400 000; otherwise the value set here is used.
    qint64 maxSize() const { return m_maxSize; }
    void setMaxSize(qint64 size) { m_maxSize = size; }
    bool setArchiveFlag() const { return m_setArchiveFlag; }
    void setSetArchiveFlag(bool on) { m_setArchiveFlag = on; }
    // Stored only; where a restore writes is decided by its target directory.
    bool restoreFullPath() const { return m_restoreFullPath; }
    void setRestoreFullPath(bool on) { m_restoreFullPath = on; }
    // Also store the list of archived files with their dates and sizes as the first entry.
    bool saveFileID() const { return m_saveFileID; }
    void setSaveFileID(bool on) { m_saveFileID = on; }

    // The streams used for the archive name StreamName (not owned; one volume only).
    void setInputStream(QIODevice *stream) { m_inputStream = stream; }
    void setOutputStream(QIODevice *stream) { m_outputStream = stream; }

    void setOnProgress(TProgressEvent handler) { m_onProgress = std::move(handler); }
    void setOnNeedDisk(TNeedDiskEvent handler) { m_onNeedDisk = std::move(handler); }
    void setOnRestoreFile(TRestoreFileEvent handler) { m_onRestoreFile = std::move(handler); }
    void setOnFileRestored(TFileRestoredEvent handler) { m_onFileRestored = std::move(handler); }
    void setOnError(TErrorEvent handler) { m_onError = std::move(handler); }
    void setOnWarning(TWarningEvent handler) { m_onWarning = std::move(handler); }

    // Archives `source` (a file pattern, or with `wholeDirectory` every file of that
    // directory) into `archive`. Errors are reported, never raised. True when the archive
    // was completed; otherwise nothing is left under the archive's name that was not there.
    // Without OnNeedDisk the next volume is created beside the previous one.
    bool Backup(const QString &source, const QString &archive, bool wholeDirectory);
    // Restores the archive's files into `targetDirectory` (each under the file name part of
    // its stored name) or, when it is empty, at their stored relative paths below the
    // current directory. Raises AppError "不能读备份的文件" for an unreadable header and
    // "无效的备份文件" for a segment without the signature; other errors are reported. True
    // when every file chosen was restored; otherwise no file has been changed. False at
    // once, silently, when the archive file does not exist. Without OnNeedDisk a missing
    // volume is an error.
    bool Restore(const QString &archive, const QString &targetDirectory);

    // The error of the last operation (ErrorCode) and its text.
    int errorCode() const { return m_error; }
    QString errorText() const { return m_error == NoError ? QString() : ErrorText(m_error); }
    // Files archived or restored by the last operation (the file list not counted).
    int fileCount() const { return m_fileCount; }

    static QString ErrorText(int code);
    // The question to show when volume `number` is needed.
    static QString NeedDiskText(int number);

private:
    void resetState();
    void fail(int code);
    void ReportError(int code);
    void reportProgress(const QString &fileName);
    void reportFinished();
    int percent() const;
    bool askForDisk(int number);

    bool writeFile(BackupArchiveWriter &writer, BackupChunkCodec &codec, const QString &path,
                   const QString &name);
    bool WriteSegment(BackupArchiveWriter &writer, BackupChunkCodec &codec, QFile &file, bool continuation);

    void ReadSegment(BackupArchiveReader &reader, BackupChunkCodec &codec, QFile *output);
    bool openNextVolume(BackupArchiveReader &reader, const QString &marker);
    bool restoreDecision(const QString &target, quint32 archivedDate) const;
    void failRead(int status);

    QString m_backupTitle;
    TBackupMode m_backupMode = bmAll;
    TCompressionLevel m_compressionLevel = clFastest;
    TRestoreMode m_restoreMode = rmAll;
    qint64 m_maxSize = 0;
    bool m_setArchiveFlag = false;
    bool m_restoreFullPath = false;
    bool m_saveFileID = false;
    QIODevice *m_inputStream = nullptr;
    QIODevice *m_outputStream = nullptr;

    TProgressEvent m_onProgress;
    TNeedDiskEvent m_onNeedDisk;
    TRestoreFileEvent m_onRestoreFile;
    TFileRestoredEvent m_onFileRestored;
    TErrorEvent m_onError;
    TWarningEvent m_onWarning;

    // Working state of the running operation.
    bool m_continue = true;
    int m_error = NoError;
    qint64 m_totalSize = 0;
    qint64 m_processed = 0;
    int m_fileCount = 0;
    QString m_currentFile;
};
