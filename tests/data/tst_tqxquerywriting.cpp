#include "apperror.h"
#include "engineerror.h"
#include "exceptionhandler.h"
#include "queryfixture.h"
#include "tqxquerymodel.h"

// What the editable query writes: key conditions, escaped and NULL values, failed writes,
// deletes, two users on two real connections, and lazy reading of big results.
class tst_TQXQueryWriting : public QueryFixture
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init() { setUpDatabase(); }
    void cleanup() { tearDownDatabase(); }

    void keyConditions_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("insert");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<QString>("expected");  // LSQLEND where the text is fixed

        QTest::newRow("text") << "QX_CAR_TYPE_TABLE" << "CAR_TYPE_ID"
                              << "INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME,NOTE) VALUES('O''Brien','货车',''),('X','客车','')"
                              << "NOTE" << "  CAR_TYPE_ID ='O''Brien'";
        QTest::newRow("integer") << "SYS_COMPOSE_TABLE" << "COMPOSE_ID" << "" << "COMPOSE_NAME" << "  COMPOSE_ID =1";
        QTest::newRow("date") << "QX_CAR_FILE_TABLE" << "SAVE_DATE"
                              << "INSERT INTO QX_CAR_FILE_TABLE(FILE_RECORD_ID,SAVE_DATE) VALUES('F1','2006-08-31'),('F2','2006-09-01')"
                              << "NOTE" << "";
    }

    void keyConditions()
    {
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, insert);
        QFETCH(QString, changed);
        QFETCH(QString, expected);

        if (!insert.isEmpty())
            QVERIFY(ExecuteSQL(MainDatabaseName, insert));
        TQXQuery &q = makeQuery(table, {key});
        q.setSql("SELECT * FROM " + table + " ORDER BY " + key);
        q.OpenQuery();
        const QString before = cell("SELECT COUNT(*) FROM " + table + " WHERE " + changed + " = 'changed'");
        q.EditRecord();
        q.fieldByName(changed).setAsText("changed");
        q.SaveRecord();
        if (!expected.isEmpty())
            QCOMPARE(q.LSQLEND(), expected);
        QCOMPARE(cell("SELECT COUNT(*) FROM " + table + " WHERE " + q.LSQLEND()), QString("1"));
        QCOMPARE(cell("SELECT COUNT(*) FROM " + table + " WHERE " + changed + " = 'changed'").toInt(), before.toInt() + 1);
    }

    void modifyWithoutWhereAppliesTheStatement()
    {
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO SYS_PRINT_TABLE(PRINT_NAME,TOP_MARGIN) VALUES('RepA',10),('RepB',12)"));
        TQXQuery &q = makeQuery("SYS_PRINT_TABLE", {"PRINT_NAME"});
        q.UpdateSQL.ModifySQL = QStringList{"update SYS_PRINT_TABLE", "set", "  TOP_MARGIN = :TOP_MARGIN"};
        q.OpenQuery();
        q.EditRecord();
        q.fieldByName("TOP_MARGIN").setAsText("15");
        q.SaveRecord();
        QVERIFY(q.LSQLEND().isEmpty());
        QVERIFY(q.SaveOK());
        QCOMPARE(cell("SELECT COUNT(*) FROM SYS_PRINT_TABLE WHERE TOP_MARGIN = 15"), QString("2"));
    }

    void quotesAndEmptyValuesRoundTrip()
    {
        const QString note = "O'Neil's \"truck\" 5'6, 备注 '';--";
        TQXQuery &q = workQuery();
        q.OpenQuery();
        q.AppendRecord();
        const QString key = q.fieldByName("CAR_WORK_ID").asText();
        q.fieldByName("NOTE").setAsText(note);
        q.fieldByName("WORK_PLACE").setAsText("");
        q.fieldByName("WORK_MONEY").setAsText("");
        q.SaveRecord();
        // Edited with a quote in a value the optimistic check compares.
        q.EditRecord();
        q.fieldByName("WORK_CONTENT").setAsText("it's");
        q.SaveRecord();
        q.CloseQuery();
        q.OpenQuery();
        QCOMPARE(q.fieldByName("CAR_WORK_ID").asText(), key);
        QCOMPARE(q.fieldByName("NOTE").asText(), note);
        QCOMPARE(q.fieldByName("WORK_CONTENT").asText(), QString("it's"));
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE WHERE WORK_PLACE IS NULL AND WORK_MONEY IS NULL "
                      "AND WORK_END_DATE IS NULL"), QString("1"));
        messages.answers.enqueue(true);
        q.DeleteRecord();
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE"), QString("0"));
    }

    void failedWriteKeepsTheBuffer()
    {
        TQXQuery &q = workQuery();
        q.OpenQuery();
        q.AppendRecord();
        const QString key = q.fieldByName("CAR_WORK_ID").asText();
        q.fieldByName("WORK_PLACE").setAsText(QString(11, QChar(0x6E2F)));  // 22 bytes in text(20)
        try {
            q.SaveRecord();
            QFAIL("the value should not fit");
        } catch (const EngineError &error) {
            QCOMPARE(error.condition(), EngineCondition::TooLarge);
        }
        QCOMPARE(q.state(), TQXQuery::State::Insert);
        QVERIFY(!q.SaveOK());
        QCOMPARE(q.fieldByName("CAR_WORK_ID").asText(), key);
        q.fieldByName("WORK_PLACE").setAsText("港口");
        q.SaveRecord();
        QCOMPARE(cell("SELECT WORK_PLACE FROM QX_CAR_WORK_TABLE WHERE CAR_WORK_ID = '" + key + "'"), QString("港口"));
    }

    void deleteWritesBeforeTheResultChanges()
    {
        addWork("C1", "2006000001");
        TQXQuery &q = workQuery();
        q.DetailTable = "QX_NO_SUCH_TABLE";
        q.KeyValue = "CAR_WORK_ID";
        q.DetailDError = "收款记录";
        q.OpenQuery();
        messages.answers.enqueue(true);
        QVERIFY_THROWS_EXCEPTION(AbortError, q.DeleteRecord());
        QCOMPARE(messages.all, (QStringList{"Q:请确认是否删除 ?", "W:收款记录删除过程发生错误"}));
        QCOMPARE(q.loadedRowCount(), 1);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE"), QString("1"));
        QVERIFY(!q.SaveOK());

        q.DetailTable = "QX_INTO_OUT_MONEY_TABLE";
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,CAR_WORK_ID) VALUES('M1','C1'),('M2','X')"));
        messages.answers.enqueue(true);
        q.DeleteRecord();
        QVERIFY(q.SaveOK());
        QCOMPARE(q.loadedRowCount(), 0);
        QVERIFY(q.isEmpty());
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE"), QString("0"));
        QCOMPARE(cell("SELECT MONEY_RECORD_ID FROM QX_INTO_OUT_MONEY_TABLE"), QString("M2"));
    }

    // ---- Two users ---------------------------------------------------------------------------------

    void savingARecordAnotherUserDeleted()
    {
        addWork("C1", "2006000001");
        TQXQuery &q = workQuery();
        q.OpenQuery();
        q.EditRecord();
        q.fieldByName("NOTE").setAsText("mine");
        db->secondConnection().run("DELETE FROM QX_CAR_WORK_TABLE WHERE CAR_WORK_ID = 'C1'");
        q.SaveRecord();
        QCOMPARE(messages.warnings, QStringList{"该记录已被其它用户删除或在其它窗口被删除"});
        QVERIFY(!q.SaveOK());
        QCOMPARE(q.state(), TQXQuery::State::Edit);
        QCOMPARE(q.fieldByName("NOTE").asText(), QString("mine"));
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE"), QString("0"));
    }

    void savingARecordAnotherUserChanged()
    {
        addWork("C1", "2006000001", "未完工", 100);
        TQXQuery &q = workQuery();
        q.OpenQuery();
        q.EditRecord();
        q.fieldByName("WORK_MONEY").setAsText("120");
        db->secondConnection().run("UPDATE QX_CAR_WORK_TABLE SET WORK_PAY_MONEY = 50 WHERE CAR_WORK_ID = 'C1'");
        try {
            q.SaveRecord();
            QFAIL("the other user's change went unnoticed");
        } catch (const EngineError &error) {
            QCOMPARE(error.condition(), EngineCondition::ChangedByOther);
            HandleException(nullptr, error);
        }
        QCOMPARE(messages.warnings, QStringList{"数据已被其它用户修改,请重新查找刷新该记录,查看其它用户修改后的数据"});
        QCOMPARE(q.state(), TQXQuery::State::Edit);
        QCOMPARE(cell("SELECT WORK_MONEY FROM QX_CAR_WORK_TABLE"), QString("100"));
        QCOMPARE(cell("SELECT WORK_PAY_MONEY FROM QX_CAR_WORK_TABLE"), QString("50"));
    }

    void twoUsersAddingGetDistinctNumbers_data()
    {
        QTest::addColumn<bool>("withUniqueChecks");
        QTest::newRow("the check draws the next number") << true;
        QTest::newRow("the constraint draws the next number") << false;
    }

    void twoUsersAddingGetDistinctNumbers()
    {
        QFETCH(bool, withUniqueChecks);
        TQXQuery &first = workQuery();
        TQXQuery &second = workQuery(db->secondConnection().databaseName());
        if (!withUniqueChecks) {
            first.CheckData = {};
            second.CheckData = {};
        }
        first.OpenQuery();
        second.OpenQuery();
        first.AppendRecord();
        second.AppendRecord();
        QCOMPARE(second.fieldByName("WORK_ID").asText(), first.fieldByName("WORK_ID").asText());
        // Same second on two machines: the same time-stamp key.
        second.fieldByName("CAR_WORK_ID").setAsText(first.fieldByName("CAR_WORK_ID").asText());
        first.fieldByName("NOTE").setAsText("first");
        second.fieldByName("NOTE").setAsText("second");
        first.SaveRecord();
        second.SaveRecord();
        QVERIFY(second.SaveOK());
        QCOMPARE(second.fieldByName("WORK_ID").asText(), QString("2006000002"));
        QVERIFY(second.fieldByName("CAR_WORK_ID").asText() != first.fieldByName("CAR_WORK_ID").asText());
        QCOMPARE(cell("SELECT COUNT(DISTINCT WORK_ID) FROM QX_CAR_WORK_TABLE"), QString("2"));
        QCOMPARE(cell("SELECT COUNT(DISTINCT CAR_WORK_ID) FROM QX_CAR_WORK_TABLE"), QString("2"));
        QCOMPARE(cell("SELECT NOTE FROM QX_CAR_WORK_TABLE WHERE WORK_ID = '2006000001'"), QString("first"));
        QVERIFY(messages.all.isEmpty());
    }

    void aTakenNumberTypedOnAnEditIsRefused()
    {
        addWork("C1", "2006000001");
        addWork("C2", "2006000002");
        TQXQuery &q = workQuery();
        q.OpenQuery();
        q.EditRecord();
        const QString other = q.fieldByName("WORK_ID").asText() == "2006000001" ? "2006000002" : "2006000001";
        const QString own = q.fieldByName("CAR_WORK_ID").asText();
        q.fieldByName("WORK_ID").setAsText(other);
        QVERIFY_THROWS_EXCEPTION(AbortError, q.SaveRecord());
        QCOMPARE(messages.warnings, QStringList{"已有此工作任务编号,任务编号重复"});
        QCOMPARE(q.state(), TQXQuery::State::Edit);
        QCOMPARE(q.fieldByName("WORK_ID").asText(), other);
        QCOMPARE(cell("SELECT COUNT(DISTINCT WORK_ID) FROM QX_CAR_WORK_TABLE"), QString("2"));
        QCOMPARE(cell("SELECT WORK_ID FROM QX_CAR_WORK_TABLE WHERE CAR_WORK_ID = '" + own + "'"),
                 other == "2006000001" ? QString("2006000002") : QString("2006000001"));
    }

    void aTakenKeyThatCannotBeRenumberedIsReported()
    {
        addWork("C1", "2006000001");
        TQXQuery &q = workQuery();
        q.CheckData = {};
        q.InsertData = {};
        q.OpenQuery();
        q.AppendRecord();
        q.fieldByName("CAR_WORK_ID").setAsText("C1");
        try {
            q.SaveRecord();
            QFAIL("a taken key was written");
        } catch (const EngineError &error) {
            QCOMPARE(error.condition(), EngineCondition::DuplicateKey);
            HandleException(nullptr, error);
        }
        QCOMPARE(messages.warnings, QStringList{"数据库主键重复"});
        QCOMPARE(q.state(), TQXQuery::State::Insert);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE"), QString("1"));
        QCOMPARE(cell("SELECT WORK_ID FROM QX_CAR_WORK_TABLE"), QString("2006000001"));
    }

    // ---- Big results ------------------------------------------------------------------------------

    void readsPagesAndAggregatesExactly()
    {
        DatabaseEngine &engine = DatabaseEngine::byName(MainDatabaseName);
        {
            DatabaseEngine::Transaction transaction(engine);
            for (int i = 1; i <= 1000; ++i)
                engine.run("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_ID,WORK_MONEY) VALUES(?,?,?)",
                           {QString("K%1").arg(i, 5, 10, QChar('0')), QString("2006%1").arg(i * 2, 6, 10, QChar('0')), i * 0.5});
            transaction.commit();
        }
        TQXQuery &q = workQuery();
        q.setSql("SELECT * FROM QX_CAR_WORK_TABLE ORDER BY WORK_ID");
        q.OpenQuery();
        QCOMPARE(q.loadedRowCount(), TQXDataset::FirstPageSize);
        QVERIFY(q.canFetchMore());
        QCOMPARE(q.recordCount(), 1000);
        QCOMPARE(q.sums({"WORK_MONEY"}), QList<double>{250250.0});
        QCOMPARE(q.loadedRowCount(), TQXDataset::FirstPageSize);

        // A record saved meanwhile sorts before the rows read: the next page must not
        // repeat the row that moved down.
        q.moveTo(10);
        q.AppendRecord();
        q.fieldByName("WORK_ID").setAsText("2006000001");
        q.SaveRecord();
        q.last();
        QCOMPARE(q.loadedRowCount(), 1001);
        QCOMPARE(q.recordCount(), 1001);
        QSet<QString> keys;
        for (int row = 0; row < q.loadedRowCount(); ++row)
            keys.insert(q.value(row, q.fieldByName("CAR_WORK_ID").index()).toString());
        QCOMPARE(keys.size(), 1001);
        QCOMPARE(q.sums({"WORK_MONEY", "WORK_NUMBER"}), (QList<double>{250250.0, 0.0}));
    }

    void viewsShareTheCurrentRecord()
    {
        addWork("C1", "2006000001", "未完工", 100);
        addWork("C2", "2006000002", "未完工", 250.5);
        TQXQuery &q = workQuery();
        q.setSql("SELECT * FROM QX_CAR_WORK_TABLE ORDER BY WORK_ID");
        q.FieldsData = {TFieldsData{.FieldName = "WORK_ID", .Caption = "工作编号"},
                        TFieldsData{.FieldName = "WORK_MONEY", .Caption = "收费金额", .DataKind = "N"}};
        TQXQueryModel model(&q);
        QItemSelectionModel grid(&model);
        QItemSelectionModel otherGrid(&model);
        model.followCurrentRow(&grid);
        model.followCurrentRow(&otherGrid);
        q.OpenQuery();

        const int money = model.columnOf("WORK_MONEY");
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.headerData(money, Qt::Horizontal).toString(), QString("收费金额"));
        QCOMPARE(model.data(model.index(1, money)).toString(), QString("250.5"));
        QCOMPARE(model.data(model.index(0, model.columnOf("WORK_START_DATE")), TQXQueryModel::ValueRole), QVariant());

        grid.setCurrentIndex(model.index(1, 0), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(q.currentRow(), 1);
        QCOMPARE(otherGrid.currentIndex().row(), 1);
        QCOMPARE(q.fieldByName("CAR_WORK_ID").asText(), QString("C2"));

        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        q.EditRecord();
        q.fieldByName("WORK_MONEY").setAsText("300");
        QVERIFY(!changed.isEmpty());
        QCOMPARE(model.data(model.index(1, money)).toString(), QString("300"));
        grid.setCurrentIndex(model.index(0, 0), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(q.currentRow(), 1);  // the record being edited keeps the cursor
        q.SaveRecord();

        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        q.AppendRecord();
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(otherGrid.currentIndex().row(), 2);
        q.CancelRecord();
        QCOMPARE(model.rowCount(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_TQXQueryWriting)
#include "tst_tqxquerywriting.moc"
