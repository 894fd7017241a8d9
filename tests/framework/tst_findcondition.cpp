#include "databaseengine.h"
#include "dbhelpers.h"
#include "findcondition.h"
#include "postgresdialect.h"
#include "sqlitedialect.h"
#include "testdatabase.h"

#include <QtTest>

class TestFindCondition : public QObject
{
    Q_OBJECT

private slots:
    void operatorTable();
    void conditionText_data();
    void conditionText();
    void userValuesFindWhatWasMeant_data();
    void userValuesFindWhatWasMeant();
    void dateConditionsRun_data();
    void dateConditionsRun();
    void cleanValue_data();
    void cleanValue();
    void parseDate_data();
    void parseDate();
};

namespace {

enum Dialect { SqliteStandard, PostgresStandard, Server, Access };

const SqlDialect *dialectFor(int dialect)
{
    static const SqliteDialect sqlite;
    static const PostgresDialect postgres;
    if (dialect == PostgresStandard)
        return &postgres;
    return dialect == SqliteStandard ? &sqlite : nullptr;
}

TSqlType typeFor(int dialect)
{
    return dialect == Server ? urSql_Server : dialect == Access ? urAccess : urStandard;
}

} // namespace

void TestFindCondition::operatorTable()
{
    QStringList sql;
    QStringList display;
    for (const TFindConnectTypeName &name : FindConnectNames()) {
        sql << name.Sql;
        display << name.Display;
    }
    QCOMPARE(sql, (QStringList{"Like", "=", "<>", "<=", ">="}));
    QCOMPARE(display, (QStringList{"相似", "等于", "不等于", "小于等于", "大于等于"}));
}

