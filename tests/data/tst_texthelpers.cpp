#include "texthelpers.h"

#include "scriptedmessages.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <limits>

class TestTextHelpers : public QObject
{
    Q_OBJECT

private slots:
    void roundToText_data();
    void roundToText();
    void formatMoney_data();
    void formatMoney();
    void parseAndReadAmount_data();
    void parseAndReadAmount();
    void numbersIgnoreSystemLocale();
    void zeroPad_data();
    void zeroPad();
    void wrapText_data();
    void wrapText();
    void delimitedPart_data();
    void delimitedPart();
    void checkDateText_data();
    void checkDateText();
};

void TestTextHelpers::roundToText_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("expected");

    const QString ordinary;
    const QString r56 = QStringLiteral("五舍六入");
    const QString r34 = QStringLiteral("三舍四入");
    const QString r23 = QStringLiteral("二舍三入");
    const QString r12 = QStringLiteral("一舍二入");

    // Ordinary rounding works on the 18-digit expansion, halves away from zero.
    QTest::newRow("1.005 is stored below the half") << 2 << ordinary << 1.005 << "1.00";
    QTest::newRow("9.995 is stored below the half") << 2 << ordinary << 9.995 << "9.99";
    QTest::newRow("18 digits reach the half") << 2 << ordinary << 1012.755 << "1012.76";
    QTest::newRow("exact half rounds up") << 2 << ordinary << 0.125 << "0.13";
    QTest::newRow("exact half, no decimals") << 0 << ordinary << 2.5 << "3";
    QTest::newRow("negative half away from zero") << 0 << ordinary << -2.5 << "-3";
    QTest::newRow("carry into integer part") << 2 << ordinary << 9.999 << "10.00";
    QTest::newRow("nine decimals") << 9 << ordinary << 2.0 / 3.0 << "0.666666667";
    QTest::newRow("ten decimals mean none") << 10 << ordinary << 2.6 << "3";
    QTest::newRow("negative decimals mean none") << -1 << ordinary << 2.4 << "2";
    QTest::newRow("unknown rule is ordinary") << 1 << QStringLiteral("四舍五入") << 2.45 << "2.5";
    QTest::newRow("beyond 15 digits") << 2 << ordinary << 123456789012345.678 << "123456789012345.67";
    QTest::newRow("tiny negative has no sign") << 2 << ordinary << -0.001 << "0.00";
    QTest::newRow("negative zero") << 0 << ordinary << -0.0 << "0";
    QTest::newRow("not a number") << 2 << ordinary << std::numeric_limits<double>::quiet_NaN() << "0";

    QTest::newRow("56: 2.45 down") << 1 << r56 << 2.45 << "2.4";
    QTest::newRow("56: 2.46 up") << 1 << r56 << 2.46 << "2.5";
    QTest::newRow("56: 1.235 down") << 2 << r56 << 1.235 << "1.23";
    QTest::newRow("56: 1.236 up despite 1.23599999...") << 2 << r56 << 1.236 << "1.24";
    QTest::newRow("56: later decimals round first") << 1 << r56 << 2.454 << "2.4";
    QTest::newRow("56: 2.455 becomes 2.46 first") << 1 << r56 << 2.455 << "2.5";
    QTest::newRow("56: carry") << 1 << r56 << 9.96 << "10.0";
    QTest::newRow("56: negative not mirrored") << 1 << r56 << -2.45 << "-2.5";
    QTest::newRow("56: negative 2.43") << 1 << r56 << -2.43 << "-2.4";
    QTest::newRow("56: zero stays unsigned") << 2 << r56 << 0.0 << "0.00";
    QTest::newRow("34: 2.43 down") << 1 << r34 << 2.43 << "2.4";
    QTest::newRow("34: 2.44 up") << 1 << r34 << 2.44 << "2.5";
    QTest::newRow("34: no decimals 7.4 up") << 0 << r34 << 7.4 << "8";
    QTest::newRow("34: no decimals 7.3 down") << 0 << r34 << 7.3 << "7";
    QTest::newRow("34: negative crosses zero") << 0 << r34 << -0.1 << "0";
    QTest::newRow("23: 2.42 down") << 1 << r23 << 2.42 << "2.4";
    QTest::newRow("23: 2.43 up") << 1 << r23 << 2.43 << "2.5";
    QTest::newRow("12: 1.231 down") << 2 << r12 << 1.231 << "1.23";
    QTest::newRow("12: 1.232 up") << 2 << r12 << 1.232 << "1.24";
    QTest::newRow("12: negative turns positive") << 0 << r12 << -0.1 << "0";
    QTest::newRow("12: from zero") << 0 << r12 << 0.2 << "1";
}

