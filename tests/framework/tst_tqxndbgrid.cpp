#include "databaseengine.h"
#include "dbhelpers.h"
#include "footeraggregate.h"
#include "gridfooter.h"
#include "gridscreenhook.h"
#include "scriptedmessages.h"
#include "testdatabase.h"
#include "texthelpers.h"
#include "tagproperty.h"
#include "tformmemo.h"
#include "tqxdbgrid.h"
#include "tqxdbmemo.h"
#include "tqxndbgrid.h"
#include "tqxquery.h"
#include "tqxquerymodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QtTest>

class TestTQXNDBGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void withoutTrailingOrder_data();
    void withoutTrailingOrder();
    void footerOverEveryRow();
    void footerFollowsColumnsAndScrolling();
    void columnSetUp();
    void layoutRoundTrip();
    void narrowedColumnAtNextOpen();
    void cellAttributes();
    void plainGridColumnsAndMemo();
};

namespace {

constexpr int Tasks = 3000;

// Work tasks 1..n: money i, paid i % 7, every third one completed.
void addTasks(DatabaseEngine &engine, int count)
{
    DatabaseEngine::Transaction transaction(engine);
    for (int i = 1; i <= count; ++i) {
        engine.run(QStringLiteral("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_ID,STATUS,WORK_MONEY,WORK_PAY_MONEY,NOTE) "
                                  "VALUES(?,?,?,?,?,?)"),
                   {QStringLiteral("K%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0')),
                    i % 3 == 0 ? QStringLiteral("已完工") : QStringLiteral("未完工"), double(i) + 0.25, double(i % 7),
                    QStringLiteral("第%1号任务的备注，内容较长，用来检查单元格截断").arg(i)});
    }
    transaction.commit();
}

TFieldsDataArray taskFields()
{
    return TFieldsDataArray{
        TFieldsData{.FieldName = QStringLiteral("WORK_ID"), .Caption = QStringLiteral("工作编号"), .Width = 12,
                    .Footer = QStringLiteral("@Count"), .FooterFormat = QStringLiteral("共#,##0条")},
        TFieldsData{.FieldName = QStringLiteral("STATUS"), .Caption = QStringLiteral("状态"), .Footer = QStringLiteral("合计")},
        TFieldsData{.FieldName = QStringLiteral("WORK_MONEY"), .Caption = QStringLiteral("收费金额"), .Width = 16,
                    .Footer = QStringLiteral("@Sum"), .DataKind = QStringLiteral("N")},
        TFieldsData{.FieldName = QStringLiteral("WORK_PAY_MONEY"), .Caption = QStringLiteral("已收金额"), .Width = 16,
                    .Footer = QStringLiteral("@Sum"), .DataKind = QStringLiteral("N")},
        TFieldsData{.FieldName = QStringLiteral("WORK_OWE_MONEY"), .Caption = QStringLiteral("未收金额"),
                    .FooterField = QStringLiteral("WORK_PAY_MONEY"), .Footer = QStringLiteral("@Sum"),
                    .DataKind = QStringLiteral("N")},
        TFieldsData{.FieldName = QStringLiteral("WORK_NUMBER"), .Caption = QStringLiteral("次数"), .Footer = QStringLiteral("次"),
                    .DataKind = QStringLiteral("N")},
        TFieldsData{.FieldName = QStringLiteral("CAR_WORK_ID"), .Caption = QStringLiteral("纪录编号"), .Width = -1},
        TFieldsData{.FieldName = QStringLiteral("COMPANY_ID"), .Width = -2},
        TFieldsData{.FieldName = QStringLiteral("NOTE"), .Caption = QStringLiteral("备注"), .Visible = false},
    };
}

// A screen's grid over the work-task query, wired as a document screen wires it.
struct GridScreen
{
    QWidget window;
    TQXQuery query;
    GridScreenHook hook{&window};
    TQXNDBGrid *grid = new TQXNDBGrid(&window);

    explicit GridScreen(const QString &user = QStringLiteral("U1"), const QString &sql = QString())
    {
        window.resize(900, 500);
        grid->setObjectName(QStringLiteral("DBGrid1"));
        grid->setGeometry(0, 0, 900, 500);
        query.FieldsData = taskFields();
        query.setSql(sql.isEmpty() ? QStringLiteral("SELECT * FROM QX_CAR_WORK_TABLE ORDER BY WORK_ID") : sql);
        query.setScreenHook(&hook);
        grid->SetFieldsData(query.FieldsData);
        grid->SetLayoutOwner(QStringLiteral("CarWorkForm"), user, QStringLiteral("SYS_CAR_WORK_TABLE"));
        grid->setDataSet(&query);
        hook.addGrid(grid);
    }
    ~GridScreen()
    {
        grid->SaveLayout();
        query.CloseQuery();
    }
};

double sqlNumber(const QString &sql)
{
    return GetNumberValue(MainDatabaseName, sql);
}

} // namespace

void TestTQXNDBGrid::withoutTrailingOrder_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");
    QTest::newRow("trailing order") << "SELECT * FROM T WHERE A = 1 ORDER BY B" << "SELECT * FROM T WHERE A = 1";
    QTest::newRow("blanks and semicolon") << "SELECT * FROM T ORDER  BY B DESC;" << "SELECT * FROM T";
    QTest::newRow("quoted words") << "SELECT * FROM T WHERE N = 'x ORDER BY y'" << "SELECT * FROM T WHERE N = 'x ORDER BY y'";
    QTest::newRow("inner select only") << "SELECT * FROM (SELECT * FROM T ORDER BY B) X"
                                       << "SELECT * FROM (SELECT * FROM T ORDER BY B) X";
    QTest::newRow("limit decides rows") << "SELECT * FROM T ORDER BY B LIMIT 5" << "SELECT * FROM T ORDER BY B LIMIT 5";
    QTest::newRow("column named like it") << "SELECT ORDER_ID FROM T" << "SELECT ORDER_ID FROM T";
    QTest::newRow("inner and outer") << "SELECT * FROM T WHERE A IN (SELECT A FROM U ORDER BY A) ORDER BY A"
                                     << "SELECT * FROM T WHERE A IN (SELECT A FROM U ORDER BY A)";
}