void TestFindCondition::conditionText_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("dataKind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("popupResult");
    QTest::addColumn<int>("dialect");
    QTest::addColumn<bool>("simple");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *name, const char *kind, const char *dataKind, const char *field, const char *alias,
                        const char *op, const QString &value, const QString &result, int dialect, bool simple,
                        const QString &expected) {
        QTest::newRow(name) << kind << dataKind << field << alias << op << value << result << dialect << simple << expected;
    };
    // Text kinds "T", "B", "LS", "DT".
    row("T C Like", "T", "C", "NOTE", "", "Like ", "abc", "", SqliteStandard, false, "NOTE Like  '%abc%'");
    row("T C =", "T", "C", "NOTE", "", "= ", "abc", "", SqliteStandard, false, "NOTE =  'abc'");
    row("T C <>", "T", "C", "NOTE", "", "<> ", "abc", "", Access, false, "NOTE <>  'abc'");
    row("T C = server", "T", "C", "NOTE", "", "= ", "abc", "", Server, false, "NOTE =  'abc'");
    row("T C Like server", "T", "C", "NOTE", "", "Like ", "abc", "", Server, false, "NOTE Like  '%abc%'");
    row("T C Like PostgreSQL", "T", "C", "NOTE", "", "Like ", "abc", "", PostgresStandard, false,
        "CAST(NOTE AS TEXT) ILIKE  '%abc%'");
    row("T N >=", "T", "N", "MONEY_INTO_NUMBER", "", ">= ", "100", "", SqliteStandard, false, "MONEY_INTO_NUMBER >=  100");
    row("T N <= server", "T", "N", "MONEY_INTO_NUMBER", "", "<= ", "100", "", Server, false,
        "ISNULL(MONEY_INTO_NUMBER,0) <=  100");
    row("T N <> access", "T", "N", "MONEY_INTO_NUMBER", "", "<> ", "100", "", Access, false, "MONEY_INTO_NUMBER <>  100");
    row("T alias", "T", "C", "WORK_ID", "A", "= ", "2006000001", "", SqliteStandard, false, "A.WORK_ID =  '2006000001'");
    row("B C =", "B", "C", "STATUS", "", "= ", "已完工", "", SqliteStandard, false, "STATUS =  '已完工'");
    row("B N server", "B", "N", "ORDER_ID", "", "= ", "3", "", Server, false, "ISNULL(ORDER_ID,0) =  3");
    row("LS sub-select", "LS", "C", "A.CAR_RECORD_ID IN(SELECT CAR_RECORD_ID FROM QX_CAR_TABLE WHERE CAR_ID ", "",
        "Like ", "京A", "", SqliteStandard, false,
        "A.CAR_RECORD_ID IN(SELECT CAR_RECORD_ID FROM QX_CAR_TABLE WHERE CAR_ID  Like  '%京A%') ");
    row("LS N server", "LS", "N", "X IN(SELECT X FROM T WHERE N ", "", "= ", "5", "", Server, false,
        "ISNULL(X IN(SELECT X FROM T WHERE N ,0) =  5) ");
    row("DT C Like", "DT", "C", "EMPLOYEE_POST", "", "Like ", "司机", "", SqliteStandard, false,
        "EMPLOYEE_POST Like  '%司机%'");
    row("DT N server: no ISNULL", "DT", "N", "ORDER_ID", "", "= ", "5", "", Server, false, "ORDER_ID =  5");
    // Dates ("D").
    row("D = SQLite", "D", "D", "MONEY_DATE", "", "= ", "2024-05-06", "", SqliteStandard, false,
        "MONEY_DATE =  '2024-05-06'");
    row("D >= PostgreSQL", "D", "D", "MONEY_DATE", "", ">= ", "2024-05-06", "", PostgresStandard, false,
        "MONEY_DATE >=  DATE '2024-05-06'");
    row("D = server", "D", "D", "MONEY_DATE", "", "= ", "2024-05-06", "", Server, false, "MONEY_DATE =  '2024-05-06'");
    row("D = access", "D", "D", "MONEY_DATE", "", "= ", "2024-05-06", "", Access, false,
        "(10000 * YEAR(MONEY_DATE) +100 * MONTH(MONEY_DATE)) + DAY(MONEY_DATE) =  20240506");
    row("D on a text column", "D", "C", "SAVE_DATE", "", "<= ", "2024-05-06", "", Access, false, "SAVE_DATE <=  '2024-05-06'");
    // Look-up by name ("DS"): KeyField COMPANY_ID, names in SYS_COMPANY_TABLE.
    row("DS Like", "DS", "C", "COMPANY_NAME", "A", "Like ", "运输", "", SqliteStandard, false,
        "A.COMPANY_ID IN (SELECT COMPANY_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME Like  '%运输%') ");
    row("DS =", "DS", "C", "COMPANY_NAME", "", "= ", "运输一队", "", Server, false,
        "COMPANY_ID IN (SELECT COMPANY_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME =  '运输一队') ");
    row("DS N", "DS", "N", "COMPANY_NAME", "", ">= ", "5", "", Access, false,
        "COMPANY_ID IN (SELECT COMPANY_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME >=  5) ");
    // Pop-up results: "BS" whole condition, "ES" key value.
    row("BS unchanged", "BS", "C", "EMPLOYEE_BIRTHDAY", "", "= ", "05-06", "(X = 1)", SqliteStandard, false, "(X = 1)");
    row("ES Like", "ES", "C", "COMPANY_NAME", "A", "Like ", "运输一队", "B0601", SqliteStandard, false,
        "A.COMPANY_ID Like  'B0601%'");
    row("ES =", "ES", "C", "COMPANY_NAME", "", "= ", "运输一队", "B0601", Server, false, "COMPANY_ID =  'B0601'");
    row("ES N", "ES", "N", "COMPANY_NAME", "", "<> ", "x", "17", Access, false, "COMPANY_ID <>  17");
    // The one-condition dialog: bare relation, single blanks, always quoted, no ISNULL.
    row("simple T =", "T", "C", "USE_NAME", "", "=", "abc", "", SqliteStandard, true, "USE_NAME = 'abc'");
    row("simple T Like", "T", "C", "USE_NAME", "", "Like", "abc", "", SqliteStandard, true, "USE_NAME Like '%abc%'");
    row("simple T N server", "T", "N", "ORDER_ID", "", ">=", "5", "", Server, true, "ORDER_ID >= '5'");
    row("simple D access", "D", "D", "CREATE_DATE", "", "=", "2024-05-06", "", Access, true,
        "(10000 * YEAR(CREATE_DATE) +100 * MONTH(CREATE_DATE)) + DAY(CREATE_DATE) = 20240506");
    // Typed values never change the statement's shape.
    row("quote", "T", "C", "NOTE", "", "= ", "O'Brien", "", SqliteStandard, false, "NOTE =  'O''Brien'");
    row("quote Like", "T", "C", "NOTE", "", "Like ", "5'6\"", "", Server, false, "NOTE Like  '%5''6\"%'");
    row("percent", "T", "C", "NOTE", "", "Like ", "50%", "", SqliteStandard, false, "NOTE Like  '%50\\%%' ESCAPE '\\'");
    row("underscore", "T", "C", "NOTE", "", "Like ", "a_b", "", Server, false, "NOTE Like  '%a\\_b%' ESCAPE '\\'");
    row("backslash", "T", "C", "NOTE", "", "Like ", "C:\\d", "", PostgresStandard, false,
        "CAST(NOTE AS TEXT) ILIKE  '%C:\\\\d%' ESCAPE '\\'");
    row("percent access", "T", "C", "NOTE", "", "Like ", "50%_[", "", Access, false, "NOTE Like  '%50[%][_][[]%'");
    row("no number", "T", "N", "WORK_MONEY", "", "= ", "1 OR 1=1", "", SqliteStandard, false, "WORK_MONEY =  '1 OR 1=1'");
    row("thousands", "T", "N", "WORK_MONEY", "", ">= ", "1,200.5", "", SqliteStandard, false, "WORK_MONEY >=  1200.5");
    row("DS quote", "DS", "C", "COMPANY_NAME", "", "= ", "x') OR ('1'='1", "", SqliteStandard, false,
        "COMPANY_ID IN (SELECT COMPANY_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME =  'x'') OR (''1''=''1') ");
    row("ES result with wildcard", "ES", "C", "COMPANY_NAME", "", "Like ", "x", "B_1", SqliteStandard, false,
        "COMPANY_ID Like  'B\\_1%' ESCAPE '\\'");
}