void TestTextHelpers::roundToText()
{
    QFETCH(int, decimals);
    QFETCH(QString, rule);
    QFETCH(double, x);
    QFETCH(QString, expected);
    QCOMPARE(RoundToText(decimals, rule, x), expected);
}

void TestTextHelpers::formatMoney_data()
{
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("withSign");
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("expected");

    QTest::newRow("grouped, padded") << 2 << false << 1234.5 << "1,234.50";
    QTest::newRow("zero with sign") << 2 << true << 0.0 << "￥0.00";
    QTest::newRow("zero, no decimals") << 0 << false << 0.0 << "0";
    QTest::newRow("zero with sign, no decimals") << 0 << true << 0.0 << "￥0.00";
    QTest::newRow("no decimals rounds") << 0 << false << 1234567.6 << "1,234,568";
    QTest::newRow("three decimals of zero") << 3 << false << 0.0 << "0.000";
    QTest::newRow("rounds to zero") << 2 << false << -0.004 << "0.00";
    QTest::newRow("below one keeps zero") << 2 << false << 0.5 << "0.50";
    QTest::newRow("negative below one keeps zero") << 2 << false << -0.5 << "-0.50";
    QTest::newRow("negative below one, no padding") << 10 << false << -0.5 << "-0.5";
    QTest::newRow("negative grouped") << 2 << false << -123456.7 << "-123,456.70";
    QTest::newRow("sign before minus") << 1 << true << -1234.56 << "￥-1,234.6";
    QTest::newRow("rounding adds a group") << 2 << false << 999.999 << "1,000.00";
    QTest::newRow("millions") << 2 << true << 1000000.0 << "￥1,000,000.00";
    QTest::newRow("four decimals") << 4 << false << 1.23456 << "1.2346";
    QTest::newRow("six acts as four") << 6 << false << 1.23456 << "1.2346";
    QTest::newRow("ten: two decimals") << 10 << false << 12.3456 << "12.35";
    QTest::newRow("ten: trailing zero dropped") << 10 << false << 12.3 << "12.3";
    QTest::newRow("ten: whole number") << 10 << false << 12.004 << "12";
    QTest::newRow("ten: zero with sign") << 10 << true << 0.0 << "￥0.00";
}

void TestTextHelpers::formatMoney()
{
    QFETCH(int, decimals);
    QFETCH(bool, withSign);
    QFETCH(double, x);
    QFETCH(QString, expected);
    QCOMPARE(FormatMoney(decimals, withSign, x), expected);
}

void TestTextHelpers::parseAndReadAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("parsed");
    QTest::addColumn<double>("read");

    QTest::newRow("thousands") << "1,234.5" << 1234.5 << 1234.5;
    QTest::newRow("blanks around") << "  -12.25 " << -12.25 << -12.25;
    QTest::newRow("commas anywhere") << "1,2,3" << 123.0 << 123.0;
    QTest::newRow("empty") << "" << 0.0 << 0.0;
    QTest::newRow("only commas") << ",," << 0.0 << 0.0;
    QTest::newRow("not a number") << "abc" << 0.0 << 0.0;
    QTest::newRow("trailing text") << "12元" << 0.0 << 0.0;
    QTest::newRow("infinity is not an amount") << "inf" << 0.0 << 0.0;
    QTest::newRow("currency sign") << "￥12" << 0.0 << 12.0;
    QTest::newRow("currency sign, grouped") << "￥1,234.5" << 0.0 << 1234.5;
    QTest::newRow("currency sign, blanks") << " ￥ 7.5" << 0.0 << 7.5;
    QTest::newRow("currency sign, negative") << "￥-1,234.6" << 0.0 << -1234.6;
    QTest::newRow("currency sign alone") << "￥" << 0.0 << 0.0;
}

void TestTextHelpers::parseAndReadAmount()
{
    QFETCH(QString, text);
    QFETCH(double, parsed);
    QFETCH(double, read);
    QCOMPARE(ParseMoney(text), parsed);
    QCOMPARE(ReadAmount(text), read);
}

void TestTextHelpers::numbersIgnoreSystemLocale()
{
    // A locale whose decimal separator is "," must not change how amounts are read or written.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const auto restore = qScopeGuard([&] {
        QLocale::setDefault(previous);
        std::setlocale(LC_NUMERIC, previousC.c_str());
    });

    QCOMPARE(RoundToText(2, QString(), 1234.5), QStringLiteral("1234.50"));
    QCOMPARE(RoundToText(1, QStringLiteral("五舍六入"), 2.46), QStringLiteral("2.5"));
    QCOMPARE(FormatMoney(2, true, 1234.5), QStringLiteral("￥1,234.50"));
    QCOMPARE(ParseMoney(QStringLiteral("1,234.5")), 1234.5);
    QCOMPARE(ParseMoney(QStringLiteral("12,5")), 125.0);
    QCOMPARE(ReadAmount(QStringLiteral("￥0.75")), 0.75);
}

