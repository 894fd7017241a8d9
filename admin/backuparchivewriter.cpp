#include "backuparchivewriter.h"

#include "backupformat.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

BackupArchiveWriter::BackupArchiveWriter(QIODevice *stream) : m_stream(stream) {}

BackupArchiveWriter::BackupArchiveWriter(const QString &archive, qint64 maxSize)
    : m_archive(archive), m_maxSize(maxSize)
{
}

BackupArchiveWriter::~BackupArchiveWriter()
{
    if (m_finished)
        return;
    m_file.reset();   // an uncommitted save file removes its temporary file
    for (const QString &name : std::as_const(m_completed))
        QFile::remove(name);
}

QIODevice *BackupArchiveWriter::device() const
{
    return m_stream ? m_stream : static_cast<QIODevice *>(m_file.get());
}

bool BackupArchiveWriter::open()
{
    m_volume = 1;
    if (m_stream)
        return m_stream->isWritable();
    return openVolume(m_archive);
}

bool BackupArchiveWriter::openVolume(const QString &name)
{
    m_file = std::make_unique<QSaveFile>(name);
    return m_file->open(QIODevice::WriteOnly);
}

bool BackupArchiveWriter::writeBytes(const char *data, qint64 size)
{
    return device()->write(data, size) == size;
}

bool BackupArchiveWriter::writeInt32(qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return writeBytes(bytes, sizeof bytes);
}

bool BackupArchiveWriter::writeText(const QByteArray &text)
{
    return text.size() <= BackupFormat::MaxTextLength && writeInt32(qint32(text.size()))
           && writeBytes(text.constData(), text.size());
}

bool BackupArchiveWriter::writeSignature()
{
    return writeBytes(BackupFormat::Signature.constData(), BackupFormat::Signature.size());
}

bool BackupArchiveWriter::volumeFull() const
{
    return !m_stream && m_maxSize > 0 && m_file->pos() >= m_maxSize - BackupFormat::VolumeReserve;
}

bool BackupArchiveWriter::closeVolume()
{
    if (m_stream || m_volume >= BackupFormat::LastVolume)
        return false;
    const QString marker = BackupFormat::NextDiskName + BackupFormat::volumeSuffix(m_volume + 1);
    if (!writeText(marker.toUtf8()) || !m_file->commit())
        return false;
    m_completed.append(m_file->fileName());
    m_file.reset();
    return true;
}

bool BackupArchiveWriter::openNextVolume()
{
    ++m_volume;
    return openVolume(BackupFormat::volumeFileName(m_archive, m_volume));
}

bool BackupArchiveWriter::finish()
{
    if (m_stream) {
        m_finished = true;
        return true;
    }
    m_finished = m_file->commit();
    return m_finished;
}