void TestTQXNDBGrid::withoutTrailingOrder()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(WithoutTrailingOrder(sql), expected);
}

// The footer counts and sums every row of the statement, from one aggregate, before the
// rows are read, and does not run again while the user scrolls to the end.
void TestTQXNDBGrid::footerOverEveryRow()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    addTasks(db.engine(), Tasks);
    GridScreen screen;
    screen.window.show();
    screen.query.OpenQuery();
    QVERIFY(screen.query.loadedRowCount() < Tasks);
    TQXNDBGrid &grid = *screen.grid;
    QCOMPARE(grid.footerQueries(), 1);
    const double money = sqlNumber(QStringLiteral("SELECT SUM(WORK_MONEY) FROM QX_CAR_WORK_TABLE"));
    const double paid = sqlNumber(QStringLiteral("SELECT SUM(WORK_PAY_MONEY) FROM QX_CAR_WORK_TABLE"));
    QCOMPARE(grid.footerText(QStringLiteral("WORK_ID")), QStringLiteral("共3,000条"));
    QCOMPARE(grid.footerText(QStringLiteral("WORK_MONEY")), FormatMoney(2, false, money));
    QCOMPARE(grid.footerText(QStringLiteral("WORK_PAY_MONEY")), FormatMoney(2, false, paid));
    QCOMPARE(grid.footerText(QStringLiteral("WORK_OWE_MONEY")), FormatMoney(2, false, paid));
    QCOMPARE(grid.footerText(QStringLiteral("STATUS")), QStringLiteral("合计"));
    QCOMPARE(grid.footerAlignment(QStringLiteral("STATUS")), Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(grid.footerAlignment(QStringLiteral("WORK_NUMBER")), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(grid.footerAlignment(QStringLiteral("WORK_MONEY")), Qt::Alignment(Qt::AlignRight));

    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(screen.query.loadedRowCount(), Tasks);
    QCOMPARE(screen.query.currentRow(), Tasks - 1);
    const int workId = screen.query.fieldByName(QStringLiteral("WORK_ID")).index();
    const QRect last = grid.visualRect(grid.queryModel()->index(Tasks - 1, workId));
    QVERIFY(last.isValid());
    QVERIFY(last.bottom() < grid.viewport()->height() - grid.footer()->height());
    QCOMPARE(grid.currentIndex().row(), Tasks - 1);
    QVERIFY(grid.selectionModel()->isRowSelected(Tasks - 1, QModelIndex()));
    // Painted above the footer, as the selected row.
    const QImage shot = grid.viewport()->grab().toImage();
    QCOMPARE(grid.rowAt(last.center().y()), Tasks - 1);
    QCOMPARE(shot.pixelColor(last.right() - 2, last.center().y()), grid.palette().color(QPalette::Highlight));
    QCOMPARE(grid.footerQueries(), 1);

    // A filtered statement: the footer follows the statement, not the rows held.
    screen.query.CloseQuery();
    screen.query.setSql(QStringLiteral("SELECT * FROM QX_CAR_WORK_TABLE WHERE STATUS = '已完工' ORDER BY WORK_ID"));
    screen.query.OpenQuery();
    QCOMPARE(grid.footerText(QStringLiteral("WORK_ID")), QStringLiteral("共1,000条"));
    QCOMPARE(grid.footerText(QStringLiteral("WORK_MONEY")),
             FormatMoney(2, false, sqlNumber(QStringLiteral("SELECT SUM(WORK_MONEY) FROM QX_CAR_WORK_TABLE WHERE STATUS = '已完工'"))));

    // Editing suspends the footer; the save brings it up to date.
    screen.query.EditRecord();
    screen.query.fieldByName(QStringLiteral("WORK_MONEY")).setValue(1000000.0);
    grid.RefreshFooters();
    QCOMPARE(grid.footerQueries(), 2);
    screen.query.SaveRecord();
    QCOMPARE(grid.footerQueries(), 3);
    QCOMPARE(grid.footerText(QStringLiteral("WORK_MONEY")),
             FormatMoney(2, false, sqlNumber(QStringLiteral("SELECT SUM(WORK_MONEY) FROM QX_CAR_WORK_TABLE WHERE STATUS = '已完工'"))));
    QVERIFY(messages.all.isEmpty());
}

void TestTQXNDBGrid::footerFollowsColumnsAndScrolling()
{
    TestDatabase db(TestDatabase::currentBackend());
    addTasks(db.engine(), 20);
    GridScreen screen;
    screen.grid->resize(300, 300);
    screen.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen.window));
    screen.query.OpenQuery();
    TQXNDBGrid &grid = *screen.grid;
    const int money = screen.query.fieldByName(QStringLiteral("WORK_MONEY")).index();
    const auto aligned = [&] {
        const QRect cell = grid.footer()->cellRect(money);
        return cell.left() == grid.horizontalHeader()->sectionViewportPosition(money)
            && cell.width() == grid.columnWidth(money);
    };
    QVERIFY(aligned());
    QCOMPARE(grid.footer()->geometry().left(), grid.viewport()->geometry().left());
    QCOMPARE(grid.footer()->geometry().bottom(), grid.viewport()->geometry().bottom());
    grid.horizontalHeader()->resizeSection(money, 150);
    QVERIFY(aligned());
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    QVERIFY(grid.horizontalScrollBar()->value() > 0);
    QVERIFY(aligned());

    // A figure too wide for its cell is never shown cut.
    const GridFooter &footer = *grid.footer();
    QCOMPARE(footer.fitted(QStringLiteral("1,234.00"), Qt::AlignRight, 200), QStringLiteral("1,234.00"));
    QVERIFY(footer.fitted(QStringLiteral("1,234,567.00"), Qt::AlignRight, 30).contains(QRegularExpression("^#+$")));
    QVERIFY(footer.fitted(QStringLiteral("合计金额合计金额"), Qt::AlignLeft, 30).endsWith(QChar(0x2026)));
}