void TestTextHelpers::zeroPad_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    QTest::newRow("padded") << "17" << 5 << "00017";
    QTest::newRow("cut to width") << "12345" << 3 << "345";
    QTest::newRow("empty text") << "" << 4 << "0000";
    QTest::newRow("nine zeros at most") << "5" << 12 << "0000000005";
    QTest::newRow("zero width") << "12" << 0 << "";
}

void TestTextHelpers::zeroPad()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(ZeroPad(text, width), expected);
}

void TestTextHelpers::wrapText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ascii") << "abcdefghij" << 4 << "abcd\r\nefgh\r\nij";
    QTest::newRow("ascii, exact fit, no trailing break") << "abcdefgh" << 4 << "abcd\r\nefgh";
    QTest::newRow("shorter than width") << "abc" << 10 << "abc";
    QTest::newRow("empty") << "" << 4 << "";
    QTest::newRow("chinese, even width") << QStringLiteral("一二三四五") << 4
                                         << QStringLiteral("一二\r\n三四\r\n五");
    QTest::newRow("chinese, odd width") << QStringLiteral("一二三四五") << 5
                                        << QStringLiteral("一二\r\n三四\r\n五");
    QTest::newRow("mixed, character moves down") << QStringLiteral("a一二b") << 4
                                                 << QStringLiteral("a一\r\n二b");
    QTest::newRow("mixed, fills to width") << QStringLiteral("ab一c一") << 3
                                           << QStringLiteral("ab\r\n一c\r\n一");
    QTest::newRow("full-width sign counts two") << QStringLiteral("￥12") << 3
                                                << QStringLiteral("￥1\r\n2");
    QTest::newRow("character wider than width") << QStringLiteral("一a") << 1
                                                << QStringLiteral("一\r\na");
    QTest::newRow("surrogate pair kept whole") << QStringLiteral("😀😀") << 3
                                               << QStringLiteral("😀\r\n😀");
    QTest::newRow("existing break starts a line") << "ab\r\ncdef" << 4 << "ab\r\ncdef";
    QTest::newRow("zero width unchanged") << "abc" << 0 << "abc";
}

void TestTextHelpers::wrapText()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(WrapText(text, width), expected);
}

void TestTextHelpers::delimitedPart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first piece") << "a|b|c" << "|" << 1 << "b";
    QTest::newRow("second piece runs to the end") << "a|b|c" << "|" << 2 << "c";
    QTest::newRow("past the last") << "a|b|c" << "|" << 3 << "";
    QTest::newRow("before the first has no number") << "a|b|c" << "|" << 0 << "";
    QTest::newRow("last") << "a|b|c" << "|" << -1 << "c";
    QTest::newRow("last, no delimiter") << "abc" << "|" << -1 << "abc";
    QTest::newRow("piece, no delimiter") << "abc" << "|" << 1 << "";
    QTest::newRow("empty piece") << "a||c" << "|" << 1 << "";
    QTest::newRow("after empty piece") << "a||c" << "|" << 2 << "c";
    QTest::newRow("trailing delimiter") << "a|b|" << "|" << -1 << "";
    QTest::newRow("longer delimiter") << QStringLiteral("车辆::司机::日期") << "::" << 2
                                      << QStringLiteral("日期");
}

void TestTextHelpers::delimitedPart()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(GetDelimitedPart(text, delimiter, n), expected);
}

void TestTextHelpers::checkDateText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("warns");

    QTest::newRow("valid") << "2000-09-18" << true << false;
    QTest::newRow("leap day") << "2024-02-29" << true << false;
    QTest::newRow("blanks around") << " 2000-09-18 " << true << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("blank") << "   " << false << false;
    QTest::newRow("single-digit month") << "2000-9-18" << false << true;
    QTest::newRow("no such day") << "2023-02-29" << false << true;
    QTest::newRow("month 13") << "2000-13-01" << false << true;
    QTest::newRow("slashes") << "2000/09/18" << false << true;
    QTest::newRow("with time") << "2000-09-18 08:30" << false << true;
    QTest::newRow("letters") << "abcdefghij" << false << true;
}

void TestTextHelpers::checkDateText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(bool, warns);

    ScriptedMessages messages;
    QCOMPARE(CheckDateText(text, QStringLiteral("出车日期")), valid);
    const QStringList expected =
            warns ? QStringList{QStringLiteral("W:错误的出车日期,正确的出车日期格式是:\"2000-09-18\" ")}
                  : QStringList{};
    QCOMPARE(messages.all, expected);
}

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
