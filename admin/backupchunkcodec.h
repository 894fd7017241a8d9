#pragma once

#include <QtGlobal>
#include <memory>

struct z_stream_s;

// The two 16 KiB buffers of a backup or restore and the zlib streams working on them.
// Every chunk of at most ChunkSize bytes becomes one complete zlib stream (deflate,
// window 15 bits, memory level 8, default strategy); the streams are reset between
// chunks rather than created anew, which gives the same bytes at a fraction of the cost.
//
// Each buffer has four bytes in front of its ChunkSize data bytes, so that a chunk's
// length and its bytes leave in one write: record() points at them.
class BackupChunkCodec final
{
public:
    static constexpr int ChunkSize = 16384;
    static constexpr int LengthSize = 4;

    enum class Result { Compressed, Stored, Failed };

    // `level` is a zlib level (-1 for the library default, 0 to 9).
    explicit BackupChunkCodec(int level);
    ~BackupChunkCodec();
    BackupChunkCodec(const BackupChunkCodec &) = delete;
    BackupChunkCodec &operator=(const BackupChunkCodec &) = delete;

    // Where the writer reads the next piece of a file (ChunkSize bytes).
    char *input() { return m_input.get() + LengthSize; }
    // Compresses the first `length` bytes of input() into one stream. Compressed: the
    // stream finished within ChunkSize bytes; Stored: it did not, and the record carries
    // the input unchanged under a negative length; Failed: zlib reported an error.
    Result compress(int length);
    // The chunk record of the last compress(): the 32-bit length followed by its bytes.
    const char *record() const { return m_record; }
    int recordSize() const { return m_recordSize; }

    // Where the reader places a chunk's bytes before unpack() (ChunkSize bytes).
    char *chunk() { return m_input.get() + LengthSize; }
    // Inflates a compressed chunk of `length` bytes in one call. Fails unless the bytes
    // are exactly one complete zlib stream (its adler32 checked) of at most ChunkSize
    // bytes of content. A stored chunk (`compressed` false) is taken as it is.
    bool unpack(int length, bool compressed);
    const char *data() const { return m_data; }
    int dataSize() const { return m_dataSize; }

private:
    struct StreamDeleter
    {
        bool inflating = false;
        void operator()(z_stream_s *stream) const;
    };
    using Stream = std::unique_ptr<z_stream_s, StreamDeleter>;

    bool ensureDeflater();
    bool ensureInflater();

    int m_level;
    std::unique_ptr<char[]> m_input;
    std::unique_ptr<char[]> m_output;
    Stream m_deflater;
    Stream m_inflater;
    const char *m_record = nullptr;
    int m_recordSize = 0;
    const char *m_data = nullptr;
    int m_dataSize = 0;
};
