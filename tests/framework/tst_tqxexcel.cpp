#include "scriptedmessages.h"
#include "tqxexcel.h"
#include "worksheetcells.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQueryModel>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStandardItemModel *moneyModel(QObject *parent, int rows)
{
    auto *model = new QStandardItemModel(parent);
    model->setHorizontalHeaderLabels({QStringLiteral("CAR_ORDER_ID"), QStringLiteral("MONEY_DATE"), QStringLiteral("MONEY_NAME"),
                                      QStringLiteral("MONEY_INTO_NUMBER"), QStringLiteral("MONEY_ID")});
    const QStringList orderIds{QStringLiteral("00017"), QStringLiteral("00018"), QStringLiteral("00019")};
    for (int row = 0; row < rows; ++row) {
        auto *amount = new QStandardItem;
        amount->setData(row == 1 ? QVariant() : QVariant(1234.5 + row), Qt::DisplayRole);
        model->appendRow({new QStandardItem(orderIds.value(row, QStringLiteral("00020"))), new QStandardItem(QStringLiteral("2024-05-06")),
                          new QStandardItem(QStringLiteral("  加油费  ")), amount, new QStandardItem(QStringLiteral("123456789"))});
    }
    return model;
}

TExcelFieldArray moneyFields()
{
    return {{QStringLiteral("CAR_ORDER_ID"), QString(), QStringLiteral("车辆编号")},
            {QStringLiteral("MONEY_DATE"), QString(), QStringLiteral("帐款日期")},
            {QStringLiteral("MONEY_NAME"), QString(), QStringLiteral("帐款名称")},
            {QStringLiteral("MONEY_INTO_NUMBER"), QStringLiteral("N"), QStringLiteral("进帐金额")},
            {QStringLiteral("MONEY_ID"), QString(), QStringLiteral("票据编号")}};
}

} // namespace

class TestTQXExcel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip();
    void withoutSequenceNumbers();
    void lazyModelExportsEveryRow();
    void refusals_data();
    void refusals();

private:
    QTemporaryDir m_dir;
    QStringList m_opened;
};

void TestTQXExcel::init()
{
    m_opened.clear();
}

void TestTQXExcel::roundTrip()
{
    ScriptedMessages messages;
    TQXExcel excel;
    excel.OutputDirectory = m_dir.path();
    excel.OpenWorkbook = [this](const QString &fileName) {
        m_opened << fileName;
        return true;
    };
    excel.DataSet = moneyModel(&excel, 3);
    excel.ReportName = QStringLiteral("单位资金收支资料报表");
    excel.ID = true;
    const TExcelFieldArray footer{{QString(), {}, {}}, {QString(), {}, {}}, {QStringLiteral("合计"), {}, {}},
                                  {QStringLiteral("￥3,706.50"), {}, {}}};
    QVERIFY(excel.ExportData(moneyFields(), footer));
    QCOMPARE(messages.all, QStringList());
    QCOMPARE(m_opened, QStringList{excel.fileName()});

    const WorksheetCells sheet = WorksheetCells::read(excel.fileName());
    QCOMPARE(sheet.name, QStringLiteral("单位资金收支资料报表"));
    QCOMPARE(sheet.text(QStringLiteral("A1")), QStringLiteral("序号"));
    QCOMPARE(sheet.text(QStringLiteral("B1")), QStringLiteral("车辆编号"));
    QCOMPARE(sheet.text(QStringLiteral("F1")), QStringLiteral("票据编号"));
    for (int row = 2; row <= 4; ++row) {
        const QString n = QString::number(row);
        QVERIFY(sheet.isNumber(QStringLiteral("A") + n));
        QCOMPARE(sheet.text(QStringLiteral("A") + n), QString::number(row - 1));
        QVERIFY(!sheet.isNumber(QStringLiteral("B") + n));
        QVERIFY(!sheet.isNumber(QStringLiteral("C") + n));
        QVERIFY(!sheet.isNumber(QStringLiteral("F") + n));
    }
    QCOMPARE(sheet.text(QStringLiteral("B2")), QStringLiteral("00017"));
    QCOMPARE(sheet.text(QStringLiteral("C2")), QStringLiteral("2024-05-06"));
    QCOMPARE(sheet.text(QStringLiteral("D2")), QStringLiteral("加油费"));
    QVERIFY(sheet.isNumber(QStringLiteral("E2")));
    QCOMPARE(sheet.text(QStringLiteral("E2")).toDouble(), 1234.5);
    QVERIFY(!sheet.cells.contains(QStringLiteral("E3")));  // an empty amount stays empty
    QCOMPARE(sheet.text(QStringLiteral("E4")).toDouble(), 1236.5);
    QCOMPARE(sheet.text(QStringLiteral("F2")), QStringLiteral("123456789"));
    // Totals row: footer entry k under export column k.
    QCOMPARE(sheet.text(QStringLiteral("D5")), QStringLiteral("合计"));
    QCOMPARE(sheet.text(QStringLiteral("E5")), QStringLiteral("￥3,706.50"));
    QVERIFY(!sheet.isNumber(QStringLiteral("E5")));
    QCOMPARE(sheet.lastRow, 5);
}

