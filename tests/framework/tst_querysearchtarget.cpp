#include "databaseengine.h"
#include "querysearchtarget.h"
#include "scriptedmessages.h"
#include "testdatabase.h"
#include "uihelpers.h"

#include <QtTest>

// A search over an editable query reports the statement's full row count, although only
// the first page of the result has been read.
class tst_QuerySearchTarget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void countsTheWholeResult()
    {
        TestDatabase db(TestDatabase::currentBackend());
        ScriptedMessages messages;
        DatabaseEngine &engine = db.engine();
        for (int i = 0; i < 300; ++i)
            engine.run("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,STATUS) VALUES(?,?)", {QString("K%1").arg(i), i % 3 ? "未完工" : "已完工"});

        TQXQuery query;
        QuerySearchTarget target(query);
        RunSearch(target, "SELECT * FROM QX_CAR_WORK_TABLE WHERE STATUS = '未完工'");
        QVERIFY(query.isActive());
        QVERIFY(query.loadedRowCount() < 200);
        RunSearch(target, "SELECT * FROM QX_CAR_WORK_TABLE WHERE STATUS = '作废'");
        QCOMPARE(messages.warnings, (QStringList{"共找到 200 个符合条件的纪录", "没有找到符合条件的纪录"}));
    }
};

QTEST_MAIN(tst_QuerySearchTarget)
#include "tst_querysearchtarget.moc"
