#include "cjkfont.h"
#include "dbhelpers.h"
#include "modelfields.h"
#include "testdatabase.h"
#include "tqxquery.h"
#include "tqxquerymodel.h"
#include "texthelpers.h"
#include "tqxreport.h"
#include "tqxreportcolumns.h"

#include <QStandardItemModel>
#include <QTest>

namespace {

// A4 portrait, 10 mm margins: 277 mm of height; header 20 and footer 10 leave 247 mm,
// room for 35 detail rows of 7 mm.
constexpr qreal RowHeight = 7;

struct Fixture
{
    QStandardItemModel model;
    TQXReport report{QStringLiteral("RepTest")};
    TQXReportItem *pageCount = nullptr;

    explicit Fixture(int rows, qreal rowHeight = RowHeight, bool withSummary = true)
    {
        model.setHorizontalHeaderLabels({QStringLiteral("WORK_ID"), QStringLiteral("WORK_MONEY")});
        for (int row = 0; row < rows; ++row) {
            model.appendRow({new QStandardItem(QStringLiteral("W%1").arg(row + 1, 4, 10, QLatin1Char('0'))),
                             new QStandardItem(QString::number(row + 1) + QStringLiteral(".5"))});
        }
        report.setDataSet(&model);
        for (TQXReportBand *band : {&report.pageHeader(), &report.detail(), &report.summary(), &report.pageFooter()})
            band->font = CjkFont(QStringLiteral("宋体"), 9);
        report.pageHeader().height = 20;
        report.pageHeader().addSystemData(QRectF(0, 0, 190, 10), TQXReportItem::SystemKind::Title);
        LayOutColumns(report,
                      {{QString(), QStringLiteral("序号"), 4},
                       {QStringLiteral("WORK_ID"), QStringLiteral("工作编号"), 12},
                       {QStringLiteral("WORK_MONEY"), QStringLiteral("收费金额"), 10, QStringLiteral("N")}},
                      12, 8, rowHeight);
        if (withSummary) {
            report.summary().height = RowHeight;
            report.summary().addLabel(QRectF(0, 0, 40, RowHeight), QStringLiteral("合计："));
        }
        report.pageFooter().height = 10;
        pageCount = report.pageFooter().addSystemData(QRectF(0, 0, 30, 10), TQXReportItem::SystemKind::PageCount,
                                                      QStringLiteral("共"));
        report.pageFooter().addLabel(QRectF(30, 0, 10, 10), QStringLiteral("页"));
    }
};

int countBands(const std::vector<TQXPrintedBand> &page, TQXReportBand::Kind kind, bool blankRow = false)
{
    int count = 0;
    for (const TQXPrintedBand &band : page)
        count += band.band->kind == kind && band.blankRow == blankRow ? 1 : 0;
    return count;
}

const TQXPrintedItem *printedItem(const std::vector<TQXPrintedBand> &page, const TQXReportItem *item)
{
    for (const TQXPrintedBand &band : page) {
        for (const TQXPrintedItem &printed : band.items) {
            if (printed.item == item)
                return &printed;
        }
    }
    return nullptr;
}

} // namespace

class TestTQXReport : public QObject
{
    Q_OBJECT

private slots:
    void pageCounting_data();
    void pageCounting();
    void blankRowsPrintOnlyShapes();
    void hooksTotalsAndReplacedTexts();
    void printsTheQueryModelByFieldName();
};