void TestTQXNDBGrid::columnSetUp()
{
    TestDatabase db(TestDatabase::currentBackend());
    addTasks(db.engine(), 5);
    GridScreen screen(QStringLiteral("U1"));
    screen.grid->SetLayoutOwner(QString(), QString(), QString());
    screen.query.OpenQuery();
    TQXNDBGrid &grid = *screen.grid;
    const auto column = [&](const char *name) { return screen.query.fieldByName(QString::fromLatin1(name)).index(); };
    QVERIFY(grid.columnsSetUp());
    QCOMPARE(grid.queryModel()->headerData(column("WORK_MONEY"), Qt::Horizontal).toString(), QStringLiteral("收费金额"));
    QCOMPARE(grid.columnWidth(column("WORK_MONEY")), grid.pixelsForCharacters(16));
    QCOMPARE(grid.columnWidth(column("STATUS")), grid.pixelsForCharacters(screen.query.fieldByName("STATUS").displayWidth()));
    QVERIFY(grid.isColumnHidden(column("CAR_WORK_ID")));   // -1
    QVERIFY(grid.isColumnHidden(column("COMPANY_ID")));    // -2
    QVERIFY(grid.isColumnHidden(column("NOTE")));          // not Visible
    QVERIFY(grid.isColumnHidden(column("WORK_PLACE")));    // no rule
    QVERIFY(!grid.isColumnHidden(column("WORK_ID")));

    // The query's grid requests: disabled while editing (tag 1: left alone).
    screen.query.EditRecord();
    QVERIFY(!grid.isEnabled());
    screen.query.CancelRecord();
    QVERIFY(grid.isEnabled());
    grid.setProperty("tag", 1);
    screen.query.EditRecord();
    QVERIFY(grid.isEnabled());
    screen.query.CancelRecord();
}

