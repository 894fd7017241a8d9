#include "apperror.h"
#include "tqxbackupfile.h"

#include <QBuffer>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest>
#include <optional>
#include <zlib.h>

// The archive format byte by byte, restore modes and the checks that keep a damaged
// archive from changing anything.
namespace {

constexpr int ChunkSize = 16384;

QByteArray randomBytes(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// Record-like text that compresses well.
QByteArray recordText(int size)
{
    QByteArray text;
    for (int row = 0; text.size() < size; ++row)
        text += QStringLiteral("%1\t京A%2\t2024-05-%3\t%4.50\t车辆维修\r\n")
                    .arg(row, 8, 10, QLatin1Char('0'))
                    .arg(10000 + row % 977)
                    .arg(1 + row % 28, 2, 10, QLatin1Char('0'))
                    .arg(row * 37 % 100000)
                    .toUtf8();
    return text.left(size);
}

void writeFile(const QString &path, const QByteArray &data, const QDateTime &modified)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(data), data.size());
    QVERIFY(file.flush());
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 dosTime(const QDateTime &time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    return quint32(d.year() - 1980) << 25 | quint32(d.month()) << 21 | quint32(d.day()) << 16
           | quint32(t.hour()) << 11 | quint32(t.minute()) << 5 | quint32(t.second() / 2);
}

// Every file and directory below `dir` with contents and modification times.
QMap<QString, QString> snapshot(const QString &dir)
{
    QMap<QString, QString> result;
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        result.insert(QDir(dir).relativeFilePath(path),
                      info.isDir() ? QStringLiteral("<dir>")
                                   : QString::fromLatin1(readFile(path).toBase64()) + QLatin1Char('@')
                                         + QString::number(info.lastModified().toSecsSinceEpoch()));
    }
    return result;
}

// Archives written by these tests become the seed corpus of the archive reader's fuzz target.
void saveSeed(const QString &name, const QByteArray &archive)
{
    const QString dir = qEnvironmentVariable("RUVELO_FUZZ_SEEDS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QString fileName = name;
    for (QChar &c : fileName) {
        if (!c.isLetterOrNumber() || c.unicode() > 127)
            c = QLatin1Char('-');
    }
    QFile file(QDir(dir).filePath(fileName));
    if (file.open(QIODevice::WriteOnly))
        file.write(archive);
}

// Builds archives by hand.
class ArchiveBuilder
{
public:
    ArchiveBuilder &int32(qint32 value)
    {
        char bytes[4];
        qToLittleEndian(value, bytes);
        m_bytes.append(bytes, 4);
        return *this;
    }
    ArchiveBuilder &text(const QByteArray &text) { return int32(qint32(text.size())).raw(text); }
    ArchiveBuilder &raw(const QByteArray &bytes)
    {
        m_bytes += bytes;
        return *this;
    }
    ArchiveBuilder &header(int count) { return text("t").int32(0).int32(count); }
    ArchiveBuilder &entry(const QByteArray &name) { return text(name).int32(qint32(dosTime(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 6))))); }
    ArchiveBuilder &signature() { return raw(QByteArrayLiteral("EC2\0")); }
    ArchiveBuilder &stored(const QByteArray &piece) { return int32(-qint32(piece.size())).raw(piece); }
    ArchiveBuilder &end() { return int32(0); }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads an archive (or one volume of it) back into its parts.
struct Chunk
{
    qint64 offset;    // of the length
    qint32 length;
    QByteArray bytes;
};
struct Entry
{
    QByteArray name;
    quint32 date = 0;
    QList<Chunk> chunks;
};
struct Parsed
{
    QByteArray title;
    qint32 total = 0;
    qint32 count = 0;
    QList<Entry> entries;
    QByteArray nextDisk;   // the NEXT:DISK name ending a volume
};

class Parser
{
public:
    explicit Parser(const QByteArray &bytes) : m_bytes(bytes) {}

