#include "databaseengine.h"
#include "scriptedmessages.h"
#include "testdatabase.h"
#include "tqxdataset.h"
#include "tselectform.h"

#include <QPushButton>
#include <QTableView>
#include <QtTest>

class TestTSelectForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void fitsDisplayWidths_data();
    void fitsDisplayWidths();
    void keysAndDoubleClick_data();
    void keysAndDoubleClick();
    void showingFitsTheShownColumns();
    void closesTheQueryWhenDestroyed();
};

void TestTSelectForm::fitsDisplayWidths_data()
{
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<int>>("fitted");

    QTest::newRow("no columns") << QList<int>{} << QList<int>{};
    QTest::newRow("narrow set gains an equal share") << QList<int>{10, 10, 10} << QList<int>{33, 33, 33};
    QTest::newRow("101 exactly: gains nothing") << QList<int>{101} << QList<int>{101};
    QTest::newRow("gain 1.5 rounds to 2") << QList<int>{40, 57} << QList<int>{42, 59};
    QTest::newRow("gain 0.5 rounds to 0") << QList<int>{49, 50} << QList<int>{49, 50};
    QTest::newRow("just below with many columns: not narrowed") << QList<int>{20, 20, 20, 20, 20}
                                                                << QList<int>{20, 20, 20, 20, 20};
    QTest::newRow("wide set loses by size") << QList<int>{40, 30, 20, 12, 6, 4} << QList<int>{36, 26, 16, 8, 5, 3};
    QTest::newRow("share 18.5 rounds to 18") << QList<int>{60, 50, 40, 30} << QList<int>{42, 50, 40, 30};
    QTest::newRow("just above with many columns: not widened") << QList<int>{30, 30, 30, 12}
                                                               << QList<int>{30, 30, 30, 12};
    QTest::newRow("share 2: each band") << QList<int>{70, 18, 15, 8, 6} << QList<int>{62, 12, 11, 6, 6};
}

void TestTSelectForm::fitsDisplayWidths()
{
    QFETCH(QList<int>, widths);
    QFETCH(QList<int>, fitted);
    QCOMPARE(TSelectForm::FitDisplayWidths(widths), fitted);
}

void TestTSelectForm::keysAndDoubleClick_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("result");
    QTest::newRow("F3") << "F3" << int(QDialog::Accepted);
    QTest::newRow("Enter") << "Enter" << int(QDialog::Accepted);
    QTest::newRow("Return") << "Return" << int(QDialog::Accepted);
    QTest::newRow("F12") << "F12" << int(QDialog::Rejected);
    QTest::newRow("double click") << "double click" << int(QDialog::Accepted);
    QTest::newRow("确认[F3]") << "ok button" << int(QDialog::Accepted);
    QTest::newRow("关闭[F12]") << "close button" << int(QDialog::Rejected);
}

// The row the grid points at is the query's current record when the window ends.
void TestTSelectForm::keysAndDoubleClick()
{
    QFETCH(QString, input);
    QFETCH(int, result);
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    TQXDataset query;
    query.setSql(QStringLiteral("SELECT COMPOSE_ID,PROGRAM_ID,PROGRAM_NAME FROM SYS_PROGRAM_TABLE ORDER BY COMPOSE_ID,PROGRAM_ID"));
    query.open();
    TSelectForm form(&query);
    QSignalSpy finished(&form, &QDialog::finished);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("数据选择窗口"));
    QTableView *grid = form.grid();
    QCOMPARE(QApplication::focusWidget(), grid);

    const QModelIndex third = grid->model()->index(2, 2);
    if (input == QLatin1String("double click")) {
        const QPoint centre = grid->visualRect(third).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
    } else {
        grid->setCurrentIndex(third);
        if (input == QLatin1String("ok button"))
            form.okButton()->click();
        else if (input == QLatin1String("close button"))
            form.closeButton()->click();
        else
            QTest::keyClick(grid, input == "F3" ? Qt::Key_F3 : input == "F12" ? Qt::Key_F12
                                  : input == "Enter" ? Qt::Key_Enter : Qt::Key_Return);
    }
    QCOMPARE(finished.size(), 1);
    QCOMPARE(form.result(), result);
    QCOMPARE(query.currentRow(), 2);
    QCOMPARE(query.fieldByName(QStringLiteral("PROGRAM_NAME")).asText(), QStringLiteral("车辆维修资料管理"));
}

void TestTSelectForm::showingFitsTheShownColumns()
{
    TestDatabase db(TestDatabase::currentBackend());
    TQXDataset query;
    query.setSql(QStringLiteral("SELECT COMPOSE_ID,PROGRAM_ID,PROGRAM_NAME FROM SYS_PROGRAM_TABLE"));
    query.open();
    query.field(0).setDisplayWidth(10);
    query.field(1).setDisplayWidth(40);
    query.field(1).setVisible(false);
    query.field(2).setDisplayWidth(20);
    TSelectForm form(&query);
    form.show();

    // 10 + 20 of the shown columns gain (102 - 30) / 2 - 1 = 35 each; the hidden one keeps its width.
    QCOMPARE(query.field(0).displayWidth(), 45);
    QCOMPARE(query.field(1).displayWidth(), 40);
    QCOMPARE(query.field(2).displayWidth(), 55);
    QVERIFY(form.grid()->isColumnHidden(1));
    QVERIFY(form.grid()->columnWidth(2) > form.grid()->columnWidth(0));
}

void TestTSelectForm::closesTheQueryWhenDestroyed()
{
    TestDatabase db(TestDatabase::currentBackend());
    TQXDataset query;
    query.setSql(QStringLiteral("SELECT PROGRAM_NAME FROM SYS_PROGRAM_TABLE"));
    query.open();
    {
        TSelectForm form(&query);
        form.show();
        QVERIFY(query.isActive());
    }
    QVERIFY(!query.isActive());
}

QTEST_MAIN(TestTSelectForm)
#include "tst_tselectform.moc"