void TestTQXReport::pageCounting_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("rowTarget");
    QTest::addColumn<bool>("summany");
    QTest::addColumn<bool>("withSummary");
    QTest::addColumn<qreal>("rowHeight");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("lastPageDataRows");
    QTest::addColumn<int>("lastPageBlankRows");

    QTest::newRow("no target: rows end the detail band") << 10 << 0 << false << true << RowHeight << 1 << 10 << 0;
    QTest::newRow("target 34 with IsSummany: 23 blank rows") << 10 << 34 << true << true << RowHeight << 1 << 10 << 23;
    QTest::newRow("target 34 without IsSummany: 24 blank rows") << 10 << 34 << false << true << RowHeight << 1 << 10 << 24;
    QTest::newRow("33 rows and IsSummany: no blank row") << 33 << 34 << true << true << RowHeight << 1 << 33 << 0;
    QTest::newRow("no data: one page of blank rows") << 0 << 34 << false << false << RowHeight << 1 << 0 << 34;
    QTest::newRow("a full page breaks, the last page is filled") << 36 << 34 << true << true << RowHeight << 2 << 1 << 32;
    QTest::newRow("two full pages: the summary starts a third") << 70 << 0 << false << true << RowHeight << 3 << 0 << 0;
    QTest::newRow("no summary band: two pages") << 70 << 0 << false << false << RowHeight << 2 << 35 << 0;
    QTest::newRow("blank rows stop where the page is full") << 10 << 50 << false << false << RowHeight << 1 << 10 << 25;
    QTest::newRow("a row taller than the page still prints") << 3 << 5 << false << false << qreal(300) << 3 << 1 << 0;
}

void TestTQXReport::pageCounting()
{
    QFETCH(int, rows);
    QFETCH(int, rowTarget);
    QFETCH(bool, summany);
    QFETCH(bool, withSummary);
    QFETCH(qreal, rowHeight);
    QFETCH(int, pages);
    QFETCH(int, lastPageDataRows);
    QFETCH(int, lastPageBlankRows);

    Fixture fixture(rows, rowHeight, withSummary);
    fixture.report.setIsSummany(summany);
    // The screens set the target at the start of every page.
    fixture.report.OnStartPage = [rowTarget](TQXReport &report) { report.setRowTarget(rowTarget); };

    QCOMPARE(fixture.report.prepare(), pages);
    QCOMPARE(fixture.report.pageCount(), pages);
    const TQXReportPages produced = fixture.report.produce();
    QCOMPARE(produced.pageCount(), pages);
    const auto &last = produced.pages.back();
    QCOMPARE(countBands(last, TQXReportBand::Kind::Detail), lastPageDataRows);
    QCOMPARE(countBands(last, TQXReportBand::Kind::Detail, true), lastPageBlankRows);
    QCOMPARE(countBands(last, TQXReportBand::Kind::Summary), withSummary ? 1 : 0);
    int dataRows = 0;
    for (const auto &page : produced.pages) {
        QCOMPARE(countBands(page, TQXReportBand::Kind::PageHeader), 1);
        QCOMPARE(countBands(page, TQXReportBand::Kind::PageFooter), 1);
        QCOMPARE(printedItem(page, fixture.pageCount)->text, QStringLiteral("共%1").arg(pages));
        dataRows += countBands(page, TQXReportBand::Kind::Detail);
    }
    QCOMPARE(dataRows, rows);
}

void TestTQXReport::blankRowsPrintOnlyShapes()
{
    Fixture fixture(2);
    fixture.report.setRowTarget(4);
    const TQXReportPages produced = fixture.report.produce();
    QStringList numbers;
    for (const TQXPrintedBand &band : produced.pages.front()) {
        if (band.band->kind != TQXReportBand::Kind::Detail)
            continue;
        QString texts;
        int shapes = 0;
        for (const TQXPrintedItem &printed : band.items) {
            if (printed.item->isShape())
                ++shapes;
            else
                texts += printed.text + QLatin1Char('|');
        }
        QCOMPARE(shapes, 3);  // every cell keeps its rule
        numbers << (band.blankRow ? QStringLiteral("blank") : texts);
    }
    QCOMPARE(numbers, QStringList({QStringLiteral("1|W0001|1.5|"), QStringLiteral("2|W0002|2.5|"),
                                   QStringLiteral("blank"), QStringLiteral("blank")}));
}

