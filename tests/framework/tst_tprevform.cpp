#include "databaseengine.h"
#include "dbhelpers.h"
#include "printmargins.h"
#include "shownwindow.h"
#include "scriptedmessages.h"
#include "settingsstore.h"
#include "testdatabase.h"
#include "tprevform.h"
#include "tqxedit.h"
#include "tqxreport.h"
#include "tselectitemqueryform.h"
#include "tsetprintform.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

void typeMargins(TSetPrintForm *form, const QString &top, const QString &left)
{
    for (auto [box, text] : {std::pair{form->topEdit(), top}, std::pair{form->leftEdit(), left}}) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    form->ButtonOKClick();
}

QVariantList storedRow(const QString &name)
{
    return GetRowValues(MainDatabaseName,
                        QStringLiteral("SELECT TOP_MARGIN,BUTTOM_MARGIN,LEFT_MARGIN,RIGHT_MARGIN FROM SYS_PRINT_TABLE WHERE PRINT_NAME = ")
                            + sqlText(name))
        .toList();
}

} // namespace

class TestTPrevForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void storedMargins_data();
    void storedMargins();
    void marginCommandSavesAndUpdates();
    void marginCommandWithoutReportOrStore();
    void layoutCommand_data();
    void layoutCommand();
    void pagesStatusAndWaitingPreview();
};

void TestTPrevForm::storedMargins_data()
{
    QTest::addColumn<QString>("stored");  // top,bottom,left,right; empty: no row
    QTest::addColumn<QList<qreal>>("applied");

    QTest::newRow("no row keeps the design") << QString() << QList<qreal>{12, 11, 9, 8};
    QTest::newRow("values inside (0, 20) apply") << "5,19.5,0.5,15" << QList<qreal>{5, 19.5, 0.5, 15};
    QTest::newRow("0, negative, 20 and more are ignored") << "0,-3,20,25" << QList<qreal>{12, 11, 9, 8};
}

void TestTPrevForm::storedMargins()
{
    QFETCH(QString, stored);
    QFETCH(QList<qreal>, applied);

    TestDatabase database(TestDatabase::currentBackend());
    if (!stored.isEmpty()) {
        QVERIFY(ExecuteSQL(MainDatabaseName,
                           QStringLiteral("INSERT INTO SYS_PRINT_TABLE(PRINT_NAME,TOP_MARGIN,BUTTOM_MARGIN,LEFT_MARGIN,RIGHT_MARGIN) "
                                          "VALUES('RepMoney',")
                               + stored + QLatin1Char(')')));
    }
    TQXReport report(QStringLiteral("RepMoney"));
    report.setTopMargin(12);
    report.setBottomMargin(11);
    report.setLeftMargin(9);
    report.setRightMargin(8);
    TPrevForm form;
    QVERIFY(!form.settingsAction()->isVisible());
    form.LoadPrintSettings(&report, 20, 20);
    QVERIFY(form.settingsAction()->isVisible());
    QCOMPARE(QList<qreal>({report.topMargin(), report.bottomMargin(), report.leftMargin(), report.rightMargin()}), applied);
}

void TestTPrevForm::marginCommandSavesAndUpdates()
{
    TestDatabase database(TestDatabase::currentBackend());
    ScriptedMessages messages;
    const QString name = QStringLiteral("Rep'Work");
    TQXReport report(name);
    TPrevForm form;
    form.LoadPrintSettings(&report, 20, 20);

    QString shownTop;
    whenShown<TSetPrintForm>([&](TSetPrintForm *dialog) {
        shownTop = dialog->topEdit()->text();
        typeMargins(dialog, QStringLiteral("5"), QStringLiteral("8"));
    });
    form.printSettings();
    QCOMPARE(shownTop, QStringLiteral("10"));
    QCOMPARE(QList<qreal>({report.topMargin(), report.bottomMargin(), report.leftMargin(), report.rightMargin()}),
             QList<qreal>({5, 15, 8, 12}));
    QCOMPARE(storedRow(name), QVariantList({5.0, 15.0, 8.0, 12.0}));
    QCOMPARE(messages.all, QStringList{QStringLiteral("W:请关闭打印预览窗口后，再重新打开")});

    whenShown<TSetPrintForm>([](TSetPrintForm *dialog) { typeMargins(dialog, QStringLiteral("6"), QStringLiteral("8")); });
    form.printSettings();
    QCOMPARE(storedRow(name), QVariantList({6.0, 14.0, 8.0, 12.0}));
    QCOMPARE(GetFieldValue(MainDatabaseName, QStringLiteral("SELECT COUNT(*) FROM SYS_PRINT_TABLE")), QStringLiteral("1"));

    // "关闭" changes nothing.
    messages.clear();
    whenShown<TSetPrintForm>([](TSetPrintForm *dialog) { dialog->closeButton()->click(); });
    form.printSettings();
    QCOMPARE(report.topMargin(), 6.0);
    QCOMPARE(messages.all, QStringList());
}