// Widths the user sets are saved when the screen goes and come back at the next open.
void TestTQXNDBGrid::layoutRoundTrip()
{
    TestDatabase db(TestDatabase::currentBackend());
    addTasks(db.engine(), 5);
    int statusColumn = -1;
    {
        GridScreen screen;
        screen.query.OpenQuery();
        statusColumn = screen.query.fieldByName(QStringLiteral("STATUS")).index();
        screen.grid->horizontalHeader()->resizeSection(statusColumn, 180);
    }
    const QString stored = GetFieldValue(MainDatabaseName, QStringLiteral("SELECT FIELD_WIDTH FROM SYS_CAR_WORK_TABLE WHERE "
                                                                          "USE_ID = 'U1' AND FORM_NAME = 'CarWorkForm' AND "
                                                                          "DBGRID_NAME = 'DBGrid1' AND FIELD_NAME = 'STATUS'"));
    GridScreen probe;
    QCOMPARE(stored.toInt(), probe.grid->designPixels(180));
    {
        GridScreen again;
        again.query.OpenQuery();
        QCOMPARE(again.grid->columnWidth(statusColumn), 180);
        GridScreen other(QStringLiteral("U2"));
        other.query.OpenQuery();
        QCOMPARE(other.grid->columnWidth(statusColumn), other.grid->pixelsForCharacters(other.query.fieldByName("STATUS").displayWidth()));
    }
    // The right mouse button offers the defaults back; widths set afterwards are not saved.
    const auto rows = [] { return GetFieldValue(MainDatabaseName, QStringLiteral("SELECT COUNT(*) FROM SYS_CAR_WORK_TABLE")); };
    QVERIFY(rows() != QStringLiteral("0"));
    {
        ScriptedMessages messages;
        messages.answers.enqueue(true);
        GridScreen screen;
        screen.window.show();
        screen.query.OpenQuery();
        QTest::mouseClick(screen.grid->viewport(), Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(messages.questions, QStringList{"是否恢复默认显示设置 ?"});
        QCOMPARE(messages.warnings, QStringList{"请关闭窗口后再重新打开"});
        QCOMPARE(rows(), QStringLiteral("0"));
        screen.grid->horizontalHeader()->resizeSection(statusColumn, 250);
    }
    QCOMPARE(rows(), QStringLiteral("0"));
}

void TestTQXNDBGrid::narrowedColumnAtNextOpen()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    addTasks(db.engine(), 5);
    {
        GridScreen screen;
        screen.query.OpenQuery();
        const QHeaderView *header = screen.grid->horizontalHeader();
        screen.grid->horizontalHeader()->resizeSection(screen.query.fieldByName(QStringLiteral("STATUS")).index(), 3);
        screen.grid->horizontalHeader()->resizeSection(screen.query.fieldByName(QStringLiteral("WORK_MONEY")).index(), 3);
        QVERIFY(header);
    }
    GridScreen screen;
    screen.query.OpenQuery();
    const int status = screen.query.fieldByName(QStringLiteral("STATUS")).index();
    const int money = screen.query.fieldByName(QStringLiteral("WORK_MONEY")).index();
    QVERIFY(screen.grid->isColumnHidden(status));
    QVERIFY(!screen.grid->isColumnHidden(money));
    QCOMPARE(screen.grid->columnWidth(money), 0);
    QVERIFY(!screen.grid->footerText(QStringLiteral("WORK_MONEY")).isEmpty());
    QCOMPARE(GetFieldValue(MainDatabaseName, QStringLiteral("SELECT COUNT(*) FROM SYS_CAR_WORK_TABLE WHERE FIELD_NAME = 'STATUS'")),
             QStringLiteral("0"));
    QCOMPARE(GetFieldValue(MainDatabaseName, QStringLiteral("SELECT COUNT(*) FROM SYS_CAR_WORK_TABLE WHERE FIELD_NAME = 'WORK_MONEY'")),
             QStringLiteral("1"));
    QVERIFY(messages.all.isEmpty());
}

