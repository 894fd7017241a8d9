#include "appvalues.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "findpopups.h"
#include "scriptedmessages.h"
#include "testdatabase.h"
#include "tqxdbedit.h"
#include "tqxedit.h"
#include "tqxndbgrid.h"
#include "tqxquery.h"
#include "tqxtreeview.h"
#include "tselectcartypeform.h"
#include "tselectdeptform.h"
#include "tselecteditform.h"
#include "tselectemployeeform.h"
#include "tselectmoneynameform.h"
#include "tselectmoneytypeform.h"
#include "tselectrepairtypeform.h"
#include "tselectworktypeform.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestSelectionDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void okWithoutSelection_data();
    void okWithoutSelection();
    void categoryPickerOverEmptyTable();
    void categoryLevelsBelowFourAreLeaves();
    void deptPickerRebuildsAfterADepartment();
    void employeePicker();
    void codeListPicker();
    void accountNamePicker();
    void findPopups();
};

namespace {

void run(DatabaseEngine &engine, const QString &sql, const QVariantList &values)
{
    engine.run(sql, values);
}

// Departments D1 (with D11) and D2 under the organisation G001; employees E1 filed under
// G001, E2 under D1, E3 under D11, E4 under D2.
void addStaff(DatabaseEngine &engine)
{
    const QString company = QStringLiteral("INSERT INTO SYS_COMPANY_TABLE(COMPANY_ID,COMPANY_NAME,PRIOR_ID,ORDER_ID) VALUES(?,?,?,?)");
    run(engine, company, {"G001", "本单位", "G002", 1});
    run(engine, company, {"D1", "运输一队", "G001", 1});
    run(engine, company, {"D11", "一队一班", "D1", 1});
    run(engine, company, {"D2", "维修车间", "G001", 2});
    const QString employee = QStringLiteral("INSERT INTO QX_EMPLOYEE_TABLE(COMPANY_ID,EMPLOYEE_ID,EMPLOYEE_NAME,EMPLOYEE_POST) "
                                            "VALUES(?,?,?,?)");
    run(engine, employee, {"G001", "E1", "张经理", "经理"});
    run(engine, employee, {"D1", "E2", "李队长", "队长"});
    run(engine, employee, {"D11", "E3", "王司机", "司机"});
    run(engine, employee, {"D2", "E4", "赵师傅", "修理工"});
}

void addWorkTypes(DatabaseEngine &engine)
{
    const QString sql = QStringLiteral("INSERT INTO QX_WORK_TYPE_TABLE(WORK_TYPE_ID,WORK_TYPE_NAME,PRIOR_ID,ORDER_ID) VALUES(?,?,?,?)");
    run(engine, sql, {"W1", "运输", "G001", 1});
    run(engine, sql, {"W11", "短途运输", "W1", 1});
    run(engine, sql, {"W2", "吊装", "G001", 2});
}

// Acts on the modal window once its exec() runs; a window left open is closed.
void whenModal(const std::function<void(QDialog *)> &action)
{
    QTimer::singleShot(0, qApp, [action] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        action(dialog);
        if (dialog->isVisible())
            dialog->done(QDialog::Rejected);
    });
}

QTreeWidgetItem *findNode(const TQXTreeView *tree, const QString &id)
{
    for (QTreeWidgetItemIterator it(const_cast<TQXTreeView *>(tree)); *it; ++it) {
        if (tree->NodeId(*it) == id)
            return *it;
    }
    return nullptr;
}

QStringList column(TQXQuery *query, const QString &field)
{
    QStringList values;
    for (int row = 0; row < query->loadedRowCount(); ++row)
        values << query->value(row, query->fieldByName(field).index()).toString();
    return values;
}

} // namespace

void TestSelectionDialogs::okWithoutSelection_data()
{
    QTest::addColumn<int>("picker");
    QTest::addColumn<QString>("message");
    QTest::newRow("account categories") << 0 << "必须选择一个帐款类别节点";
    QTest::newRow("work-task categories") << 1 << "必须选择一个工作类别节点";
    QTest::newRow("repair categories") << 2 << "必须选择一个维修类别节点";
    QTest::newRow("vehicle categories") << 3 << "必须选择一个车辆类别节点";
    QTest::newRow("departments") << 4 << "必须选择一个业务单位节点";
    QTest::newRow("employees") << 5 << "必须选择一个人员记录";
    QTest::newRow("code list") << 6 << "必须选择一个记录";
    QTest::newRow("account names") << 7 << "必须选择一个记录";
}

