#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class BackupChunkCodec;
class QFile;
class QIODevice;

// Reads the archive format from a caller's stream or from volume files, checking every
// length against the format's limits before anything is read into memory.
class BackupArchiveReader final
{
public:
    enum class Status {
        Ok,
        Truncated,   // the input ended early or could not be read
        Invalid,     // a length, name or marker the format does not allow
        Damaged      // a chunk that does not inflate (zlib error or adler32 mismatch)
    };

    BackupArchiveReader(BackupChunkCodec &codec, QIODevice *stream);
    BackupArchiveReader(BackupChunkCodec &codec, const QString &archive);
    ~BackupArchiveReader();
    BackupArchiveReader(const BackupArchiveReader &) = delete;
    BackupArchiveReader &operator=(const BackupArchiveReader &) = delete;

    // Opens volume 1.
    bool open();
    bool isStream() const { return m_stream != nullptr; }
    const QString &archive() const { return m_archive; }
    int volume() const { return m_volume; }
    // Closes the current volume and opens volume `number` from `fileName`.
    bool openVolume(int number, const QString &fileName);
    void close();

    Status readInt32(qint32 &value);
    Status readText(QByteArray &text);
    // Reads the four signature bytes; `matches` tells whether they are "EC2" and a 0 byte.
    Status readSignature(bool &matches);
    // Reads the next chunk of a segment. `end` is set at the 32-bit 0 closing the segment;
    // otherwise the chunk's content is in the codec's data().
    Status readChunk(bool &end);

private:
    Status readBytes(char *data, qint64 size);
    QIODevice *device() const;

    BackupChunkCodec &m_codec;
    QIODevice *m_stream = nullptr;
    QString m_archive;
    std::unique_ptr<QFile> m_file;
    int m_volume = 0;
};
