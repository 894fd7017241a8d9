#include "passwordhash.h"

#include <QtTest>

class TestPasswordHash : public QObject
{
    Q_OBJECT

private slots:
    void derivesTheStandardKey_data();
    void derivesTheStandardKey();
    void checksStoredValues_data();
    void checksStoredValues();
    void saltsEveryHash();
};

// Published PBKDF2-HMAC-SHA256 vectors (RFC 7914 section 11).
void TestPasswordHash::derivesTheStandardKey_data()
{
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("salt");
    QTest::addColumn<int>("iterations");
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("one iteration, two blocks")
        << QByteArray("passwd") << QByteArray("salt") << 1
        << QByteArray::fromHex("55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
                               "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783");
    QTest::newRow("80000 iterations")
        << QByteArray("Password") << QByteArray("NaCl") << 80000
        << QByteArray::fromHex("4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
                               "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d");
}

void TestPasswordHash::derivesTheStandardKey()
{
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, salt);
    QFETCH(int, iterations);
    QFETCH(QByteArray, key);
    QCOMPARE(Pbkdf2Sha256(password, salt, iterations, int(key.size())).toHex(), key.toHex());
}

void TestPasswordHash::checksStoredValues_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("accepted");
    const QString hashed = HashPassword(QStringLiteral("口令a1"));
    QTest::newRow("hash, right password") << QStringLiteral("口令a1") << hashed << true;
    QTest::newRow("hash, wrong password") << QStringLiteral("口令a2") << hashed << false;
    QTest::newRow("hash, empty password") << QString() << hashed << false;
    QTest::newRow("hash typed as the password") << hashed << hashed << false;
    QTest::newRow("plain text of older data") << QStringLiteral("926") << QStringLiteral("926") << true;
    QTest::newRow("plain text, wrong") << QStringLiteral("927") << QStringLiteral("926") << false;
    QTest::newRow("plain text, case matters") << QStringLiteral("abc") << QStringLiteral("ABC") << false;
    QTest::newRow("damaged hash") << QStringLiteral("x")
        << QStringLiteral("pbkdf2-sha256$zz$AAAA$AAAA") << false;
}

void TestPasswordHash::checksStoredValues()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, accepted);
    QCOMPARE(CheckPassword(typed, stored), accepted);
}

void TestPasswordHash::saltsEveryHash()
{
    const QString first = HashPassword(QStringLiteral("secret"));
    const QString second = HashPassword(QStringLiteral("secret"));
    QVERIFY(first != second);
    QVERIFY(first.startsWith(QLatin1String("pbkdf2-sha256$")));
    QVERIFY(first.size() <= 100);  // the width of USE_PASSWORD
    QVERIFY(!first.contains(QLatin1String("secret")));
}

QTEST_GUILESS_MAIN(TestPasswordHash)
#include "tst_passwordhash.moc"