void TestSelectionDialogs::okWithoutSelection()
{
    QFETCH(int, picker);
    QFETCH(QString, message);
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    std::unique_ptr<QDialog> dialog;
    TQXTreeView *tree = nullptr;
    QPushButton *ok = nullptr;
    switch (picker) {
    case 0: case 1: case 2: case 3: {
        TSelectCategoryForm *form = picker == 0 ? static_cast<TSelectCategoryForm *>(new TSelectMoneyTypeForm)
                                  : picker == 1 ? static_cast<TSelectCategoryForm *>(new TSelectWorkTypeForm)
                                  : picker == 2 ? static_cast<TSelectCategoryForm *>(new TSelectRepairTypeForm)
                                                : static_cast<TSelectCategoryForm *>(new TSelectCarTypeForm);
        dialog.reset(form);
        tree = form->tree();
        ok = form->okButton();
        break;
    }
    case 4: {
        auto *form = new TSelectDeptForm;
        form->RootId = QStringLiteral("G001");
        form->RootName = App().CompanyName;
        dialog.reset(form);
        tree = form->tree();
        ok = form->okButton();
        break;
    }
    case 5: {
        auto *form = new TSelectEmployeeForm;
        dialog.reset(form);
        ok = form->okButton();
        break;
    }
    case 6: {
        auto *form = new TSelectEditForm;
        form->SetupList(QStringLiteral("WORK_PLACE"), QStringLiteral("工作地点"), QStringLiteral(" QX_WORK_PLACE_TABLE "));
        dialog.reset(form);
        ok = form->okButton();
        break;
    }
    default: {
        auto *form = new TSelectMoneyNameForm;
        form->MoneyTypeId = QStringLiteral("M1");
        dialog.reset(form);
        ok = form->okButton();
        break;
    }
    }
    dialog->show();
    if (tree) {
        QVERIFY(tree->currentItem());
        tree->setCurrentItem(nullptr);
    }
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(messages.warnings, QStringList{message});
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->result(), 0);
}

void TestSelectionDialogs::categoryPickerOverEmptyTable()
{
    TestDatabase db(TestDatabase::currentBackend());
    TSelectWorkTypeForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("车辆工作任务类别选择窗口"));
    QCOMPARE(form.size(), QSize(504, 488));
    form.show();
    QCOMPARE(form.tree()->NodeCount(), 1);
    QTreeWidgetItem *root = form.tree()->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("工作类别"));
    QCOMPARE(root->childCount(), 0);
    QCOMPARE(form.tree()->currentItem(), root);
    form.okButton()->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.SelectedId, QStringLiteral("G001"));
    QCOMPARE(form.SelectedName, QStringLiteral("工作类别"));
}

