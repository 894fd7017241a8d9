#include "apperror.h"
#include "engineerror.h"
#include "queryfixture.h"

// The editable query's states and record rules: status rules and their messages, master
// and detail, NoCheck and NotEdit, field and database checks, automatic values and numbers.
class tst_TQXQuery : public QueryFixture
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void init() { setUpDatabase(); }
    void cleanup() { tearDownDatabase(); }

    void statusMessages_data()
    {
        QTest::addColumn<QString>("operation");  // add/edit/delete, on the detail or the master itself
        QTest::addColumn<bool>("denyList");
        QTest::addColumn<QString>("statusMsg");
        QTest::addColumn<QString>("expected");

        QTest::newRow("add, deny, named") << "add" << true << "工作任务" << "工作任务的状态是 “已完工 ” , 不能增加新的记录";
        QTest::newRow("add, deny") << "add" << true << "" << "主档纪录状态为：  “已完工 ”  的从档不能增加新记录";
        QTest::newRow("add, allow, named") << "add" << false << "工作任务" << "工作任务的状态是 “ 已完工 ” , 不能增加新的记录";
        QTest::newRow("add, allow") << "add" << false << "" << "主档纪录状态为： “ 已完工 ”的从档不能增加新记录";
        QTest::newRow("edit own, deny") << "edit own" << true << "工作任务" << "状态为： “ 已完工 ”  的记录不能编辑";
        QTest::newRow("edit own, allow") << "edit own" << false << "" << "状态为： “ 已完工 ”  的记录不能编辑";
        QTest::newRow("edit master, deny, named") << "edit" << true << "工作任务" << "工作任务的状态是 “已完工 ” , 不能修改记录";
        QTest::newRow("edit master, deny") << "edit" << true << "" << "主档纪录状态为：  “已完工 ”  的记录不能编辑";
        QTest::newRow("edit master, allow, named") << "edit" << false << "工作任务" << "工作任务的状态是 “ 已完工 ” , 不能修改记录";
        QTest::newRow("edit master, allow") << "edit" << false << "" << "主档纪录状态为： “ 已完工 ”的记录不能编辑";
        QTest::newRow("delete own, deny") << "delete own" << true << "" << "状态为：  “ 已完工 ”   的记录不能删除";
        QTest::newRow("delete own, allow") << "delete own" << false << "" << "状态为： “ 已完工 ”   的记录不能删除";
        QTest::newRow("delete master, named") << "delete" << true << "工作任务" << "工作任务的状态是 “ 已完工 ” , 该记录不能删除";
        QTest::newRow("delete master") << "delete" << false << "" << "主档纪录状态为： “ 已完工 ”   的记录不能删除";
    }

    void statusMessages()
    {
        QFETCH(QString, operation);
        QFETCH(bool, denyList);
        QFETCH(QString, statusMsg);
        QFETCH(QString, expected);

        addWork("C1", "2006000001", "已完工");
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,CAR_WORK_ID,STATUS) "
                                             "VALUES('M1','C1','未审核')"));
        TQXQuery &master = makeQuery("QX_CAR_WORK_TABLE", {"CAR_WORK_ID"});
        master.ActiveStatus = true;
        master.StatusMsg = statusMsg;
        if (denyList)
            master.setStatusEditEndValue("已完工");
        else
            master.setStatusEditValue("未完工");
        master.OpenQuery();
        TQXQuery &detail = makeQuery("QX_INTO_OUT_MONEY_TABLE", {"MONEY_RECORD_ID"});
        detail.QyMaster = &master;
        detail.OpenQuery();

        messages.answers.enqueue(true);
        if (operation == "add")
            QVERIFY_THROWS_EXCEPTION(AbortError, detail.AppendRecord());
        else if (operation == "edit")
            QVERIFY_THROWS_EXCEPTION(AbortError, detail.EditRecord());
        else if (operation == "delete")
            QVERIFY_THROWS_EXCEPTION(AbortError, detail.DeleteRecord());
        else if (operation == "edit own")
            QVERIFY_THROWS_EXCEPTION(AbortError, master.EditRecord());
        else
            QVERIFY_THROWS_EXCEPTION(AbortError, master.DeleteRecord());
        QCOMPARE(messages.all, QStringList{"W:" + expected});
        QCOMPARE(detail.state(), TQXQuery::State::Browse);
        QCOMPARE(master.state(), TQXQuery::State::Browse);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_INTO_OUT_MONEY_TABLE"), QString("1"));
    }

    void allowAndDenyLists_data()
    {
        QTest::addColumn<QStringList>("allow");
        QTest::addColumn<QStringList>("deny");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("editable");

        QTest::newRow("no lists") << QStringList() << QStringList() << "已完工" << true;
        QTest::newRow("in allow-list") << QStringList{"未完工"} << QStringList() << "未完工" << true;
        QTest::newRow("not in allow-list") << QStringList{"未完工"} << QStringList() << "已完工" << false;
        QTest::newRow("compared exactly") << QStringList{"未完工"} << QStringList() << "未完工 " << false;
        QTest::newRow("in deny-list") << QStringList() << QStringList{"已完工"} << "已完工" << false;
        QTest::newRow("deny-list wins, allowed") << QStringList{"未完工"} << QStringList{"作废"} << "已完工" << true;
        QTest::newRow("deny-list wins, denied") << QStringList{"已完工"} << QStringList{"已完工"} << "已完工" << false;
    }

    void allowAndDenyLists()
    {
        QFETCH(QStringList, allow);
        QFETCH(QStringList, deny);
        QFETCH(QString, status);
        QFETCH(bool, editable);

        addWork("C1", "2006000001", status);
        TQXQuery &q = makeQuery("QX_CAR_WORK_TABLE", {"CAR_WORK_ID"});
        q.ActiveStatus = true;
        for (const QString &value : allow)
            q.setStatusEditValue(value);
        for (const QString &value : deny)
            q.setStatusEditEndValue(value);
        q.OpenQuery();
        if (editable) {
            q.EditRecord();
            QCOMPARE(q.state(), TQXQuery::State::Edit);
        } else {
            QVERIFY_THROWS_EXCEPTION(AbortError, q.EditRecord());
            QCOMPARE(q.state(), TQXQuery::State::Browse);
        }
    }

    void masterEmptyRefusesAdd_data()
    {
        QTest::addColumn<bool>("noCheck");
        QTest::newRow("checked") << false;
        QTest::newRow("NoCheck") << true;
    }

    void masterEmptyRefusesAdd()
    {
        QFETCH(bool, noCheck);
        TQXQuery &master = makeQuery("QX_CAR_WORK_TABLE", {"CAR_WORK_ID"});
        master.OpenQuery();
        TQXQuery &detail = makeQuery("QX_INTO_OUT_MONEY_TABLE", {"MONEY_RECORD_ID"});
        detail.QyMaster = &master;
        detail.NoCheck = noCheck;
        detail.OpenQuery();
        QVERIFY_THROWS_EXCEPTION(AbortError, detail.AppendRecord());
        QCOMPARE(messages.warnings, QStringList{"主数据库页面没有数据纪录，从数据页面不能有新的纪录"});
        QCOMPARE(detail.state(), TQXQuery::State::Browse);
        QCOMPARE(detail.loadedRowCount(), 0);
    }

    void stateSignalsAndGuards()
    {
        addWork("C1", "2006000001");
        TQXQuery &q = workQuery();
        RecordingHook hook;
        q.setScreenHook(&hook);
        q.ActiveControl = "DBEditPlate";
        QList<TQXQuery::State> states;
        connect(&q, &TQXDataset::stateChanged, this, [&](TQXDataset::State s) { states << s; });

        q.OpenQuery();
        q.EditRecord();
        QCOMPARE(hook.calls, (QStringList{"focus DBEditPlate", "grids 0", "color DBEditPlate"}));
        q.CancelRecord();
        q.AppendRecord();
        q.SaveRecord();
        QCOMPARE(states, (QList<TQXQuery::State>{TQXQuery::State::Browse, TQXQuery::State::Edit, TQXQuery::State::Browse,
                                                  TQXQuery::State::Insert, TQXQuery::State::Browse}));
        QVERIFY(q.SaveOK());
        QCOMPARE(hook.calls.last(), QString("footers"));
        QVERIFY_THROWS_EXCEPTION(AbortError, q.SaveRecord());  // nothing being edited
    }

    void notEditSkipsEditValuesOnce()
    {
        addWork("C1", "2006000001");
        TQXQuery &q = workQuery();
        q.OpenQuery();
        q.NotEdit = true;
        q.EditRecord();
        QVERIFY(q.fieldByName("EDIT_NAME").isNull());
        QVERIFY(!q.NotEdit);
        q.CancelRecord();
        q.EditRecord();
        QCOMPARE(q.fieldByName("EDIT_NAME").asText(), QString("张三"));
        QCOMPARE(q.fieldByName("EDIT_DATE").asDate(), QDate(2006, 8, 31));
    }

    void noCheckScope()
    {
        addWork("C1", "2006000001", "已完工");
        TQXQuery &q = workQuery();
        RecordingHook hook;
        q.setScreenHook(&hook);
        q.ActiveControl = "DBEditPlate";
        q.FieldsData = {TFieldsData{.FieldName = "NOTE", .Caption = "备注", .Required = true}};
        q.OpenQuery();

        // Editing skips the status rule, focus, colouring and edit values; saving skips the
        // checks (NOTE stays empty although required); the colour switch is off meanwhile.
        q.NoCheck = true;
        q.EditRecord();
        q.fieldByName("WORK_PLACE").setAsText("码头");
        QVERIFY(q.fieldByName("EDIT_NAME").isNull());
        q.SaveRecord();
        QVERIFY(q.SaveOK());
        QVERIFY(!q.NoCheck);
        QCOMPARE(hook.calls, (QStringList{"colors 0", "grids 0", "colors 0", "grids 1", "colors 1", "footers"}));
        QCOMPARE(cell("SELECT WORK_PLACE FROM QX_CAR_WORK_TABLE"), QString("码头"));
        QVERIFY(messages.all.isEmpty());

        // Deleting skips the own status rule but still asks.
        q.NoCheck = true;
        QVERIFY_THROWS_EXCEPTION(AbortError, q.DeleteRecord());
        QCOMPARE(messages.all, QStringList{"Q:请确认是否删除 ?"});
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE"), QString("1"));
        messages.answers.enqueue(true);
        q.NoCheck = true;
        q.DeleteRecord();
        QVERIFY(!q.NoCheck);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE"), QString("0"));
    }

    void fieldValidation_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("required");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("focusControlText");
        QTest::addColumn<QString>("warning");  // empty: the save goes through

        QTest::newRow("required empty") << "C" << true << "" << "" << "工作地点必须有一个值";
        QTest::newRow("required, focus control shows text") << "C" << true << "" << "码头" << "";
        QTest::newRow("number") << "N" << false << "1,234.5" << "" << "";
        QTest::newRow("not a number") << "N" << false << "12a" << "" << "工作地点是错误的数据";
        QTest::newRow("date") << "D" << false << "2006-8-31" << "" << "";
        QTest::newRow("not a date") << "D" << false << "2006-02-30" << "" << "工作地点是错误的数据";
    }

    void fieldValidation()
    {
        QFETCH(QString, kind);
        QFETCH(bool, required);
        QFETCH(QString, value);
        QFETCH(QString, focusControlText);
        QFETCH(QString, warning);

        TQXQuery &q = workQuery();
        RecordingHook hook;
        hook.controlTextToGive = focusControlText;
        QObject box;
        box.setObjectName("PlaceBox");
        q.setScreenHook(&hook);
        q.FieldsData = {TFieldsData{.FieldName = "WORK_PLACE", .Caption = "工作地点", .DataKind = kind, .Required = required,
                                    .FocusControl = focusControlText.isEmpty() ? nullptr : &box}};
        q.OpenQuery();
        q.AppendRecord();
        q.fieldByName("WORK_PLACE").setAsText(value);
        if (warning.isEmpty()) {
            q.SaveRecord();
            QVERIFY(q.SaveOK());
            if (kind == "D")
                QCOMPARE(cell("SELECT WORK_PLACE FROM QX_CAR_WORK_TABLE"), QString("2006-08-31"));
        } else {
            QVERIFY_THROWS_EXCEPTION(AbortError, q.SaveRecord());
            QCOMPARE(messages.warnings, QStringList{warning});
            QCOMPARE(hook.calls.last(), QString("focusField WORK_PLACE"));
            QCOMPARE(q.state(), TQXQuery::State::Insert);
        }
    }

    void checkItemKinds_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("same");
        QTest::addColumn<QString>("other");

        QTest::newRow("C") << "CAR_ID" << "C" << QVariant("京A'1") << "京A'1" << "京A1";
        QTest::newRow("N") << "CAR_PEW_NUMBER" << "N" << QVariant(7) << "7" << "7.5";
        QTest::newRow("D") << "CAR_BUY_DATE" << "D" << QVariant("2006-08-31") << "2006-8-31" << "2006-09-01";
    }

    void checkItemKinds()
    {
        QFETCH(QString, field);
        QFETCH(QString, kind);
        QFETCH(QVariant, stored);
        QFETCH(QString, same);
        QFETCH(QString, other);

        DatabaseEngine::byName(MainDatabaseName).run("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID," + field + ") VALUES('A1',?)", {stored});
        TQXQuery &q = makeQuery("QX_CAR_TABLE", {"CAR_RECORD_ID"});
        TCheckData check = uniqueCheck(field, "QX_CAR_TABLE", "重复");
        check.Items[0].Kind = kind;
        q.CheckData = {check};
        q.OpenQuery();
        q.AppendRecord();
        q.fieldByName("CAR_RECORD_ID").setAsText("A2");
        q.fieldByName(field).setAsText(same);
        QVERIFY_THROWS_EXCEPTION(AbortError, q.SaveRecord());
        QCOMPARE(messages.warnings, QStringList{"重复"});
        q.fieldByName(field).setAsText(other);
        q.SaveRecord();
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_TABLE"), QString("2"));
    }

    void askOnlyRemembersTheConfirmation()
    {
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_WORK_COMPANY_TABLE(WORK_COMPANY) VALUES('老客户')"));
        addWork("C1", "2006000001");
        TQXQuery &q = workQuery();
        TCheckData customer;
        customer.Items = {TCheckItem{.FieldName = "WORK_COMPANY", .ColumnName = "WORK_COMPANY"}};
        customer.TriggerField = "WORK_COMPANY";
        customer.SqlHead = "SELECT WORK_COMPANY FROM QX_WORK_COMPANY_TABLE WHERE ";
        customer.Message = "没有这个工作单位,是否继续";
        customer.AskOnly = true;
        q.CheckData = {customer, uniqueCheck("WORK_ID", "QX_CAR_WORK_TABLE", "已有此工作任务编号,任务编号重复")};
        q.InsertData = {};
        q.OpenQuery();
        q.AppendRecord();
        q.fieldByName("CAR_WORK_ID").setAsText("C2");
        q.fieldByName("WORK_COMPANY").setAsText("新客户");
        q.fieldByName("WORK_ID").setAsText("2006000001");
        q.fieldByName("STATUS").setAsText("未完工");

        // No: refused, nothing remembered.
        QVERIFY_THROWS_EXCEPTION(AbortError, q.SaveRecord());
        QCOMPARE(messages.all, QStringList{"Q:没有这个工作单位,是否继续 ?"});
        // Yes: remembered, so the next save does not ask again (the number check refuses).
        messages.clear();
        messages.answers.enqueue(true);
        QVERIFY_THROWS_EXCEPTION(AbortError, q.SaveRecord());
        QVERIFY_THROWS_EXCEPTION(AbortError, q.SaveRecord());
        QCOMPARE(messages.all, (QStringList{"Q:没有这个工作单位,是否继续 ?", "W:已有此工作任务编号,任务编号重复",
                                            "W:已有此工作任务编号,任务编号重复"}));
        messages.clear();
        q.fieldByName("WORK_ID").setAsText("2006000002");
        q.SaveRecord();
        QVERIFY(messages.all.isEmpty());
        // A completed save forgets the confirmation.
        q.EditRecord();
        q.fieldByName("NOTE").setAsText("x");
        QVERIFY_THROWS_EXCEPTION(AbortError, q.SaveRecord());
        QCOMPARE(messages.questions.size(), 1);
    }

    void fillFieldsFromTheFoundRow()
    {
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,CAR_ID) VALUES('A7','京A7')"));
        TQXQuery &q = workQuery();
        q.setSql("SELECT A.*, B.CAR_ID FROM QX_CAR_WORK_TABLE A LEFT JOIN QX_CAR_TABLE B ON A.CAR_RECORD_ID = B.CAR_RECORD_ID");
        TCheckData plate;
        plate.Items = {TCheckItem{.FieldName = "CAR_ID", .ColumnName = "CAR_ID"}};
        plate.TriggerField = "CAR_ID";
        plate.SqlHead = "SELECT CAR_RECORD_ID FROM QX_CAR_TABLE WHERE ";
        plate.FillFields = "CAR_RECORD_ID";
        plate.SkipIfEmpty = true;
        plate.Message = "错误的车牌号码,车辆数据库里没有该牌号的车辆";
        q.CheckData.append(plate);
        q.OpenQuery();

        q.AppendRecord();  // no plate: the check is skipped
        q.SaveRecord();
        q.AppendRecord();
        q.fieldByName("CAR_ID").setAsText("京B9");
        QVERIFY_THROWS_EXCEPTION(AbortError, q.SaveRecord());
        QCOMPARE(messages.warnings, QStringList{"错误的车牌号码,车辆数据库里没有该牌号的车辆"});
        q.fieldByName("CAR_ID").setAsText("京A7");
        q.SaveRecord();
        QCOMPARE(q.fieldByName("CAR_RECORD_ID").asText(), QString("A7"));
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE WHERE CAR_RECORD_ID = 'A7'"), QString("1"));
    }

    void insertValueProblems()
    {
        TQXQuery &q = workQuery();
        q.OpenQuery();
        q.InsertData = {TInsertData{.FieldName = "NOTE", .Caption = "备注", .Kind = "A"}};
        QVERIFY_THROWS_EXCEPTION(AbortError, q.AppendRecord());
        QCOMPARE(messages.warnings, QStringList{"备注字段需插入的值是空的"});
        QCOMPARE(q.state(), TQXQuery::State::Browse);
        QCOMPARE(q.loadedRowCount(), 0);

        messages.clear();
        q.InsertData = {TInsertData{.FieldName = "NOTE", .Value = "x", .Kind = "Q"}};
        q.AppendRecord();
        QCOMPARE(messages.errors, QStringList{"数据插入错误"});
        QCOMPARE(q.state(), TQXQuery::State::Insert);
        q.CancelRecord();

        messages.clear();
        q.setTableName(" ", false);
        q.InsertData = {TInsertData{.FieldName = "WORK_ID", .Width = 10, .Kind = "y"}};
        q.AppendRecord();
        QCOMPARE(messages.all, (QStringList{"W:Query必须有一个表名", "E:数据插入错误"}));
        QCOMPARE(q.state(), TQXQuery::State::Insert);
    }

    // ---- Numbering through the query ------------------------------------------------------------

    void numbersFollowTheDateOfTheAdd()
    {
        // Time-stamp keys never go back within a process, so each backend's run takes its
        // own, later years.
        const int year = db->isServer() ? 2016 : 2006;
        const QString y = QString::number(year);
        TQXQuery &q = workQuery();
        QDateTime now = at(year, 12, 31);
        q.Clock = [&now] { return now; };
        q.YYYYMM = y + "01";  // what the screen was given when it was shown
        q.OpenQuery();
        q.AppendRecord();
        QCOMPARE(q.fieldByName("WORK_ID").asText(), y + "000001");
        QCOMPARE(q.fieldByName("CREATE_DATE").asDate(), QDate(year, 12, 31));
        QVERIFY(q.fieldByName("CAR_WORK_ID").asText().startsWith("C" + y.right(2) + "1231093000"));
        q.SaveRecord();
        q.AppendRecord();
        QCOMPARE(q.fieldByName("WORK_ID").asText(), y + "000002");
        q.SaveRecord();
        now = at(year + 1, 1, 1);
        q.AppendRecord();
        QCOMPARE(q.fieldByName("WORK_ID").asText(), QString::number(year + 1) + "000001");
        QCOMPARE(q.fieldByName("WORK_START_DATE").asDate(), QDate(year + 1, 1, 1));
        q.SaveRecord();
        QCOMPARE(cell("SELECT COUNT(DISTINCT CAR_WORK_ID) FROM QX_CAR_WORK_TABLE"), QString("3"));
    }

    void verifyStampsTheStatus()
    {
        addWork("C1", "2006000001");
        TQXQuery &q = workQuery();
        q.OpenQuery();
        q.VerifyRecord("已完工");
        QCOMPARE(q.state(), TQXQuery::State::Browse);
        QVERIFY(!q.NoCheck);
        QCOMPARE(cell("SELECT STATUS || VERIFY_NAME || VERIFY_DATE FROM QX_CAR_WORK_TABLE"), QString("已完工张三2006-08-31"));
        // Completed tasks are out of the allow-list, yet can be reset by verify.
        QVERIFY_THROWS_EXCEPTION(AbortError, q.EditRecord());
        q.VerifyRecord("未完工");
        QCOMPARE(cell("SELECT STATUS FROM QX_CAR_WORK_TABLE"), QString("未完工"));
    }

    void fieldsTakeTheirRules()
    {
        addWork("C1", "2006000001");
        TQXQuery &q = workQuery();
        q.FieldsData = {TFieldsData{.FieldName = "WORK_ID", .Caption = "工作编号", .Width = 12},
                        TFieldsData{.FieldName = "WORK_MONEY", .Caption = "收费金额", .DataKind = "N"},
                        TFieldsData{.FieldName = "WORK_START_DATE", .Caption = "起始日期", .DataKind = "D"},
                        TFieldsData{.FieldName = "CAR_WORK_ID", .Width = -1, .Visible = false}};
        q.OpenQuery();
        const TQXField &number = q.fieldByName("WORK_ID");
        QCOMPARE(number.displayLabel(), QString("工作编号"));
        QCOMPARE(number.displayWidth(), 12);
        QCOMPARE(q.fieldByName("WORK_MONEY").displayWidth(), 13);
        QCOMPARE(q.fieldByName("WORK_MONEY").dataType(), TQXField::Type::Number);
        QCOMPARE(q.fieldByName("WORK_START_DATE").displayWidth(), 10);
        QCOMPARE(q.fieldByName("WORK_START_DATE").dataType(), TQXField::Type::Date);
        QVERIFY(q.fieldByName("CAR_WORK_ID").isVisible());
        QCOMPARE(q.fieldByName("CAR_WORK_ID").displayWidth(), 0);
        QVERIFY(!q.fieldByName("NOTE").isVisible());
    }
};

QTEST_GUILESS_MAIN(tst_TQXQuery)
#include "tst_tqxquery.moc"
