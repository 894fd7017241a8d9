#include "passwordhash.h"

#include <QCryptographicHash>
#include <QList>
#include <QRandomGenerator>
#include <QtEndian>

namespace {

const QString Scheme = QStringLiteral("pbkdf2-sha256");
constexpr int Iterations = 50000;
constexpr int SaltBytes = 16;
constexpr int HashBytes = 32;
constexpr int BlockSize = 64;  // SHA-256 block size

// HMAC-SHA256 with the key pads prepared once, since PBKDF2 runs it thousands of times.
class Hmac
{
public:
    explicit Hmac(QByteArray key)
    {
        if (key.size() > BlockSize)
            key = QCryptographicHash::hash(key, QCryptographicHash::Sha256);
        key.resize(BlockSize, '\0');
        m_inner.resize(BlockSize);
        m_outer.resize(BlockSize);
        for (int i = 0; i < BlockSize; ++i) {
            m_inner[i] = char(key[i] ^ 0x36);
            m_outer[i] = char(key[i] ^ 0x5c);
        }
    }

    QByteArray operator()(const QByteArray &message) const
    {
        QCryptographicHash inner(QCryptographicHash::Sha256);
        inner.addData(m_inner);
        inner.addData(message);
        QCryptographicHash outer(QCryptographicHash::Sha256);
        outer.addData(m_outer);
        outer.addData(inner.result());
        return outer.result();
    }

private:
    QByteArray m_inner;
    QByteArray m_outer;
};

// Compares without stopping at the first difference, so timing tells nothing.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace

QByteArray Pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, int iterations, int length)
{
    const Hmac hmac(password);
    QByteArray key;
    for (quint32 block = 1; key.size() < length; ++block) {
        QByteArray index(4, '\0');
        qToBigEndian(block, index.data());
        QByteArray u = hmac(salt + index);
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            u = hmac(u);
            for (int j = 0; j < t.size(); ++j)
                t[j] = char(t[j] ^ u[j]);
        }
        key += t;
    }
    return key.left(length);
}

QString HashPassword(const QString &plain)
{
    QByteArray salt(SaltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), SaltBytes / 4);
    const QByteArray hash = Pbkdf2Sha256(plain.toUtf8(), salt, Iterations, HashBytes);
    return Scheme + QLatin1Char('$') + QString::number(Iterations) + QLatin1Char('$')
        + QString::fromLatin1(salt.toBase64()) + QLatin1Char('$') + QString::fromLatin1(hash.toBase64());
}

bool CheckPassword(const QString &plain, const QString &stored)
{
    const QList<QStringView> parts = QStringView(stored).split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != Scheme)
        return sameBytes(plain.toUtf8(), stored.toUtf8());

    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray hash = QByteArray::fromBase64(parts[3].toLatin1());
    if (!ok || iterations < 1 || salt.isEmpty() || hash.isEmpty())
        return false;
    return sameBytes(Pbkdf2Sha256(plain.toUtf8(), salt, iterations, int(hash.size())), hash);
}