void TestSelectionDialogs::categoryLevelsBelowFourAreLeaves()
{
    TestDatabase db(TestDatabase::currentBackend());
    QString prior = QStringLiteral("G001");
    for (int level = 1; level <= 6; ++level) {
        const QString id = QStringLiteral("C%1").arg(level);
        run(db.engine(), QStringLiteral("INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME,PRIOR_ID,ORDER_ID) VALUES(?,?,?,1)"),
            {id, QStringLiteral("第%1级").arg(level), prior});
        prior = id;
    }
    TSelectCarTypeForm form;
    form.show();
    for (int level = 1; level <= 4; ++level) {
        QTreeWidgetItem *node = findNode(form.tree(), QStringLiteral("C%1").arg(level));
        QVERIFY(node);
        QVERIFY(TQXTreeView::HoldsOnlyPlaceholder(node));
        node->setExpanded(true);
    }
    QTreeWidgetItem *five = findNode(form.tree(), QStringLiteral("C5"));
    QVERIFY(five);
    QCOMPARE(five->childCount(), 0);
    QCOMPARE(TQXTreeView::ImageIndex(five), 2);
    form.tree()->setCurrentItem(findNode(form.tree(), QStringLiteral("C3")));
    QCOMPARE(form.SelectedId, QStringLiteral("C3"));
    QCOMPARE(form.SelectedName, QStringLiteral("第3级"));
    // Esc presses "确定".
    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

void TestSelectionDialogs::deptPickerRebuildsAfterADepartment()
{
    TestDatabase db(TestDatabase::currentBackend());
    addStaff(db.engine());
    TSelectDeptForm form;
    form.RootId = QStringLiteral("G001");
    form.RootName = QStringLiteral("本单位");
    form.show();
    QCOMPARE(form.SelectedId, QStringLiteral("G001"));
    QTreeWidgetItem *d1 = findNode(form.tree(), QStringLiteral("D1"));
    d1->setData(0, Qt::UserRole + 50, true);
    form.tree()->setCurrentItem(d1);
    QCOMPARE(form.SelectedId, QStringLiteral("D1"));
    QCOMPARE(form.SelectedName, QStringLiteral("运输一队"));
    form.okButton()->click();
    form.hide();

    form.show();
    QCOMPARE(form.SelectedId, QStringLiteral("G001"));
    QCOMPARE(form.tree()->currentItem(), form.tree()->topLevelItem(0));
    QVERIFY(!findNode(form.tree(), QStringLiteral("D1"))->data(0, Qt::UserRole + 50).toBool());

    findNode(form.tree(), QStringLiteral("D1"))->setExpanded(true);
    QVERIFY(findNode(form.tree(), QStringLiteral("D11")));
    form.okButton()->click();
    form.hide();
    form.show();
    QVERIFY(findNode(form.tree(), QStringLiteral("D11")));  // left as it was
}

void TestSelectionDialogs::employeePicker()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    addStaff(db.engine());
    TSelectEmployeeForm form;
    form.show();
    TQXQuery *list = form.listQuery();
    QCOMPARE(column(list, "EMPLOYEE_ID"), (QStringList{"E1", "E2", "E3", "E4"}));
    QCOMPARE(column(list, "COMPANY_NAME"), (QStringList{"本单位", "运输一队", "一队一班", "维修车间"}));
    QVERIFY(form.grid()->isColumnHidden(list->fieldByName(QStringLiteral("COMPANY_ID")).index()));

    const int loads = form.loadCount();
    form.checkBox()->click();
    QCOMPARE(column(list, "EMPLOYEE_ID"), QStringList{"E1"});
    form.checkBox()->click();
    QCOMPARE(form.loadCount(), loads + 2);

    form.tree()->setCurrentItem(findNode(form.tree(), QStringLiteral("D1")));
    QCOMPARE(form.ListCondition(), QStringLiteral(" (COMPANY_ID = 'D1' OR  COMPANY_ID = 'D11') "));
    QCOMPARE(column(list, "EMPLOYEE_ID"), (QStringList{"E2", "E3"}));
    QCOMPARE(form.SelectedDeptName, QStringLiteral("运输一队"));
    const int afterD1 = form.loadCount();
    form.LoadList();
    QCOMPARE(form.loadCount(), afterD1);

    list->moveTo(1);
    form.okButton()->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(list->fieldByName(QStringLiteral("EMPLOYEE_NAME")).asText(), QStringLiteral("王司机"));
    QVERIFY(messages.all.isEmpty());
}

void TestSelectionDialogs::codeListPicker()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    for (const char *place : {"港口码头", "市政广场", "南湖新区"})
        run(db.engine(), QStringLiteral("INSERT INTO QX_WORK_PLACE_TABLE(WORK_PLACE) VALUES(?)"), {QString::fromUtf8(place)});
    TSelectEditForm form;
    form.SetupList(QStringLiteral("WORK_PLACE"), QStringLiteral("工作地点"), QStringLiteral(" QX_WORK_PLACE_TABLE "));
    form.query()->OpenQuery();
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("工作地点数据选择编辑窗口"));
    QCOMPARE(form.label()->text(), QStringLiteral("按回车键进行查找"));
    QCOMPARE(form.query()->loadedRowCount(), 3);

    form.searchBox()->setText(QStringLiteral("港"));
    QTest::keyClick(form.searchBox(), Qt::Key_Return);
    QCOMPARE(column(form.query(), "WORK_PLACE"), QStringList{"港口码头"});
    form.searchBox()->clear();
    form.Search();
    QVERIFY(form.SearchSql(QString()).contains(QLatin1String("LIKE '%%'")));
    QCOMPARE(form.query()->loadedRowCount(), 3);

    form.addButton()->click();
    QVERIFY(form.query()->isEditing());
    QCOMPARE(form.label()->text(), QStringLiteral("工作地点"));
    QVERIFY(!form.okButton()->isEnabled());
    QTest::keyClick(&form, Qt::Key_F3);
    QVERIFY(form.isVisible());
    form.close();
    QCOMPARE(messages.warnings, QStringList{"必须保存或取消新增、修改的数据"});
    QVERIFY(form.isVisible());

    form.valueBox()->setText(QStringLiteral("市政广场"));
    form.saveButton()->click();
    QCOMPARE(messages.warnings.last(), QStringLiteral("工作地点重复"));
    QVERIFY(form.query()->isEditing());
    form.valueBox()->setText(QStringLiteral("O'Brien码头"));
    form.saveButton()->click();
    QVERIFY(!form.query()->isEditing());
    QCOMPARE(GetFieldValue(MainDatabaseName, QStringLiteral("SELECT CREATE_NAME FROM QX_WORK_PLACE_TABLE WHERE WORK_PLACE = 'O''Brien码头'")),
             App().UserName);
    QCOMPARE(form.searchBox()->text(), QStringLiteral("O'Brien码头"));
    // Letters match in either case on every engine.
    form.searchBox()->setText(QStringLiteral("o'brien"));
    QTest::keyClick(form.searchBox(), Qt::Key_Return);
    QCOMPARE(column(form.query(), "WORK_PLACE"), QStringList{"O'Brien码头"});
    QTest::keyClick(&form, Qt::Key_F3);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.SelectedValue(), QStringLiteral("O'Brien码头"));
}