    // `withHeader` false for a continuing volume, which opens with a segment.
    std::optional<Parsed> parse(bool withHeader = true)
    {
        Parsed result;
        if (withHeader && !(text(result.title) && int32(result.total) && int32(result.count)))
            return {};
        if (!withHeader) {
            result.entries.append(Entry{});
            if (!segment(result.entries.last()))
                return {};
        }
        for (;;) {
            QByteArray name;
            if (!text(name))
                return {};
            if (name.isEmpty())
                return m_pos == m_bytes.size() ? std::optional(result) : std::nullopt;
            if (name.startsWith("NEXT:DISK")) {
                result.nextDisk = name;
                return m_pos == m_bytes.size() ? std::optional(result) : std::nullopt;
            }
            Entry entry{name, 0, {}};
            qint32 date = 0;
            if (!int32(date) || !segment(entry))
                return {};
            entry.date = quint32(date);
            result.entries.append(entry);
        }
    }

private:
    bool int32(qint32 &value)
    {
        if (m_pos + 4 > m_bytes.size())
            return false;
        value = qFromLittleEndian<qint32>(m_bytes.constData() + m_pos);
        m_pos += 4;
        return true;
    }
    bool text(QByteArray &value)
    {
        qint32 length = 0;
        if (!int32(length) || length < 0 || m_pos + length > m_bytes.size())
            return false;
        value = m_bytes.mid(m_pos, length);
        m_pos += length;
        return true;
    }
    bool segment(Entry &entry)
    {
        if (m_bytes.mid(m_pos, 4) != QByteArrayLiteral("EC2\0"))
            return false;
        m_pos += 4;
        for (;;) {
            const qint64 offset = m_pos;
            qint32 length = 0;
            if (!int32(length))
                return false;
            if (length == 0)
                return true;
            const qint64 size = std::abs(qint64(length));
            if (m_pos + size > m_bytes.size())
                return false;
            entry.chunks.append({offset, length, m_bytes.mid(m_pos, size)});
            m_pos += size;
        }
    }

    QByteArray m_bytes;
    qint64 m_pos = 0;
};

QByteArray inflateChunk(const QByteArray &stream)
{
    QByteArray out(ChunkSize, Qt::Uninitialized);
    uLongf size = ChunkSize;
    if (uncompress(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(stream.constData()),
                   uLong(stream.size())) != Z_OK)
        return {};
    out.resize(qsizetype(size));
    return out;
}

// The file's content pieced together from its chunks.
QByteArray content(const Entry &entry)
{
    QByteArray data;
    for (const Chunk &chunk : entry.chunks)
        data += chunk.length < 0 ? chunk.bytes : inflateChunk(chunk.bytes);
    return data;
}

// An even second: DOS times keep seconds in steps of two.
const QDateTime ArchivedTime(QDate(2024, 5, 6), QTime(14, 30, 16));

} // namespace

class tst_TQXBackupFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> temp;
    QString sourceDir;
    QString targetDir;
    QString archive;
    QList<QPair<int, QString>> reported;

    // Backs up sourceDir into archive; the component is set up by `setup`.
    bool backup(const std::function<void(TQXBackupFile &)> &setup = {})
    {
        TQXBackupFile component;
        component.setBackupTitle(QStringLiteral("路威备份"));
        component.setOnError([this](int code, const QString &text) { reported.append({code, text}); });
        if (setup)
            setup(component);
        return component.Backup(sourceDir, archive, true);
    }

    bool restore(const std::function<void(TQXBackupFile &)> &setup = {})
    {
        TQXBackupFile component;
        component.setOnError([this](int code, const QString &text) { reported.append({code, text}); });
        if (setup)
            setup(component);
        return component.Restore(archive, targetDir);
    }

