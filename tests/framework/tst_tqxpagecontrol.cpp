#include "dbhelpers.h"
#include "scriptedmessages.h"
#include "testdatabase.h"
#include "tqxdatasource.h"
#include "tqxpagecontrol.h"
#include "tqxquery.h"

#include <QTabBar>
#include <QtTest>

// Page changes refused while editing and, from the first page, without a master record.
class tst_TQXPageControl : public QObject
{
    Q_OBJECT

private slots:
        void initTestCase_data() { TestDatabase::addBackendRows(); }
    void pageChanges_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("masterEmpty");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("screenAllows");
        QTest::addColumn<bool>("byKey");       // Ctrl+Tab instead of a click
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("warning");

        const QString editing = "必须先保存或取消新增的数据或修改后的数据";
        const QString noMaster = "没有主档数据记录，不能改变页面";
        QTest::newRow("free") << false << false << 0 << 1 << true << false << 1 << "";
        QTest::newRow("editing") << true << false << 0 << 1 << true << false << 0 << editing;
        QTest::newRow("editing, Ctrl+Tab") << true << false << 0 << 1 << true << true << 0 << editing;
        QTest::newRow("Ctrl+Tab") << false << false << 0 << 1 << true << true << 1 << "";
        QTest::newRow("no master record, first page") << false << true << 0 << 2 << true << false << 0 << noMaster;
        QTest::newRow("no master record, other pages") << false << true << 1 << 2 << false << false << 2 << "";
        QTest::newRow("screen refuses") << false << false << 0 << 1 << false << false << 0 << "";
        QTest::newRow("editing before master rule") << true << true << 1 << 2 << true << false << 1 << editing;
    }

    void pageChanges()
    {
        QFETCH(bool, editing);
        QFETCH(bool, masterEmpty);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, screenAllows);
        QFETCH(bool, byKey);
        QFETCH(int, page);
        QFETCH(QString, warning);

        TestDatabase db(TestDatabase::currentBackend());
        ScriptedMessages messages;
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME) VALUES('A1','吊车')"));
        TQXPageControl pages;
        for (const char *caption : {"列表", "资料", "其它"})
            pages.addTab(new QWidget, caption);
        TQXQuery master(&pages);
        master.setDatabaseName(MainDatabaseName);
        master.setTableName("QX_CAR_TYPE_TABLE");
        if (masterEmpty)
            master.setSql("SELECT  *  FROM  QX_CAR_TYPE_TABLE WHERE CAR_TYPE_ID = 'none'");
        master.OpenQuery();
        TQXQuery detail(&pages);
        detail.setDatabaseName(MainDatabaseName);
        detail.setTableName("QX_CAR_TYPE_TABLE");
        detail.OpenQuery();
        TQXDataSource source(&pages);
        source.setDataSet(&detail);
        pages.DataSource3 = &source;
        pages.QyMaster = &master;
        int asked = 0;
        pages.OnChanging = [&](int target) {
            ++asked;
            return target == to && screenAllows;
        };
        pages.setCurrentIndex(from);
        pages.Hook();
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        if (editing)
            detail.EditRecord();

        if (byKey)
            QTest::keyClick(&pages, Qt::Key_Tab, Qt::ControlModifier);
        else
            QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, pages.tabBar()->tabRect(to).center());
        QCOMPARE(pages.currentIndex(), page);
        QCOMPARE(messages.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
        QCOMPARE(asked, !editing && !masterEmpty ? 1 : 0);
    }
};

QTEST_MAIN(tst_TQXPageControl)
#include "tst_tqxpagecontrol.moc"