void TestSelectionDialogs::accountNamePicker()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    const QString sql = QStringLiteral("INSERT INTO QX_MONEY_NAME_TABLE(MONEY_TYPE_ID,MONEY_NAME) VALUES(?,?)");
    run(db.engine(), sql, {"M1", "油费"});
    run(db.engine(), sql, {"M1", "过路费"});
    run(db.engine(), sql, {"M2", "停车费"});
    TSelectMoneyNameForm form;
    form.MoneyTypeId = QStringLiteral("M1");
    form.show();
    QCOMPARE(column(form.query(), "MONEY_NAME").size(), 2);
    form.addButton()->click();
    QCOMPARE(form.query()->fieldByName(QStringLiteral("MONEY_TYPE_ID")).asText(), QStringLiteral("M1"));
    form.valueBox()->setText(QStringLiteral("过路费"));
    form.saveButton()->click();
    QCOMPARE(messages.warnings, QStringList{"已有该帐款名称,帐款名称重复"});
    form.valueBox()->setText(QStringLiteral("停车费"));  // taken in another category only
    form.saveButton()->click();
    QVERIFY(!form.query()->isEditing());
    QCOMPARE(GetFieldValue(MainDatabaseName, QStringLiteral("SELECT COUNT(*) FROM QX_MONEY_NAME_TABLE WHERE MONEY_NAME = '停车费'")),
             QStringLiteral("2"));
    QTest::keyClick(&form, Qt::Key_Return);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.SelectedValue(), QStringLiteral("停车费"));
}

void TestSelectionDialogs::findPopups()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    addWorkTypes(db.engine());
    addStaff(db.engine());
    run(db.engine(), QStringLiteral("INSERT INTO QX_WORK_PLACE_TABLE(WORK_PLACE) VALUES(?)"), {"港口码头"});

    TSelectWorkTypeForm workTypes;
    QString display = QStringLiteral("before");
    QString result = QStringLiteral("before");
    whenModal([&](QDialog *) {
        workTypes.tree()->setCurrentItem(findNode(workTypes.tree(), QStringLiteral("W1")));
        workTypes.okButton()->click();
    });
    QVERIFY(PickWorkTypeForFind(workTypes, QStringLiteral("A"), display, result));
    QCOMPARE(display, QStringLiteral("运输"));
    QCOMPARE(result, QStringLiteral("(A.WORK_TYPE_ID = 'W1' OR A.WORK_TYPE_ID = 'W11')"));
    whenModal([&](QDialog *) { workTypes.closeButton()->click(); });
    QVERIFY(!PickWorkTypeForFind(workTypes, QString(), display, result));
    QCOMPARE(display, QStringLiteral("运输"));  // unchanged on cancel

    TSelectDeptForm depts;
    depts.RootId = QStringLiteral("G001");
    depts.RootName = QStringLiteral("本单位");
    whenModal([&](QDialog *) {
        depts.tree()->setCurrentItem(findNode(depts.tree(), QStringLiteral("D2")));
        depts.okButton()->click();
    });
    QVERIFY(PickDeptForFind(depts, QString(), display, result));
    QCOMPARE(result, QStringLiteral("COMPANY_ID = 'D2'"));

    TSelectEmployeeForm employees;
    whenModal([&](QDialog *) {
        employees.listQuery()->moveTo(3);
        employees.okButton()->click();
    });
    QVERIFY(PickEmployeeForFind(employees, display, result));
    QCOMPARE(display, QStringLiteral("赵师傅"));
    QCOMPARE(result, QStringLiteral("赵师傅"));

    QString box = QStringLiteral("没有");
    result.clear();
    QVERIFY(!PickListForFind(QStringLiteral("QX_WORK_PLACE_TABLE"), box, result));
    QCOMPARE(messages.warnings, QStringList{"工作地点数据库中找不到符合查找条件的工作地点"});
    box = QStringLiteral("港");
    whenModal([](QDialog *dialog) { dialog->accept(); });
    QVERIFY(PickListForFind(QStringLiteral("QX_WORK_PLACE_TABLE"), box, result));
    QCOMPARE(box, QStringLiteral("港口码头"));
    QCOMPARE(result, QStringLiteral("G"));
}

QTEST_MAIN(TestSelectionDialogs)
#include "tst_selectiondialogs.moc"