void TestTQXNDBGrid::cellAttributes()
{
    TestDatabase db(TestDatabase::currentBackend());
    addTasks(db.engine(), 6);
    GridScreen screen;
    screen.grid->SetLayoutOwner(QString(), QString(), QString());
    QStringList fields;
    screen.grid->OnApplyCellAttr = [&](const GridCell &cell, TCellAttr &attr) {
        fields << cell.fieldName;
        const int status = cell.dataSet->findField(QStringLiteral("STATUS"))->index();
        if (!cell.selected && cell.dataSet->value(cell.row, status).toString() == QStringLiteral("已完工"))
            attr.Background = Qt::red;
    };
    screen.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen.window));
    screen.query.OpenQuery();
    screen.grid->setFocus();
    const QImage shot = screen.grid->viewport()->grab().toImage();
    const int column = screen.query.fieldByName(QStringLiteral("WORK_ID")).index();
    const auto colourAt = [&](int row) {
        const QRect cell = screen.grid->visualRect(screen.grid->queryModel()->index(row, column));
        return shot.pixelColor(cell.right() - 2, cell.center().y());
    };
    QCOMPARE(colourAt(2), QColor(Qt::red));  // the third task is completed
    QVERIFY(colourAt(1) != QColor(Qt::red));
    QVERIFY(fields.contains(QStringLiteral("WORK_ID")));
}

void TestTQXNDBGrid::plainGridColumnsAndMemo()
{
    TestDatabase db(TestDatabase::currentBackend());
    addTasks(db.engine(), 3);
    QWidget window;
    window.resize(600, 300);
    TQXQuery query;
    GridScreenHook hook(&window);
    auto *grid = new TQXDBGrid(&window);
    grid->setGeometry(0, 0, 600, 300);
    query.FieldsData = TFieldsDataArray{
        TFieldsData{.FieldName = QStringLiteral("WORK_ID"), .Caption = QStringLiteral("工作编号"), .Width = 12},
        TFieldsData{.FieldName = QStringLiteral("NOTE"), .Caption = QStringLiteral("备注"), .Width = -1},
        TFieldsData{.FieldName = QStringLiteral("STATUS"), .Caption = QStringLiteral("状态"), .Visible = false},
    };
    query.setSql(QStringLiteral("SELECT WORK_ID,NOTE,STATUS FROM QX_CAR_WORK_TABLE ORDER BY WORK_ID"));
    query.setScreenHook(&hook);
    grid->SetFieldsData(query.FieldsData);
    grid->setDataSet(&query);
    grid->setMemoField(QStringLiteral("NOTE"));
    hook.addGrid(grid);
    SetTag(grid, 100);
    window.show();
    query.OpenQuery();
    QVERIFY(grid->columnsSetUp());
    QCOMPARE(grid->columnWidth(0), grid->pixelsForCharacters(12));
    QCOMPARE(grid->columnWidth(1), grid->screenPixels(200));
    QVERIFY(grid->isColumnHidden(2));
    QCOMPARE(grid->queryModel()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("备注"));

    const QFontMetrics metrics(grid->font());
    const QString note = query.value(0, 1).toString();
    const QString cut = CellAttrDelegate::cutText(note, metrics, 60);
    QVERIFY(cut.endsWith(QLatin1String("...")));
    QVERIFY(metrics.horizontalAdvance(cut) <= 60);
    QVERIFY(note.startsWith(cut.chopped(3)));
    QCOMPARE(CellAttrDelegate::cutText(QStringLiteral("短"), metrics, 60), QStringLiteral("短"));

    grid->OpenCell(grid->queryModel()->index(0, 1));
    QPointer<TFormMemo> memo = grid->memoWindow();
    QVERIFY(memo);
    QCOMPARE(memo->windowTitle(), QStringLiteral("备注"));
    QVERIFY(!memo->showsPicture());
    QCOMPARE(memo->memo()->toPlainText(), note);
    QVERIFY(!memo->memo()->isReadOnly());
    query.CloseQuery();
    QTRY_VERIFY(!memo);

    // A picture column shows the picture its field names.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("car.png"));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QVERIFY(picture.save(file));
    db.engine().run(QStringLiteral("UPDATE QX_CAR_WORK_TABLE SET NOTE = ?"), {file});
    grid->setMemoField(QStringLiteral("NOTE"), false);
    grid->setPictureField(QStringLiteral("NOTE"));
    query.OpenQuery();
    grid->OpenCell(grid->queryModel()->index(0, 1));
    QVERIFY(grid->memoWindow()->showsPicture());
    QCOMPARE(grid->memoWindow()->picture().pixelColor(0, 0), QColor(Qt::green));
    query.CloseQuery();
}

QTEST_MAIN(TestTQXNDBGrid)
#include "tst_tqxndbgrid.moc"
