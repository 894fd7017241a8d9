#include "dbhelpers.h"
#include "gridlayoutstore.h"
#include "scriptedmessages.h"
#include "testdatabase.h"

#include <QtTest>

class TestGridLayoutStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void characters_data();
    void characters();
    void narrowedColumns_data();
    void narrowedColumns();
    void columnsWithoutSavedRowAreHidden();
    void savesOnlyRealChanges_data();
    void savesOnlyRealChanges();
    void usersKeepSeparateLayouts();
    void restoreDefaults();
    void noFormNameTouchesNoTable();
    void deleteFailureWarns();
    void orderKeeping();
};

namespace {

const QString Table = QStringLiteral("SYS_OPERATION_MAN_TABLE");

GridLayoutStore store(const QString &user = QStringLiteral("U1"))
{
    GridLayoutStore layout;
    layout.TableName = Table;
    layout.FormName = QStringLiteral("OperationManForm");
    layout.UserID = user;
    layout.GridName = QStringLiteral("DBGrid1");
    return layout;
}

void saveRow(const QString &user, const QString &field, int width)
{
    QVERIFY(ExecuteSQL(MainDatabaseName, QStringLiteral("INSERT INTO %1(USE_ID,FORM_NAME,DBGRID_NAME,FIELD_NAME,FIELD_WIDTH) "
                                                         "VALUES('%2','OperationManForm','DBGrid1','%3',%4)")
                                             .arg(Table, user, field)
                                             .arg(width)));
}

// FIELD_NAME=FIELD_WIDTH of the stored rows of a user, by name.
QStringList storedRows(const QString &user = QStringLiteral("U1"))
{
    QStringList rows;
    const auto data = OpenSQL(MainDatabaseName, QStringLiteral("SELECT FIELD_NAME,FIELD_WIDTH FROM %1 WHERE USE_ID = '%2' "
                                                               "ORDER BY FIELD_NAME")
                                                    .arg(Table, user));
    for (; !data->eof(); data->next())
        rows << data->text(0) + QLatin1Char('=') + data->text(1);
    return rows;
}

TFieldsDataArray employeeFields()
{
    return TFieldsDataArray{
        TFieldsData{.FieldName = QStringLiteral("EMPLOYEE_ID"), .Caption = QStringLiteral("员工编号"), .Footer = QStringLiteral("@Count")},
        TFieldsData{.FieldName = QStringLiteral("EMPLOYEE_NAME"), .Caption = QStringLiteral("员工姓名")},
        TFieldsData{.FieldName = QStringLiteral("EMPLOYEE_PAY"), .Caption = QStringLiteral("工资"), .Footer = QStringLiteral("@Sum"),
                    .DataKind = QStringLiteral("N")},
        TFieldsData{.FieldName = QStringLiteral("COMPANY_ID"), .Width = -1},
    };
}

} // namespace

void TestGridLayoutStore::characters_data()
{
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("characters");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("9 pixels: 1 character") << 9 << 1;
    QTest::newRow("10 pixels: 2 characters") << 10 << 2;
    QTest::newRow("75 pixels: 12") << 75 << 12;
    QTest::newRow("81 pixels: 13") << 81 << 13;
    QTest::newRow("88 pixels: 14") << 88 << 14;
}

void TestGridLayoutStore::characters()
{
    QFETCH(int, pixels);
    QFETCH(int, characters);
    QCOMPARE(GridLayoutStore::characters(pixels), characters);
}

// A column narrowed below 2 characters is hidden and forgotten; a sum or count column stays
// visible with width 0 so its footer still counts.
void TestGridLayoutStore::narrowedColumns_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("saved");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("rowKept");
    QTest::newRow("plain column narrowed") << "EMPLOYEE_NAME" << 6 << 0 << false << false;
    QTest::newRow("sum column narrowed") << "EMPLOYEE_PAY" << 6 << 0 << true << true;
    QTest::newRow("count column narrowed") << "EMPLOYEE_ID" << 3 << 0 << true << true;
    QTest::newRow("plain column 2 characters") << "EMPLOYEE_NAME" << 10 << 2 << true << true;
    QTest::newRow("plain column wide") << "EMPLOYEE_NAME" << 125 << 20 << true << true;
    QTest::newRow("width -1 entries are left alone") << "COMPANY_ID" << 6 << -1 << true << true;
}

void TestGridLayoutStore::narrowedColumns()
{
    QFETCH(QString, field);
    QFETCH(int, saved);
    QFETCH(int, width);
    QFETCH(bool, visible);
    QFETCH(bool, rowKept);
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    saveRow("U1", field, saved);
    GridLayoutStore layout = store();
    layout.Load();
    TFieldsDataArray fields = employeeFields();
    layout.ApplyTo(fields);
    for (const TFieldsData &entry : fields) {
        if (entry.FieldName == field) {
            QCOMPARE(entry.Width, width);
            QCOMPARE(entry.Visible, visible);
        }
    }
    QCOMPARE(storedRows().size(), rowKept ? 1 : 0);
    QCOMPARE(layout.find(field) != nullptr, rowKept);
    QVERIFY(messages.warnings.isEmpty());
}

void TestGridLayoutStore::columnsWithoutSavedRowAreHidden()
{
    TestDatabase db(TestDatabase::currentBackend());
    saveRow("U1", "EMPLOYEE_NAME", 100);
    GridLayoutStore layout = store();
    layout.Load();
    TFieldsDataArray fields = employeeFields();
    layout.ApplyTo(fields);
    QStringList visible;
    for (const TFieldsData &entry : fields) {
        if (entry.Visible)
            visible << entry.FieldName;
    }
    QCOMPARE(visible, QStringList{"EMPLOYEE_NAME"});
}

