#include "backuparchivereader.h"

#include "backupchunkcodec.h"
#include "backupformat.h"

#include <QFile>
#include <QtEndian>

BackupArchiveReader::BackupArchiveReader(BackupChunkCodec &codec, QIODevice *stream)
    : m_codec(codec), m_stream(stream)
{
}

BackupArchiveReader::BackupArchiveReader(BackupChunkCodec &codec, const QString &archive)
    : m_codec(codec), m_archive(archive)
{
}

BackupArchiveReader::~BackupArchiveReader() = default;

QIODevice *BackupArchiveReader::device() const
{
    return m_stream ? m_stream : static_cast<QIODevice *>(m_file.get());
}

bool BackupArchiveReader::open()
{
    m_volume = 1;
    if (m_stream)
        return m_stream->isReadable();
    return openVolume(1, m_archive);
}

bool BackupArchiveReader::openVolume(int number, const QString &fileName)
{
    close();
    m_volume = number;
    m_file = std::make_unique<QFile>(fileName);
    return m_file->open(QIODevice::ReadOnly);
}

void BackupArchiveReader::close()
{
    m_file.reset();
}

BackupArchiveReader::Status BackupArchiveReader::readBytes(char *data, qint64 size)
{
    QIODevice *input = device();
    if (!input)
        return Status::Truncated;
    qint64 done = 0;
    while (done < size) {
        const qint64 count = input->read(data + done, size - done);
        if (count <= 0)
            return Status::Truncated;
        done += count;
    }
    return Status::Ok;
}

BackupArchiveReader::Status BackupArchiveReader::readInt32(qint32 &value)
{
    char bytes[4];
    const Status status = readBytes(bytes, sizeof bytes);
    if (status == Status::Ok)
        value = qFromLittleEndian<qint32>(bytes);
    return status;
}

BackupArchiveReader::Status BackupArchiveReader::readText(QByteArray &text)
{
    qint32 length = 0;
    Status status = readInt32(length);
    if (status != Status::Ok)
        return status;
    if (length < 0 || length > BackupFormat::MaxTextLength)
        return Status::Invalid;
    text.resize(length);
    return readBytes(text.data(), length);
}

BackupArchiveReader::Status BackupArchiveReader::readSignature(bool &matches)
{
    char bytes[4];
    const Status status = readBytes(bytes, sizeof bytes);
    matches = status == Status::Ok && QByteArrayView(bytes, sizeof bytes) == BackupFormat::Signature;
    return status;
}

BackupArchiveReader::Status BackupArchiveReader::readChunk(bool &end)
{
    qint32 length = 0;
    Status status = readInt32(length);
    end = status == Status::Ok && length == 0;
    if (status != Status::Ok || end)
        return status;
    // Compressed output never exceeds ChunkSize bytes, nor does a stored piece.
    if (length > BackupChunkCodec::ChunkSize || length < -BackupChunkCodec::ChunkSize)
        return Status::Invalid;
    const bool compressed = length > 0;
    const int size = compressed ? length : -length;
    status = readBytes(m_codec.chunk(), size);
    if (status != Status::Ok)
        return status;
    return m_codec.unpack(size, compressed) ? Status::Ok : Status::Damaged;
}
