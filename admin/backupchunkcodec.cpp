#include "backupchunkcodec.h"

#include <QtEndian>
#include <zlib.h>

namespace {

constexpr int WindowBits = 15;
constexpr int MemoryLevel = 8;

} // namespace

void BackupChunkCodec::StreamDeleter::operator()(z_stream_s *stream) const
{
    if (inflating)
        inflateEnd(stream);
    else
        deflateEnd(stream);
    delete stream;
}

BackupChunkCodec::BackupChunkCodec(int level)
    : m_level(level),
      m_input(new char[LengthSize + ChunkSize]),
      m_output(new char[LengthSize + ChunkSize]),
      m_deflater(nullptr, StreamDeleter{false}),
      m_inflater(nullptr, StreamDeleter{true})
{
}

BackupChunkCodec::~BackupChunkCodec() = default;

bool BackupChunkCodec::ensureDeflater()
{
    if (m_deflater)
        return deflateReset(m_deflater.get()) == Z_OK;
    auto stream = std::make_unique<z_stream_s>();
    if (deflateInit2(stream.get(), m_level, Z_DEFLATED, WindowBits, MemoryLevel, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    m_deflater.reset(stream.release());
    return true;
}

bool BackupChunkCodec::ensureInflater()
{
    if (m_inflater)
        return inflateReset(m_inflater.get()) == Z_OK;
    auto stream = std::make_unique<z_stream_s>();
    if (inflateInit2(stream.get(), WindowBits) != Z_OK)
        return false;
    m_inflater.reset(stream.release());
    return true;
}

BackupChunkCodec::Result BackupChunkCodec::compress(int length)
{
    Q_ASSERT(length > 0 && length <= ChunkSize);
    m_record = nullptr;
    m_recordSize = 0;
    if (!ensureDeflater())
        return Result::Failed;

    z_stream_s &stream = *m_deflater;
    stream.next_in = reinterpret_cast<Bytef *>(input());
    stream.avail_in = uInt(length);
    stream.next_out = reinterpret_cast<Bytef *>(m_output.get() + LengthSize);
    stream.avail_out = ChunkSize;
    const int result = deflate(&stream, Z_FINISH);
    if (result == Z_STREAM_END) {
        const int compressed = ChunkSize - int(stream.avail_out);
        qToLittleEndian<qint32>(compressed, m_output.get());
        m_record = m_output.get();
        m_recordSize = LengthSize + compressed;
        return Result::Compressed;
    }
    // Z_OK or Z_BUF_ERROR under Z_FINISH: the output buffer filled before the end.
    if (result == Z_OK || result == Z_BUF_ERROR) {
        qToLittleEndian<qint32>(-length, m_input.get());
        m_record = m_input.get();
        m_recordSize = LengthSize + length;
        return Result::Stored;
    }
    return Result::Failed;
}

bool BackupChunkCodec::unpack(int length, bool compressed)
{
    Q_ASSERT(length > 0 && length <= ChunkSize);
    m_data = nullptr;
    m_dataSize = 0;
    if (!compressed) {
        m_data = chunk();
        m_dataSize = length;
        return true;
    }
    if (!ensureInflater())
        return false;

    z_stream_s &stream = *m_inflater;
    stream.next_in = reinterpret_cast<Bytef *>(chunk());
    stream.avail_in = uInt(length);
    stream.next_out = reinterpret_cast<Bytef *>(m_output.get());
    stream.avail_out = ChunkSize;
    if (inflate(&stream, Z_FINISH) != Z_STREAM_END || stream.avail_in != 0)
        return false;
    m_data = m_output.get();
    m_dataSize = ChunkSize - int(stream.avail_out);
    return true;
}