void TestTQXExcel::withoutSequenceNumbers()
{
    ScriptedMessages messages;
    TQXExcel excel;
    excel.OutputDirectory = m_dir.path();
    excel.OpenWorkbook = [](const QString &) { return true; };
    excel.DataSet = moneyModel(&excel, 1);
    excel.ReportName = QStringLiteral("车辆[资料]:报表");
    TExcelFieldArray fields = moneyFields();
    fields.insert(1, TExcelFieldName{QString(), QString(), QStringLiteral("空列")});
    QVERIFY(excel.ExportData(fields, {}));
    const WorksheetCells sheet = WorksheetCells::read(excel.fileName());
    QCOMPARE(sheet.name, QStringLiteral("车辆_资料__报表"));
    QCOMPARE(sheet.text(QStringLiteral("A1")), QStringLiteral("车辆编号"));
    QCOMPARE(sheet.text(QStringLiteral("A2")), QStringLiteral("00017"));
    // An entry without a field keeps its heading and leaves its column empty.
    QCOMPARE(sheet.text(QStringLiteral("B1")), QStringLiteral("空列"));
    QVERIFY(!sheet.cells.contains(QStringLiteral("B2")));
    QCOMPARE(sheet.text(QStringLiteral("C2")), QStringLiteral("2024-05-06"));
    QCOMPARE(sheet.lastRow, 2);
}

void TestTQXExcel::lazyModelExportsEveryRow()
{
    ScriptedMessages messages;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lazyexport"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(db.open());
        QSqlQueryModel model;
        model.setQuery(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
                                      "SELECT printf('%05d', i) AS CODE, i * 1.5 AS AMOUNT FROM n"),
                       db);
        QVERIFY(model.canFetchMore());  // the model holds only its first block

        TQXExcel excel;
        excel.OutputDirectory = m_dir.path();
        excel.OpenWorkbook = [](const QString &) { return true; };
        excel.DataSet = &model;
        excel.ReportName = QStringLiteral("lazy");
        QVERIFY(excel.ExportData({{QStringLiteral("code"), QString(), QStringLiteral("编号")},
                                  {QStringLiteral("AMOUNT"), QStringLiteral("N"), QStringLiteral("金额")}},
                                 {}));
        const WorksheetCells sheet = WorksheetCells::read(excel.fileName());
        QCOMPARE(sheet.lastRow, 1001);
        QCOMPARE(sheet.text(QStringLiteral("A1001")), QStringLiteral("01000"));
        QCOMPARE(sheet.text(QStringLiteral("B1001")).toDouble(), 1500.0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("lazyexport"));
}

void TestTQXExcel::refusals_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("fileKept");

    const QString noExcel = QStringLiteral("必须安装Microsoft Excel才能将数据导出到Excel中 ");
    QTest::newRow("no dataset") << "no dataset" << QStringLiteral("没有数据源") << false;
    QTest::newRow("closed dataset") << "closed" << QStringLiteral("没有数据源") << false;
    QTest::newRow("blank report name") << "blank name" << QStringLiteral("没有报表名称") << false;
    QTest::newRow("no records") << "no rows" << QStringLiteral("没有数据") << false;
    QTest::newRow("unknown field") << "unknown field" << QStringLiteral("Excel打开过程发生错误") << false;
    QTest::newRow("file cannot be written") << "bad directory" << noExcel << false;
    QTest::newRow("workbook cannot be opened") << "open fails" << noExcel << true;
}

void TestTQXExcel::refusals()
{
    QFETCH(QString, situation);
    QFETCH(QString, message);
    QFETCH(bool, fileKept);

    ScriptedMessages messages;
    QTemporaryDir dir;
    TQXExcel excel;
    excel.OutputDirectory = situation == QLatin1String("bad directory") ? dir.filePath(QStringLiteral("missing")) : dir.path();
    excel.OpenWorkbook = [&situation](const QString &) { return situation != QLatin1String("open fails"); };
    excel.ReportName = situation == QLatin1String("blank name") ? QStringLiteral("  ") : QStringLiteral("报表");
    if (situation == QLatin1String("closed"))
        excel.DataSet = new QStandardItemModel(&excel);
    else if (situation != QLatin1String("no dataset"))
        excel.DataSet = moneyModel(&excel, situation == QLatin1String("no rows") ? 0 : 2);
    TExcelFieldArray fields = moneyFields();
    if (situation == QLatin1String("unknown field"))
        fields.append({QStringLiteral("NO_SUCH_FIELD"), QString(), QStringLiteral("无")});

    QVERIFY(!excel.ExportData(fields, {}));
    QCOMPARE(messages.all, QStringList{QStringLiteral("W:") + message});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), fileKept ? 1 : 0);
}

QTEST_MAIN(TestTQXExcel)
#include "tst_tqxexcel.moc"