void TestFindCondition::conditionText()
{
    QFETCH(QString, kind);
    QFETCH(QString, dataKind);
    QFETCH(QString, field);
    QFETCH(QString, alias);
    QFETCH(QString, op);
    QFETCH(QString, value);
    QFETCH(QString, popupResult);
    QFETCH(int, dialect);
    QFETCH(bool, simple);
    QFETCH(QString, expected);
    const TFieldsData entry{.FieldName = field,
                            .Caption = QStringLiteral("字段"),
                            .DataKind = dataKind,
                            .KeyField = QStringLiteral("COMPANY_ID"),
                            .TableAlias = alias,
                            .FindKind = kind,
                            .LookupTable = QStringLiteral("SYS_COMPANY_TABLE"),
                            .LookupKey = QStringLiteral("COMPANY_ID"),
                            .LookupName = QStringLiteral("COMPANY_NAME")};
    const FindCondition condition(typeFor(dialect), dialectFor(dialect), simple);
    QCOMPARE(condition.build(entry, op, value, popupResult), expected);
}

// Conditions built from awkward values run on the engine and find exactly the value typed.
void TestFindCondition::userValuesFindWhatWasMeant_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("found");
    for (const QString &backend : TestDatabase::backends()) {
        const auto row = [&](const char *name, const char *op, const QString &value, const QStringList &found) {
            QTest::addRow("%s %s", qPrintable(backend), name) << backend << op << value << found;
        };
        row("percent", "Like ", "50%", {"50%"});
        row("underscore", "Like ", "a_b", {"a_b"});
        row("quote", "= ", "O'Brien", {"O'Brien"});
        row("quote Like", "Like ", "'B", {"O'Brien"});
        row("backslash", "Like ", "\\d", {"C:\\dir"});
        row("case", "Like ", "OBRIEN", {"obrien"});
        row("plain", "Like ", "50", {"50%", "500"});
    }
}

void TestFindCondition::userValuesFindWhatWasMeant()
{
    QFETCH(QString, backend);
    QFETCH(QString, op);
    QFETCH(QString, value);
    QFETCH(QStringList, found);
    TestDatabase db(backend);
    for (const char *place : {"50%", "500", "a_b", "axb", "O'Brien", "obrien", "C:\\dir"})
        db.engine().run(QStringLiteral("INSERT INTO QX_WORK_PLACE_TABLE(WORK_PLACE) VALUES(?)"), {QString::fromUtf8(place)});
    const FindCondition condition(urStandard, &db.engine().dialect());
    const TFieldsData entry{.FieldName = QStringLiteral("WORK_PLACE"), .FindKind = QStringLiteral("T")};
    const auto rows = OpenSQL(MainDatabaseName, QStringLiteral("SELECT WORK_PLACE FROM QX_WORK_PLACE_TABLE WHERE ")
                                                    + condition.build(entry, op, value) + QStringLiteral(" ORDER BY WORK_PLACE"));
    QStringList places;
    for (; !rows->eof(); rows->next())
        places << rows->text(0);
    QCOMPARE(places, found);
}