void TestTPrevForm::marginCommandWithoutReportOrStore()
{
    TestDatabase database(TestDatabase::currentBackend());
    ScriptedMessages messages;
    TPrevForm form;
    form.printSettings();
    QCOMPARE(messages.all, QStringList{QStringLiteral("W:没有报表对象")});

    messages.clear();
    QVERIFY(ExecuteSQL(MainDatabaseName, QStringLiteral("DROP TABLE SYS_PRINT_TABLE")));
    TQXReport report(QStringLiteral("RepMoney"));
    form.report = &report;
    whenShown<TSetPrintForm>([](TSetPrintForm *dialog) { typeMargins(dialog, QStringLiteral("4"), QStringLiteral("3")); });
    form.printSettings();
    QCOMPARE(messages.all, QStringList({QStringLiteral("E:设置参数保存错误"), QStringLiteral("W:请关闭打印预览窗口后，再重新打开")}));
    QCOMPARE(report.topMargin(), 4.0);  // kept in memory all the same
    QCOMPARE(report.rightMargin(), 17.0);
}

void TestTPrevForm::layoutCommand_data()
{
    QTest::addColumn<int>("chosen");  // 0-based; -1 closes the dialog
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QStringList>("shown");

    const QStringList reopen{QStringLiteral("W:请关闭打印预览窗口后，再重新打开")};
    QTest::newRow("another layout is stored") << 2 << "2" << reopen;
    QTest::newRow("the same layout writes nothing") << 1 << "" << QStringList();
    QTest::newRow("closing writes nothing") << -1 << "" << QStringList();
}

void TestTPrevForm::layoutCommand()
{
    QFETCH(int, chosen);
    QFETCH(QString, setting);
    QFETCH(QStringList, shown);

    TestDatabase database(TestDatabase::currentBackend());
    ScriptedMessages messages;
    TPrevForm form;
    form.LayoutMode = true;
    form.LayoutSetting = QStringLiteral("RepWorkPay");
    form.LayoutChoices = QStringLiteral("A4;A5横向打印;;自定义:210 ×140");
    form.LayoutIndex = 1;
    QStringList options;
    QString caption;
    int preselected = -2;
    whenShown<TSelectItemQueryForm>([&](TSelectItemQueryForm *dialog) {
        caption = dialog->windowTitle();
        options << QString::number(dialog->optionCount());
        preselected = dialog->itemIndex();
        if (chosen < 0) {
            dialog->closeButton()->click();
            return;
        }
        dialog->setItemIndex(chosen);
        dialog->confirm();
    });
    form.printSettings();
    QCOMPARE(caption, QStringLiteral("打印设置"));
    QCOMPARE(options, QStringList{QStringLiteral("3")});
    QCOMPARE(preselected, 1);
    QCOMPARE(ReadSetting(QStringLiteral("RepWorkPay")), setting);
    QCOMPARE(form.LayoutIndex, setting.isEmpty() ? 1 : chosen);
    QCOMPARE(messages.all, shown);
}

void TestTPrevForm::pagesStatusAndWaitingPreview()
{
    QStandardItemModel model;
    model.setHorizontalHeaderLabels({QStringLiteral("NAME")});
    for (int row = 0; row < 50; ++row)
        model.appendRow(new QStandardItem(QStringLiteral("行%1").arg(row + 1)));
    TQXReport report(QStringLiteral("RepList"));
    report.setDataSet(&model);
    report.pageHeader().height = 10;
    report.detail().height = 10;
    report.detail().addDataText(QRectF(0, 0, 100, 10), QStringLiteral("NAME"));
    // 277 mm less the header: 26 rows a page.

    QPointer<TPrevForm> window;
    QStringList seen;
    report.OnPreview = [&](TQXReport &previewed) {
        window = new TPrevForm;
        window->attachReport(&previewed);
        window->show();
        QTimer::singleShot(0, window, [&] {
            QVERIFY(QTest::qWaitForWindowActive(window));
            QTRY_COMPARE(window->pageCount(), 2);
            seen << window->statusText();
            window->showLastPage();
            seen << window->statusText();
            window->showNextPage();
            seen << window->statusText();
            window->showFirstPage();
            seen << window->statusText();
            QTest::keyClick(window, Qt::Key_F4);
        });
    };
    report.preview();
    QVERIFY(window.isNull());  // preview() returned once the window had gone
    QCOMPARE(seen, QStringList({QStringLiteral("总共2页,第1页"), QStringLiteral("总共2页, 第2页"), QStringLiteral("总共2页, 第2页"),
                                QStringLiteral("总共2页, 第1页")}));
}

QTEST_MAIN(TestTPrevForm)
#include "tst_tprevform.moc"