// Widths recorded during a session and what the screen's closing writes.
void TestGridLayoutStore::savesOnlyRealChanges_data()
{
    QTest::addColumn<int>("saved");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("stored");
    QTest::newRow("12 characters widened by 5 pixels: not saved") << 75 << 80 << "EMPLOYEE_NAME=75";
    QTest::newRow("widened to 14 characters: saved") << 75 << 88 << "EMPLOYEE_NAME=88";
    QTest::newRow("13 characters, 1 character more: not saved") << 81 << 88 << "EMPLOYEE_NAME=81";
    QTest::newRow("narrow column: every change saved") << 50 << 56 << "EMPLOYEE_NAME=56";
    QTest::newRow("narrowed by 2 characters: saved") << 100 << 88 << "EMPLOYEE_NAME=88";
}

void TestGridLayoutStore::savesOnlyRealChanges()
{
    QFETCH(int, saved);
    QFETCH(int, current);
    QFETCH(QString, stored);
    TestDatabase db(TestDatabase::currentBackend());
    saveRow("U1", "EMPLOYEE_NAME", saved);
    GridLayoutStore layout = store();
    layout.Load();
    layout.RecordWidth(QStringLiteral("EMPLOYEE_NAME"), current, 0);
    layout.Save();
    QCOMPARE(storedRows(), QStringList{stored});
    QVERIFY(layout.isEmpty());
}

void TestGridLayoutStore::usersKeepSeparateLayouts()
{
    TestDatabase db(TestDatabase::currentBackend());
    GridLayoutStore first = store("U1");
    first.Load();
    first.RecordWidth(QStringLiteral("EMPLOYEE_NAME"), 150, 0);
    first.RecordWidth(QStringLiteral("EMPLOYEE_ID"), 60, 1);
    first.Save();
    GridLayoutStore second = store("U2");
    second.Load();
    QVERIFY(second.isEmpty());
    second.RecordWidth(QStringLiteral("EMPLOYEE_NAME"), 50, 0);
    second.Save();
    QCOMPARE(storedRows("U1"), (QStringList{"EMPLOYEE_ID=60", "EMPLOYEE_NAME=150"}));
    QCOMPARE(storedRows("U2"), QStringList{"EMPLOYEE_NAME=50"});
    GridLayoutStore again = store("U1");
    again.Load();
    QCOMPARE(again.find(QStringLiteral("EMPLOYEE_NAME"))->width, 150);
}

void TestGridLayoutStore::restoreDefaults()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    saveRow("U1", "EMPLOYEE_NAME", 100);
    saveRow("U2", "EMPLOYEE_NAME", 100);
    GridLayoutStore layout = store();
    layout.Load();

    messages.answers.enqueue(false);
    QVERIFY(!layout.RestoreDefaults());
    QCOMPARE(storedRows().size(), 1);

    messages.answers.enqueue(true);
    QVERIFY(layout.RestoreDefaults());
    QCOMPARE(messages.questions, (QStringList{"是否恢复默认显示设置 ?", "是否恢复默认显示设置 ?"}));
    QCOMPARE(messages.warnings, QStringList{"请关闭窗口后再重新打开"});
    QVERIFY(storedRows().isEmpty());
    QCOMPARE(storedRows("U2").size(), 1);

    // Widths changed before the screen closes are not saved.
    layout.RecordWidth(QStringLiteral("EMPLOYEE_NAME"), 300, 0);
    layout.Save();
    QVERIFY(storedRows().isEmpty());
}

void TestGridLayoutStore::noFormNameTouchesNoTable()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    GridLayoutStore layout = store();
    layout.FormName.clear();
    layout.TableName = QStringLiteral("NO_SUCH_TABLE");
    layout.Load();
    layout.RecordWidth(QStringLiteral("EMPLOYEE_NAME"), 300, 0);
    layout.Save();
    QVERIFY(!layout.RestoreDefaults());
    QVERIFY(messages.all.isEmpty());
}

void TestGridLayoutStore::deleteFailureWarns()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    GridLayoutStore layout = store();
    layout.TableName = QStringLiteral("NO_SUCH_TABLE");
    QVERIFY(!layout.DeleteColumnRow(QStringLiteral("EMPLOYEE_NAME")));
    messages.answers.enqueue(true);
    QVERIFY(!layout.RestoreDefaults());
    QCOMPARE(messages.warnings, (QStringList{"隐藏字段删除过程发生错误", "恢复默认显示设置过程发生错误"}));
}

void TestGridLayoutStore::orderKeeping()
{
    TestDatabase db(TestDatabase::currentBackend());
    GridLayoutStore layout = store();
    layout.KeepOrder = true;
    layout.Load();
    layout.RecordPosition(QStringLiteral("EMPLOYEE_NAME"), 100, 0);
    layout.RecordPosition(QStringLiteral("EMPLOYEE_ID"), 100, 1);
    layout.Save();
    GridLayoutStore again = store();
    again.KeepOrder = true;
    again.Load();
    TFieldsDataArray fields = employeeFields();
    again.ApplyTo(fields);
    QCOMPARE(again.columns().first().fieldName, QStringLiteral("EMPLOYEE_NAME"));
    QCOMPARE(again.find(QStringLiteral("EMPLOYEE_ID"))->order, 1);
    // A moved column is saved even when its width did not change.
    again.RecordPosition(QStringLiteral("EMPLOYEE_ID"), 100, 0);
    again.Save();
    QCOMPARE(GetFieldValue(MainDatabaseName, QStringLiteral("SELECT FIELD_ORDER FROM %1 WHERE FIELD_NAME = 'EMPLOYEE_ID'").arg(Table)),
             QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestGridLayoutStore)
#include "tst_gridlayoutstore.moc"