// Date conditions compare in calendar order, across years, on every engine.
void TestFindCondition::dateConditionsRun_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QStringList>("found");
    for (const QString &backend : TestDatabase::backends()) {
        QTest::addRow("%s =", qPrintable(backend)) << backend << "= " << "2024-01-01" << QStringList{"2"};
        QTest::addRow("%s >=", qPrintable(backend)) << backend << ">= " << "2024-01-01" << QStringList{"2", "3"};
        QTest::addRow("%s <=", qPrintable(backend)) << backend << "<= " << "2024-01-01" << QStringList{"1", "2"};
        QTest::addRow("%s <>", qPrintable(backend)) << backend << "<> " << "2024-01-01" << QStringList{"1", "3"};
    }
}

void TestFindCondition::dateConditionsRun()
{
    QFETCH(QString, backend);
    QFETCH(QString, op);
    QFETCH(QString, date);
    QFETCH(QStringList, found);
    TestDatabase db(backend);
    const QList<QPair<QString, QDate>> tasks{
        {"1", QDate(2023, 12, 31)}, {"2", QDate(2024, 1, 1)}, {"3", QDate(2024, 10, 2)}, {"4", QDate()}};
    for (const auto &[id, day] : tasks) {
        db.engine().run(QStringLiteral("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_ID,WORK_START_DATE) VALUES(?,?,?)"),
                        {id, id, day.isValid() ? QVariant(day.toString(Qt::ISODate)) : QVariant()});
    }
    const FindCondition condition(urStandard, &db.engine().dialect());
    const TFieldsData entry{.FieldName = QStringLiteral("WORK_START_DATE"), .DataKind = QStringLiteral("D"),
                            .FindKind = QStringLiteral("D")};
    const auto rows = OpenSQL(MainDatabaseName, QStringLiteral("SELECT CAR_WORK_ID FROM QX_CAR_WORK_TABLE WHERE ")
                                                    + condition.build(entry, op, date) + QStringLiteral(" ORDER BY CAR_WORK_ID"));
    QStringList ids;
    for (; !rows->eof(); rows->next())
        ids << rows->text(0);
    QCOMPARE(ids, found);
}

void TestFindCondition::cleanValue_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("simple");
    QTest::addColumn<QString>("kept");
    QTest::newRow("trimmed") << "  abc  " << false << "abc";
    QTest::newRow("after the last semicolon") << "a;b;c" << false << "c";
    QTest::newRow("three semicolons at most") << "a;b;c;d;e" << false << "d;e";
    QTest::newRow("before a question mark") << "abc?def" << false << "abc";
    QTest::newRow("full-width semicolon") << "甲；乙；丙" << false << "丙";
    QTest::newRow("full-width question mark kept") << "abc？d" << false << "abc？d";
    QTest::newRow("simple: full-width question mark cuts") << "abc？d" << true << "abc";
    QTest::newRow("question mark, then semicolon") << "a;b?c" << false << "b";
}

void TestFindCondition::cleanValue()
{
    QFETCH(QString, typed);
    QFETCH(bool, simple);
    QFETCH(QString, kept);
    QCOMPARE(CleanFindValue(typed, simple), kept);
}

void TestFindCondition::parseDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("iso") << "2024-05-06" << true;
    QTest::newRow("one-digit month and day") << "2024-5-6" << false;
    QTest::newRow("one-digit day, ten characters with a blank") << "2024-05-6 " << false;
    QTest::newRow("no such day") << "2024-02-30" << false;
    QTest::newRow("slashes") << "2024/05/06" << false;
}

void TestFindCondition::parseDate()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(ParseFindDate(text).isValid(), valid);
}

QTEST_GUILESS_MAIN(TestFindCondition)
#include "tst_findcondition.moc"