private slots:
    void init()
    {
        temp = std::make_unique<QTemporaryDir>();
        QVERIFY(temp->isValid());
        sourceDir = temp->filePath(QStringLiteral("data"));
        targetDir = temp->filePath(QStringLiteral("restored"));
        archive = temp->filePath(QStringLiteral("backup.bak"));
        QVERIFY(QDir().mkpath(sourceDir));
        QVERIFY(QDir().mkpath(targetDir));
        reported.clear();
    }

    void chunkLayout_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QList<int>>("pieces");   // content size per chunk, negative when stored
        QTest::newRow("empty file") << QByteArray() << QList<int>{};
        QTest::newRow("16384 random bytes") << randomBytes(16384, 1) << QList<int>{-16384};
        QTest::newRow("40000 bytes in three chunks") << recordText(40000) << QList<int>{16384, 16384, 7232};
    }

    void chunkLayout()
    {
        QFETCH(QByteArray, data);
        QFETCH(QList<int>, pieces);
        writeFile(QDir(sourceDir).filePath("Fleet.DB"), data, ArchivedTime.addSecs(1));
        QVERIFY(backup());

        const QByteArray bytes = readFile(archive);
        saveSeed(QStringLiteral("layout-%1").arg(data.size()), bytes);
        const std::optional<Parsed> parsed = Parser(bytes).parse();
        QVERIFY(parsed);
        QCOMPARE(parsed->title, QStringLiteral("路威备份").toUtf8());
        QCOMPARE(parsed->total, data.size());
        QCOMPARE(parsed->count, 1);
        QCOMPARE(parsed->entries.size(), 1);
        const Entry &entry = parsed->entries.first();
        QCOMPARE(entry.name, QByteArray("Fleet.DB"));
        QCOMPARE(entry.date, dosTime(ArchivedTime));
        QCOMPARE(entry.chunks.size(), pieces.size());
        qsizetype offset = 0;
        for (int i = 0; i < pieces.size(); ++i) {
            const Chunk &chunk = entry.chunks[i];
            const int size = std::abs(pieces[i]);
            if (pieces[i] < 0)
                QCOMPARE(chunk.length, pieces[i]);
            else
                QVERIFY(chunk.length > 0);
            QCOMPARE(chunk.length < 0 ? chunk.bytes : inflateChunk(chunk.bytes), data.mid(offset, size));
            offset += size;
        }

        QVERIFY(restore());
        const QString restored = QDir(targetDir).filePath("Fleet.DB");
        QCOMPARE(readFile(restored), data);
        QCOMPARE(QFileInfo(restored).lastModified(), ArchivedTime);
    }

    void compressionLevels_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("zlibLevel");
        QTest::newRow("clFastest") << int(clFastest) << 1;
        QTest::newRow("clNone") << int(clNone) << 0;
        QTest::newRow("clDefault") << int(clDefault) << -1;
        QTest::newRow("clMax") << int(clMax) << 9;
    }

    // Every level round-trips names with and without a dot, in Chinese and in mixed case,
    // and writes its first chunk exactly as zlib does at that level.
    void compressionLevels()
    {
        QFETCH(int, level);
        QFETCH(int, zlibLevel);
        const QMap<QString, QByteArray> files{
            {QStringLiteral("Fleet.DB"), recordText(40000)},
            {QStringLiteral("B24050614301"), randomBytes(20000, 2)},
            {QStringLiteral("车辆资料.db"), recordText(5000)},
            {QStringLiteral("empty"), QByteArray()},
            {QStringLiteral(".hidden"), recordText(100)},
        };
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            writeFile(QDir(sourceDir).filePath(it.key()), it.value(), ArchivedTime.addDays(-int(it.value().size() % 7)));

        QList<int> progress;
        QVERIFY(backup([&](TQXBackupFile &component) {
            component.setCompressionLevel(TCompressionLevel(level));
            component.setOnProgress([&](const QString &, int percent, bool &) { progress.append(percent); });
        }));
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last(), 100);
        QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()));
        QVERIFY(progress.first() >= 0);

        const QByteArray bytes = readFile(archive);
        saveSeed(QStringLiteral("level-%1").arg(level), bytes);
        const std::optional<Parsed> parsed = Parser(bytes).parse();
        QVERIFY(parsed);
        QSet<QString> names;
        for (const Entry &entry : parsed->entries) {
            names.insert(QString::fromUtf8(entry.name));
            QCOMPARE(content(entry), files.value(QString::fromUtf8(entry.name)));
        }
        QCOMPARE(names, QSet<QString>(files.keyBegin(), files.keyEnd()));

        const Entry &fleet = *std::find_if(parsed->entries.cbegin(), parsed->entries.cend(),
                                           [](const Entry &e) { return e.name == "Fleet.DB"; });
        const QByteArray piece = files.value("Fleet.DB").left(ChunkSize);
        QByteArray expected(int(compressBound(ChunkSize)), Qt::Uninitialized);
        uLongf size = uLongf(expected.size());
        QCOMPARE(compress2(reinterpret_cast<Bytef *>(expected.data()), &size,
                           reinterpret_cast<const Bytef *>(piece.constData()), ChunkSize, zlibLevel),
                 Z_OK);
        expected.resize(qsizetype(size));
        if (expected.size() > ChunkSize)
            QCOMPARE(fleet.chunks.first().length, -ChunkSize);
        else
            QCOMPARE(fleet.chunks.first().bytes, expected);

        QVERIFY(restore());
        QCOMPARE(snapshot(targetDir), snapshot(sourceDir));
    }

    void filePatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("*.* takes names without a dot") << "*.*" << QStringList{"a.db", "b.txt", "noext"};
        QTest::newRow("one file") << "a.db" << QStringList{"a.db"};
        QTest::newRow("pattern with subdirectories") << "*.db /s" << QStringList{"a.db", "s/x.db", "sub/c.db"};
        QTest::newRow("a directory named s is no switch") << "s/*.db" << QStringList{"x.db"};
    }

    // Names are stored relative to the pattern's directory.
    void filePatterns()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, names);
        QVERIFY(QDir(sourceDir).mkpath("sub") && QDir(sourceDir).mkpath("s"));
        for (const char *name : {"a.db", "b.txt", "noext", "sub/c.db", "s/x.db"})
            writeFile(QDir(sourceDir).filePath(name), name, ArchivedTime);
        TQXBackupFile component;
        QVERIFY(component.Backup(QDir(sourceDir).filePath(pattern), archive, false));
        const std::optional<Parsed> parsed = Parser(readFile(archive)).parse();
        QVERIFY(parsed);
        QStringList stored;
        for (const Entry &entry : parsed->entries)
            stored << QString::fromUtf8(entry.name);
        stored.sort();
        QCOMPARE(stored, names);
    }

    void restoreModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("replaced");
        QTest::newRow("rmAll") << int(rmAll) << QStringList{"absent.db", "newer.db", "older.db"};
        QTest::newRow("rmNoOverwrite") << int(rmNoOverwrite) << QStringList{"absent.db"};
        QTest::newRow("rmNewer") << int(rmNewer) << QStringList{"absent.db", "older.db"};
        QTest::newRow("rmExisting") << int(rmExisting) << QStringList{"newer.db", "older.db"};
        QTest::newRow("rmExistingNewer") << int(rmExistingNewer) << QStringList{"older.db"};
    }

    // Skipped entries are read past, the next entry is restored, and files the archive
    // does not hold stay as they were.
    void restoreModes()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, replaced);
        for (const char *name : {"absent.db", "newer.db", "older.db"})
            writeFile(QDir(sourceDir).filePath(name), "archived " + QByteArray(name), ArchivedTime);
        QVERIFY(backup());
        writeFile(QDir(targetDir).filePath("older.db"), "old", ArchivedTime.addDays(-1));
        writeFile(QDir(targetDir).filePath("newer.db"), "new", ArchivedTime.addDays(1));
        writeFile(QDir(targetDir).filePath("other.txt"), "other", ArchivedTime);
        const QMap<QString, QString> before = snapshot(targetDir);

        QVERIFY(restore([&](TQXBackupFile &component) { component.setRestoreMode(TRestoreMode(mode)); }));
        QMap<QString, QString> expected = before;
        for (const QString &name : replaced)
            expected[name] = snapshot(sourceDir).value(name);
        QCOMPARE(snapshot(targetDir), expected);
    }

    void damagedArchive_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("raised");
        QTest::addColumn<int>("error");
        QTest::newRow("truncated header") << "truncate 6" << QStringLiteral("不能读备份的文件") << 3;
        QTest::newRow("truncated chunk") << "truncate chunk" << QString() << 3;
        QTest::newRow("end marker missing") << "truncate 4 from end" << QString() << 3;
        QTest::newRow("flipped byte in a compressed chunk") << "flip chunk" << QString() << 6;
        QTest::newRow("bad signature") << "signature" << QStringLiteral("无效的备份文件") << 5;
        QTest::newRow("file count too high") << "count" << QString() << 5;
        QTest::newRow("chunk longer than 16384") << "length" << QString() << 5;
        QTest::newRow("foreign file") << "foreign" << QStringLiteral("不能读备份的文件") << 3;
    }

    // A damaged archive reports the matching message and leaves the directory unchanged.
    void damagedArchive()
    {
        QFETCH(QString, damage);
        QFETCH(QString, raised);
        QFETCH(int, error);
        writeFile(QDir(sourceDir).filePath("a.db"), randomBytes(3000, 3), ArchivedTime);
        writeFile(QDir(sourceDir).filePath("b.db"), recordText(50000), ArchivedTime);
        QVERIFY(backup());
        QByteArray bytes = readFile(archive);
        const std::optional<Parsed> parsed = Parser(bytes).parse();
        QVERIFY(parsed);
        const Chunk &compressed = parsed->entries.last().chunks.first();
        QVERIFY(compressed.length > 0);
        const qint64 firstSignature = parsed->entries.first().chunks.first().offset - 4;

        if (damage == "truncate 6")
            bytes.truncate(6);
        else if (damage == "truncate chunk")
            bytes.truncate(compressed.offset + 4 + compressed.length / 2);
        else if (damage == "truncate 4 from end")
            bytes.chop(4);
        else if (damage == "flip chunk")
            bytes[compressed.offset + 4 + compressed.length / 2] = char(bytes[compressed.offset + 4 + compressed.length / 2] ^ 0x10);
        else if (damage == "signature")
            bytes[firstSignature] = 'F';
        else if (damage == "count")
            qToLittleEndian<qint32>(parsed->count + 1, bytes.data() + 4 + parsed->title.size() + 4);
        else if (damage == "length")
            qToLittleEndian<qint32>(ChunkSize + 1, bytes.data() + compressed.offset);
        else if (damage == "foreign")
            bytes = QByteArray("this is a spreadsheet, not a backup\n").repeated(20);
        {
            QFile file(archive);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        saveSeed(QStringLiteral("damaged-%1").arg(QTest::currentDataTag()), bytes);

        writeFile(QDir(targetDir).filePath("a.db"), "current a", ArchivedTime.addDays(-3));
        writeFile(QDir(targetDir).filePath("b.db"), "current b", ArchivedTime.addDays(-3));
        writeFile(QDir(targetDir).filePath("other.txt"), "other", ArchivedTime);
        const QMap<QString, QString> before = snapshot(targetDir);

        TQXBackupFile component;
        component.setOnError([this](int code, const QString &text) { reported.append({code, text}); });
        if (raised.isEmpty()) {
            QVERIFY(!component.Restore(archive, targetDir));
            QCOMPARE(reported, (QList<QPair<int, QString>>{{error, TQXBackupFile::ErrorText(error)}}));
        } else {
            try {
                component.Restore(archive, targetDir);
                QFAIL("no failure raised");
            } catch (const AppError &failure) {
                QCOMPARE(failure.message(), raised);
            }
            QVERIFY(reported.isEmpty());
        }
        QCOMPARE(component.errorCode(), error);
        QCOMPARE(snapshot(targetDir), before);
    }

    void allOrNothing_data()
    {
        QTest::addColumn<bool>("beforeCommit");
        QTest::addColumn<int>("error");
        QTest::newRow("a target that is a directory") << false << 1;
        QTest::newRow("a target that becomes a directory before the commit") << true << 2;
    }

    // A file that cannot be restored fails the restore, and the files replaced before it
    // get their old contents back.
    void allOrNothing()
    {
        QFETCH(bool, beforeCommit);
        QFETCH(int, error);
        writeFile(QDir(sourceDir).filePath("a.db"), "archived a", ArchivedTime);
        writeFile(QDir(sourceDir).filePath("b.db"), "archived b", ArchivedTime);
        QVERIFY(backup());
        writeFile(QDir(targetDir).filePath("a.db"), "current a", ArchivedTime.addDays(-1));
        const QString blocked = QDir(targetDir).filePath("b.db");
        if (!beforeCommit)
            QVERIFY(QDir().mkdir(blocked));
        QMap<QString, QString> expected = snapshot(targetDir);
        expected.insert(QStringLiteral("b.db"), QStringLiteral("<dir>"));

        QVERIFY(!restore([&](TQXBackupFile &component) {
            component.setOnFileRestored([&](const QString &fileName, QFile &) {
                if (beforeCommit && fileName == blocked)
                    QDir().mkdir(blocked);
            });
        }));
        QCOMPARE(reported, (QList<QPair<int, QString>>{{error, TQXBackupFile::ErrorText(error)}}));
        QCOMPARE(snapshot(targetDir), expected);
    }

    void storedNames_data()
    {
        QTest::addColumn<QByteArrayList>("names");
        QTest::addColumn<bool>("intoDirectory");
        QTest::addColumn<QStringList>("created");   // below the temporary directory
        QTest::addColumn<int>("error");
        QTest::newRow("into a directory: file name parts only")
            << QByteArrayList{"deep/sub/x.txt", "../escape.txt", "/abs/y.txt"} << true
            << QStringList{"restored/escape.txt", "restored/x.txt", "restored/y.txt"} << 0;
        QTest::newRow("no directory: relative paths below the current one")
            << QByteArrayList{"deep/sub/x.txt", "z.txt"} << false
            << QStringList{"restored/deep/sub/x.txt", "restored/z.txt"} << 0;
        QTest::newRow("no directory: a path leaving it") << QByteArrayList{"z.txt", "../escape.txt"} << false
                                                         << QStringList{} << 5;
        QTest::newRow("no directory: an absolute path") << QByteArrayList{"/tmp/abs.txt"} << false
                                                        << QStringList{} << 5;
        QTest::newRow("a name ending in ..") << QByteArrayList{"a/.."} << true << QStringList{} << 5;
    }

    void storedNames()
    {
        QFETCH(QByteArrayList, names);
        QFETCH(bool, intoDirectory);
        QFETCH(QStringList, created);
        QFETCH(int, error);
        ArchiveBuilder builder;
        builder.header(int(names.size()));
        for (const QByteArray &name : names)
            builder.entry(name).signature().stored("content of " + name).end();
        const QByteArray bytes = builder.end().bytes();
        saveSeed(QStringLiteral("names-%1").arg(QTest::currentDataTag()), bytes);
        QFile file(archive);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(targetDir));
        TQXBackupFile component;
        component.setOnError([this](int code, const QString &text) { reported.append({code, text}); });
        const bool result = component.Restore(archive, intoDirectory ? targetDir : QString());
        QVERIFY(QDir::setCurrent(current));
        QCOMPARE(result, error == 0);
        QCOMPARE(reported.isEmpty() ? 0 : reported.first().first, error);

        QStringList files;
        QDirIterator it(temp->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(temp->path()).relativeFilePath(it.next());
        files.removeAll(QStringLiteral("backup.bak"));
        files.sort();
        QCOMPARE(files, created);
    }

    void volumes()
    {
        writeFile(QDir(sourceDir).filePath("a.bin"), randomBytes(1500000, 4), ArchivedTime);
        writeFile(QDir(sourceDir).filePath("b.bin"), randomBytes(1200000, 5), ArchivedTime);
        QList<int> disks;
        QVERIFY(backup([&](TQXBackupFile &component) {
            // With this title the 84th chunk record of a.bin ends at byte 1 383 516.
            component.setBackupTitle(QString(6895, QLatin1Char('t')));
            component.setMaxSize(1400000);
            component.setOnNeedDisk([&](int disk, bool &) { disks.append(disk); });
        }));
        QCOMPARE(disks, (QList<int>{2}));

        const QString second = temp->filePath("backup.002");
        const QByteArray first = readFile(archive);
        const std::optional<Parsed> volume1 = Parser(first).parse();
        QVERIFY(volume1);
        QCOMPARE(volume1->nextDisk, QByteArray("NEXT:DISK002"));
        const Chunk &last = volume1->entries.last().chunks.last();
        // The volume takes chunks while it is below 1 400 000 - 16 484 bytes and no more.
        QCOMPARE(volume1->entries.last().chunks.size(), 84);
        QCOMPARE(last.offset + 4 + std::abs(last.length), 1383516);
        QCOMPARE(first.size(), 1383516 + 4 + 4 + 12);
        const std::optional<Parsed> volume2 = Parser(readFile(second)).parse(false);
        QVERIFY(volume2);
        QVERIFY(volume2->nextDisk.isEmpty());

        QVERIFY(restore());
        QCOMPARE(snapshot(targetDir), snapshot(sourceDir));

        // A refused disk and a missing volume leave the directory as it was.
        QVERIFY(QDir(targetDir).removeRecursively() && QDir().mkpath(targetDir));
        writeFile(QDir(targetDir).filePath("a.bin"), "current", ArchivedTime);
        const QMap<QString, QString> before = snapshot(targetDir);
        QVERIFY(!restore([](TQXBackupFile &component) {
            component.setOnNeedDisk([](int, bool &continueWork) { continueWork = false; });
        }));
        QVERIFY(reported.isEmpty());
        QVERIFY(QFile::remove(second));
        QVERIFY(!restore());
        QCOMPARE(reported, (QList<QPair<int, QString>>{{3, QStringLiteral("不能读备份的文件")}}));
        QCOMPARE(snapshot(targetDir), before);
    }

    // A file continued in the next volume is restored whole; the entries after it follow.
    void handBuiltVolumes()
    {
        const QByteArray first = ArchiveBuilder().header(2).entry("a.db").signature().stored("abc").end()
                                     .text("NEXT:DISK002").bytes();
        const QByteArray second = ArchiveBuilder().signature().stored("def").end()
                                      .entry("b.db").signature().stored("x").end().end().bytes();
        // The fuzz target reads volumes joined by this separator.
        saveSeed(QStringLiteral("volumes"), first + "#VOLUME#" + second);
        QFile volume1(archive);
        QVERIFY(volume1.open(QIODevice::WriteOnly));
        volume1.write(first);
        volume1.close();
        QFile volume2(temp->filePath("backup.002"));
        QVERIFY(volume2.open(QIODevice::WriteOnly));
        volume2.write(second);
        volume2.close();

        QVERIFY(restore());
        QCOMPARE(readFile(QDir(targetDir).filePath("a.db")), QByteArray("abcdef"));
        QCOMPARE(readFile(QDir(targetDir).filePath("b.db")), QByteArray("x"));
    }

    void floppyDrives_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("maxSize");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("a:") << "a:arc" << qint64(1400000) << QStringList{"请插入一个空白的软盘到驱动器A"};
        QTest::newRow("B:") << "B:arc" << qint64(1400000) << QStringList{"请插入一个空白的软盘到驱动器B"};
        QTest::newRow("a folder named backups") << "backups/arc" << qint64(0) << QStringList{};
        QTest::newRow("a file named Bak") << "Bak" << qint64(0) << QStringList{};
    }

    // Only the drive-letter forms A: and B: start floppy volumes.
    void floppyDrives()
    {
        QFETCH(QString, name);
        QFETCH(qint64, maxSize);
        QFETCH(QStringList, warnings);
        writeFile(QDir(sourceDir).filePath("a.db"), recordText(1000), ArchivedTime);
        QVERIFY(QDir(temp->path()).mkdir("backups"));
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(temp->path()));
        TQXBackupFile component;
        QStringList shown;
        component.setOnWarning([&](const QString &text) { shown << text; });
        const bool result = component.Backup(sourceDir, name, true);
        QVERIFY(QDir::setCurrent(current));
        QVERIFY(result);
        QCOMPARE(component.maxSize(), maxSize);
        QCOMPARE(shown, warnings);
        QVERIFY(QFileInfo::exists(temp->filePath(name)));
    }

    // A failed or stopped backup leaves the older archive of the same name as it was
    // and no partial file beside it.
    void failedBackupLeavesNothing()
    {
        writeFile(QDir(sourceDir).filePath("a.db"), recordText(100000), ArchivedTime);
        writeFile(archive, "older archive", ArchivedTime);
        const QMap<QString, QString> before = snapshot(temp->path());
        QVERIFY(!backup([](TQXBackupFile &component) {
            component.setOnProgress([](const QString &file, int, bool &continueWork) {
                if (!file.isEmpty())
                    continueWork = false;
            });
        }));
        QVERIFY(reported.isEmpty());
        QCOMPARE(snapshot(temp->path()), before);

        archive = temp->filePath("missing/backup.bak");
        QVERIFY(!backup());
        QCOMPARE(reported, (QList<QPair<int, QString>>{{4, QStringLiteral("不能写备份的文件")}}));
        QCOMPARE(snapshot(temp->path()), before);
    }

    void fileListEntry()
    {
        writeFile(QDir(sourceDir).filePath("a.db"), recordText(1234), ArchivedTime);
        writeFile(QDir(sourceDir).filePath("b"), QByteArray(), ArchivedTime);
        QVERIFY(backup([](TQXBackupFile &component) { component.setSaveFileID(true); }));
        const std::optional<Parsed> parsed = Parser(readFile(archive)).parse();
        QVERIFY(parsed);
        QCOMPARE(parsed->entries.size(), 3);
        QCOMPARE(parsed->entries.first().name, QByteArray("FILE:LIST"));
        const QByteArray list = content(parsed->entries.first());
        const QByteArray date = QByteArray::number(dosTime(ArchivedTime));
        QCOMPARE(list, "a.db\t" + date + "=1234\r\nb\t" + date + "=0\r\n");
        QCOMPARE(parsed->count, 2);
        QCOMPARE(parsed->total, 1234 + list.size());
        saveSeed(QStringLiteral("file-list"), readFile(archive));

        QVERIFY(restore());
        QCOMPARE(snapshot(targetDir), snapshot(sourceDir));
    }

    void streams()
    {
        writeFile(QDir(sourceDir).filePath("a.db"), recordText(30000), ArchivedTime);
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::ReadWrite));
        TQXBackupFile component;
        component.setOutputStream(&buffer);
        QVERIFY(component.Backup(sourceDir, TQXBackupFile::StreamName, true));
        QVERIFY(buffer.seek(0));
        component.setInputStream(&buffer);
        QVERIFY(component.Restore(TQXBackupFile::StreamName, targetDir));
        QCOMPARE(snapshot(targetDir), snapshot(sourceDir));
    }
};

QTEST_GUILESS_MAIN(tst_TQXBackupFile)
#include "tst_tqxbackupfile.moc"
