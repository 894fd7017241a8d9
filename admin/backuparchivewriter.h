#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QIODevice;
class QSaveFile;

// Writes the archive format to a caller's stream, or to a file cut into volumes of at
// most maxSize bytes (0: one volume). A file volume is written under a temporary name and
// takes its real name, replacing an older file, only once it is complete; whatever was
// written is removed again unless finish() succeeded. Every write reports success.
class BackupArchiveWriter final
{
public:
    // Writes into `stream` (not owned), one volume whatever the size limit.
    explicit BackupArchiveWriter(QIODevice *stream);
    BackupArchiveWriter(const QString &archive, qint64 maxSize);
    ~BackupArchiveWriter();
    BackupArchiveWriter(const BackupArchiveWriter &) = delete;
    BackupArchiveWriter &operator=(const BackupArchiveWriter &) = delete;

    // Opens volume 1.
    bool open();

    bool writeInt32(qint32 value);
    bool writeText(const QByteArray &text);
    bool writeSignature();
    bool writeBytes(const char *data, qint64 size);

    // The current volume can take no further chunk.
    bool volumeFull() const;
    int volume() const { return m_volume; }
    // Ends the current volume with the NEXT:DISK name of the next one and gives it its
    // real name. The next volume is opened by openNextVolume(), after the disk change.
    bool closeVolume();
    bool openNextVolume();

    // Gives the last volume its real name.
    bool finish();

private:
    bool openVolume(const QString &name);
    QIODevice *device() const;

    QIODevice *m_stream = nullptr;
    QString m_archive;
    qint64 m_maxSize = 0;
    int m_volume = 0;
    std::unique_ptr<QSaveFile> m_file;
    QStringList m_completed;
    bool m_finished = false;
};