void TestTQXReport::hooksTotalsAndReplacedTexts()
{
    Fixture fixture(3);
    fixture.model.item(1, 0)->setText(QStringLiteral("一二三四五六七八九十一"));
    fixture.report.setRowTarget(6);
    double total = 0;
    int passes = 0;
    fixture.report.BeforePrint = [&](TQXReport &) {
        ++passes;
        total = 0;
    };
    TQXReportItem *money = nullptr;
    TQXReportItem *workId = nullptr;
    for (const auto &item : fixture.report.detail().items()) {
        if (item->fieldName == QLatin1String("WORK_MONEY"))
            money = item.get();
        if (item->fieldName == QLatin1String("WORK_ID"))
            workId = item.get();
    }
    money->OnPrint = [&](QString &text, QFont &) { total += ParseMoney(text); };
    workId->OnPrint = [&](QString &text, QFont &font) {
        if (fixture.report.fieldText(QStringLiteral("WORK_ID")).size() > 10) {
            text = WrapText(text, 20);
            font.setPointSize(8);
        }
    };
    TQXReportItem *sum = fixture.report.summary().addLabel(QRectF(100, 0, 40, RowHeight), QString());
    sum->OnPrint = [&](QString &text, QFont &) { text = FormatMoney(10, false, total); };

    fixture.report.prepare();
    const TQXReportPages produced = fixture.report.produce();
    QCOMPARE(passes, 2);
    QCOMPARE(total, 1.5 + 2.5 + 3.5);  // blank rows add nothing, each pass starts at 0
    const auto &page = produced.pages.front();
    QCOMPARE(printedItem(page, sum)->text, QStringLiteral("7.5"));
    QStringList ids;
    QList<int> sizes;
    for (const TQXPrintedBand &band : page) {
        for (const TQXPrintedItem &printed : band.items) {
            if (printed.item == workId) {
                ids << printed.text;
                sizes << printed.font.pointSize();
            }
        }
    }
    QCOMPARE(ids, QStringList({QStringLiteral("W0001"), QStringLiteral("一二三四五六七八九十\r\n一"), QStringLiteral("W0003")}));
    QCOMPARE(sizes.at(1), 8);
    QCOMPARE(sizes.at(0), 9);
    QCOMPARE(workId->font.pointSize(), sizes.at(0));  // the design font is left alone
}


// A screen prints its own query: the model's header shows captions, the report names fields.
void TestTQXReport::printsTheQueryModelByFieldName()
{
    TestDatabase db;
    QVERIFY(ExecuteSQL(MainDatabaseName, QStringLiteral("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_ID,WORK_MONEY) "
                                                         "VALUES('C1','W0001',1.5)")));
    TQXQuery query;
    query.setSql(QStringLiteral("SELECT * FROM QX_CAR_WORK_TABLE"));
    query.FieldsData = {TFieldsData{.FieldName = QStringLiteral("WORK_ID"), .Caption = QStringLiteral("工作编号")},
                        TFieldsData{.FieldName = QStringLiteral("WORK_MONEY"), .Caption = QStringLiteral("收费金额")}};
    query.OpenQuery();
    TQXQueryModel model(&query);
    QCOMPARE(model.headerData(FieldColumn(model, QStringLiteral("WORK_ID")), Qt::Horizontal).toString(),
             QStringLiteral("工作编号"));

    TQXReport report(QStringLiteral("RepTest"));
    report.setDataSet(&model);
    LayOutColumns(report, {{QStringLiteral("WORK_ID"), QStringLiteral("工作编号"), 12},
                           {QStringLiteral("WORK_MONEY"), QStringLiteral("收费金额"), 10, QStringLiteral("N")}},
                  12, 8, RowHeight);
    const TQXReportPages produced = report.produce();
    QStringList texts;
    for (const TQXPrintedBand &band : produced.pages.front()) {
        if (band.band->kind != TQXReportBand::Kind::Detail || band.blankRow)
            continue;
        for (const TQXPrintedItem &printed : band.items) {
            if (!printed.item->isShape())
                texts << printed.text;
        }
    }
    QCOMPARE(texts, QStringList({QStringLiteral("W0001"), QStringLiteral("1.5")}));
}

QTEST_MAIN(TestTQXReport)
#include "tst_tqxreport.moc"
