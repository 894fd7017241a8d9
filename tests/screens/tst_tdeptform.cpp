#include "appvalues.h"
#include "databaseengine.h"
#include "screenfixture.h"
#include "screenmessages.h"
#include "shownpreview.h"
#include "tcategoryprint.h"
#include "tdeptform.h"
#include "tqxdbedit.h"
#include "tqxquery.h"
#include "tqxtreeview.h"
#include "treetable.h"
#include "worksheetcells.h"

#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

// The department screen driven through its commands and function keys, against a fresh
// database.
class tst_TDeptForm : public QObject, ScreenFixture
{
    Q_OBJECT

    QPointer<TDeptForm> screen;

    static void addDept(const QString &id, const QString &name, const QString &prior, int order,
                        const QString &phone = QString(), const QString &note = QString())
    {
        run(QString("INSERT INTO SYS_COMPANY_TABLE(COMPANY_ID,COMPANY_NAME,PRIOR_ID,ORDER_ID,COMPANY_PHONE,NOTE) "
                    "VALUES('%1','%2','%3',%4,'%5','%6')")
                .arg(id, name, prior)
                .arg(order)
                .arg(phone, note));
    }

    void open()
    {
        screen = new TDeptForm(main.get());
        showScreen(screen);
    }

    // A command key as the user presses it, wherever the focus is: outside the screen it
    // goes to the screen's tool bar.
    void press(Qt::Key key)
    {
        QWidget *target = focused();
        QTest::keyClick(target && screen->isAncestorOf(target) ? target : screen->ToolBar1, key);
    }

    QTreeWidgetItem *node(const QString &caption) const { return findNode(*screen->QXTreeView, caption); }
    QTreeWidgetItem *root() const { return screen->QXTreeView->topLevelItem(0); }
    void select(QTreeWidgetItem *item) { selectNode(*screen->QXTreeView, item); }

    bool companyPanelInFront() const { return screen->RecordPages->currentWidget() == screen->CompanyPanel; }

    // F5 under the selected node, type a name (and an order number), F8.
    void addDepartment(const QString &name, const QString &order = QString())
    {
        press(Qt::Key_F5);
        QCOMPARE(screen->Query->state(), TQXDataset::State::Insert);
        QVERIFY(!companyPanelInFront());
        QCOMPARE(QApplication::focusWidget(), screen->DBEditName);
        // Tab follows the boxes as shown: name, phone, remark.
        QTest::keyClick(screen->DBEditName, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), screen->DBEditPhone);
        QTest::keyClick(screen->DBEditPhone, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), screen->DBEditNote);
        screen->DBEditName->setText(name);
        if (!order.isEmpty())
            screen->DBEditOrder->setText(order);
        press(Qt::Key_F8);
    }

    static QString idOf(const QString &name)
    {
        return cell(QString("SELECT COMPANY_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME='%1'").arg(name));
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void init()
    {
        setUpScreenTest("U1", "张三");
        App().CompanyName = "旧名称";
        run("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,EDIT_RIGHT,DElETE_RIGHT,"
            "BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT,CURRENCY_RIGHT) VALUES('U1',3,5,'是','否','否','是','是','否','否')");
    }

    void cleanup() { tearDownScreenTest(); }

    // From an empty table: the organisation row, departments at every depth, renaming.
    void organisationAndDepartments()
    {
        QSignalSpy renamed(&ScreenMessages::instance(), &ScreenMessages::companyNameChanged);
        open();
        TDeptForm &s = *screen;
        QCOMPARE(root()->text(0), QString("旧名称"));
        QCOMPARE(root()->childCount(), 0);
        QVERIFY(companyPanelInFront());
        QVERIFY(s.Query->isEmpty());

        // Adding with the root selected: a top-level department numbered "B" + time. There
        // is no organisation row yet, and the organisation keeps its name.
        addDepartment("运输部");
        QVERIFY2(messages->all.isEmpty(), qPrintable(messages->all.join(';')));
        QVERIFY(!s.OrganisationMode());
        const QString transport = idOf("运输部");
        QVERIFY2(QRegularExpression("^B\\d{12,15}$").match(transport).hasMatch(), qPrintable(transport));
        QCOMPARE(cell("SELECT PRIOR_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME='运输部'"), QString("G001"));
        QCOMPARE(cell("SELECT ORDER_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME='运输部'"), QString("1"));
        QVERIFY(node("运输部"));
        QVERIFY(companyPanelInFront());
        QCOMPARE(App().CompanyName, QString("旧名称"));
        QCOMPARE(root()->text(0), QString("旧名称"));
        QCOMPARE(renamed.count(), 0);

        // Editing with the root selected creates the organisation row.
        press(Qt::Key_F6);
        QCOMPARE(s.Query->state(), TQXDataset::State::Insert);
        QVERIFY(s.OrganisationMode());
        QVERIFY(companyPanelInFront());
        QVERIFY(!s.TreePanel->isEnabled());
        QCOMPARE(QApplication::focusWidget(), s.DBEditCompanyName);
        s.DBEditCompanyName->setText("红星运输公司");
        s.DBEditCompanyPhone->setText("010-1234");
        s.DBEditCompanyAddress->setText("北京路1号");
        press(Qt::Key_F8);
        QVERIFY2(messages->all.isEmpty(), qPrintable(messages->all.join(';')));
        QCOMPARE(s.Query->state(), TQXDataset::State::Browse);
        QCOMPARE(cell("SELECT COUNT(*) FROM SYS_COMPANY_TABLE"), QString("2"));
        QCOMPARE(cell("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID='G001' AND PRIOR_ID='G002'"),
                 QString("红星运输公司"));
        QCOMPARE(cell("SELECT COMPANY_PHONE FROM SYS_COMPANY_TABLE WHERE COMPANY_ID='G001'"), QString("010-1234"));
        QCOMPARE(cell("SELECT CREATE_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID='G001'"), QString("张三"));
        QCOMPARE(App().CompanyName, QString("红星运输公司"));
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(root()->text(0), QString("红星运输公司"));
        QCOMPARE(s.QXTreeView->NodeCaption(root()), QString("红星运输公司"));
        QCOMPARE(root()->childCount(), 1);  // 运输部 only: the organisation row is no department
        QVERIFY(companyPanelInFront());

        // Editing it again changes the stored row.
        press(Qt::Key_F6);
        QCOMPARE(s.Query->state(), TQXDataset::State::Edit);
        s.DBEditCompanyName->setText("红星集团");
        press(Qt::Key_F8);
        QVERIFY2(messages->all.isEmpty(), qPrintable(messages->all.join(';')));
        QCOMPARE(cell("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID='G001'"), QString("红星集团"));
        QCOMPARE(cell("SELECT EDIT_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID='G001'"), QString("张三"));
        QCOMPARE(App().CompanyName, QString("红星集团"));
        QCOMPARE(renamed.count(), 2);
        QCOMPARE(root()->text(0), QString("红星集团"));

        // A second top-level department; back in browse the organisation is shown again.
        addDepartment("修理部");
        QVERIFY2(messages->all.isEmpty(), qPrintable(messages->all.join(';')));
        QCOMPARE(cell("SELECT ORDER_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME='修理部'"), QString("2"));
        QCOMPARE(cell("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID='G001'"), QString("红星集团"));
        QVERIFY(companyPanelInFront());
        QCOMPARE(s.DBEditCompanyName->text(), QString("红星集团"));
        QCOMPARE(App().CompanyName, QString("红星集团"));
        QCOMPARE(renamed.count(), 2);

        // Departments nest below level 4 (no depth limit).
        const QStringList chain{"运输部", "车队", "一分队", "一班", "一组", "司机组"};
        for (int level = 1; level < chain.size(); ++level) {
            select(node(chain[level - 1]));
            QVERIFY(!companyPanelInFront());
            addDepartment(chain[level]);
            QVERIFY2(messages->all.isEmpty(), qPrintable(messages->all.join(';')));
            QCOMPARE(cell(QString("SELECT PRIOR_ID FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME='%1'").arg(chain[level])),
                     idOf(chain[level - 1]));
        }
        QTreeWidgetItem *deepest = node("司机组");
        QVERIFY(deepest);
        QCOMPARE(TQXTreeView::Level(deepest), 6);

        // Renaming a department: stored, shown, columns not on the screen kept; the
        // organisation stays as it was.
        run("UPDATE SYS_COMPANY_TABLE SET COMPANY_PRINCIPAL='王五' WHERE COMPANY_NAME='车队'");
        select(node("车队"));
        QCOMPARE(s.DBEditName->text(), QString("车队"));
        press(Qt::Key_F6);
        QCOMPARE(s.Query->state(), TQXDataset::State::Edit);
        QCOMPARE(QApplication::focusWidget(), s.DBEditName);
        s.DBEditName->setText("汽车队");
        s.DBEditPhone->setText("8888");
        press(Qt::Key_F8);
        QVERIFY2(messages->all.isEmpty(), qPrintable(messages->all.join(';')));
        QCOMPARE(cell("SELECT COMPANY_PHONE FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME='汽车队'"), QString("8888"));
        QCOMPARE(cell("SELECT COMPANY_PRINCIPAL FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME='汽车队'"), QString("王五"));
        QVERIFY(node("汽车队"));
        QCOMPARE(App().CompanyName, QString("红星集团"));
        QCOMPARE(renamed.count(), 2);
        QCOMPARE(cell("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID='G001'"), QString("红星集团"));
    }

    // Order numbers among siblings: repeated, under another parent, not a number.
    void orderNumber_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("repeated among siblings") << "" << "1" << QStringList{"序号重复"};
        QTest::newRow("same number under another parent") << "运输部" << "1" << QStringList{};
        QTest::newRow("not a number") << "" << "x" << QStringList{"序号是错误的数据"};
    }

    void orderNumber()
    {
        QFETCH(QString, parent);
        QFETCH(QString, order);
        QFETCH(QStringList, warnings);
        addDept("G001", "红星集团", "G002", 1);
        addDept("D1", "运输部", "G001", 1);
        addDept("D2", "修理部", "G001", 2);
        addDept("D3", "车队", "D1", 2);
        open();
        if (!parent.isEmpty())
            select(node(parent));
        addDepartment("新部门", order);
        QCOMPARE(messages->warnings, warnings);
        QCOMPARE(screen->Query->state(), warnings.isEmpty() ? TQXDataset::State::Browse : TQXDataset::State::Insert);
        QCOMPARE(cell("SELECT COUNT(*) FROM SYS_COMPANY_TABLE WHERE COMPANY_NAME='新部门'"), warnings.isEmpty() ? "1" : "0");
        if (!warnings.isEmpty())
            QCOMPARE(QApplication::focusWidget(), screen->DBEditOrder);
    }

    // Deleting: the root, sub-departments (loaded, not loaded, added by another program copy)
    // and every kind of record filed under a department refuse; otherwise it goes.
    void deleting_data()
    {
        QTest::addColumn<QString>("before");     // written before the screen opens
        QTest::addColumn<QString>("meanwhile");  // written through a second connection
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("warning");
        QTest::newRow("root") << "" << "" << "" << "根节点不能删除";
        QTest::newRow("sub-department not loaded")
            << "INSERT INTO SYS_COMPANY_TABLE(COMPANY_ID,COMPANY_NAME,PRIOR_ID,ORDER_ID) VALUES('D9','班组','D1',1)" << ""
            << "运输部" << "请先删除该部门的下级部门";
        QTest::newRow("sub-department of another copy")
            << "" << "INSERT INTO SYS_COMPANY_TABLE(COMPANY_ID,COMPANY_NAME,PRIOR_ID,ORDER_ID) VALUES('D9','班组','D1',1)"
            << "运输部" << "请先删除该部门的下级部门";
        QTest::newRow("employees") << "INSERT INTO QX_EMPLOYEE_TABLE(COMPANY_ID,EMPLOYEE_ID,EMPLOYEE_NAME) VALUES('D1','E1','李四')"
                                   << "" << "运输部" << "有该部门的员工记录的引用,该部门记录不能删除";
        QTest::newRow("income and expenditure")
            << "INSERT INTO QX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,COMPANY_ID) VALUES('M1','D1')" << "" << "运输部"
            << "有该部门的收支记录的引用,该部门记录不能删除";
        QTest::newRow("vehicles") << "INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,CAR_ID,COMPANY_ID) VALUES('C1','京A1','D1')" << ""
                                  << "运输部" << "有该部门的车辆资料的引用,该部门记录不能删除";
        QTest::newRow("work tasks") << "INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,COMPANY_ID) VALUES('W1','D1')" << ""
                                    << "运输部" << "有该部门的车辆工作记录的引用,该部门记录不能删除";
        QTest::newRow("repairs") << "INSERT INTO QX_CAR_REPAIR_TABLE(CAR_REPAIR_ID,COMPANY_ID) VALUES('R1','D1')" << ""
                                 << "运输部" << "有该部门的车辆维修记录的引用,该部门记录不能删除";
        QTest::newRow("records of another department only")
            << "INSERT INTO QX_EMPLOYEE_TABLE(COMPANY_ID,EMPLOYEE_ID,EMPLOYEE_NAME) VALUES('D2','E1','李四')" << ""
            << "运输部" << "";
    }

    void deleting()
    {
        QFETCH(QString, before);
        QFETCH(QString, meanwhile);
        QFETCH(QString, selected);
        QFETCH(QString, warning);
        addDept("G001", "红星集团", "G002", 1);
        addDept("D1", "运输部", "G001", 1);
        addDept("D2", "修理部", "G001", 2);
        if (!before.isEmpty())
            run(before);
        open();
        if (!selected.isEmpty())
            select(node(selected));
        if (!meanwhile.isEmpty())
            db->secondConnection().run(meanwhile);
        messages->answers.enqueue(true);
        press(Qt::Key_F7);
        QCOMPARE(messages->warnings, warning.isEmpty() ? QStringList{} : QStringList{warning});
        QCOMPARE(messages->questions.size(), warning.isEmpty() ? 1 : 0);
        const bool deleted = warning.isEmpty();
        QCOMPARE(cell("SELECT COUNT(*) FROM SYS_COMPANY_TABLE WHERE COMPANY_ID='D1'"), deleted ? "0" : "1");
        QCOMPARE(cell("SELECT COUNT(*) FROM SYS_COMPANY_TABLE WHERE COMPANY_ID='G001'"), QString("1"));
        QCOMPARE(node("运输部") == nullptr, deleted);
    }

    // The printed outline carries each department's phone and remark.
    void outline_data()
    {
        QTest::addColumn<bool>("numbering");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("numbered, from the root")
            << true << "G001"
            << QStringList{"1.运输部|6001|", "  1.车队|6002|夜班", "2.修理部||"};
        QTest::newRow("indented, from a department")
            << false << "D1" << QStringList{"运输部|6001|", "  车队|6002|夜班"};
    }

    void outline()
    {
        QFETCH(bool, numbering);
        QFETCH(QString, from);
        QFETCH(QStringList, expected);
        addDept("G001", "红星集团", "G002", 1, "010");
        addDept("D2", "修理部", "G001", 2);
        addDept("D1", "运输部", "G001", 1, "6001");
        addDept("D3", "车队", "D1", 1, "6002", "夜班");
        const TCategorySetup setup = TDeptForm::Setup();
        TCategoryPrint print(*setup.table, setup.print, nullptr);
        const QList<TCategoryPrint::Row> rows = from == "G001" ? print.Outline(QString(), numbering, from)
                                                               : print.Outline("  ", numbering, from, "运输部", {"6001", ""});
        QStringList shown;
        for (const TCategoryPrint::Row &row : rows)
            shown << row.name + '|' + row.values.join('|');
        QCOMPARE(shown, expected);
    }

    // Both layouts preview the department list with the export shown; the workbook carries
    // the layout's own name (and the running numbers with the sequence column).
    void printPreview_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("exportName");
        QTest::addColumn<QList<QStringList>>("sheet");
        QTest::newRow("outline numbers") << 0 << "公司部门组织结构报表"
                                         << QList<QStringList>{{"部门名称", "电话", "备注"}, {"1.运输部", "6001", "夜班"}};
        QTest::newRow("sequence column") << 1 << "单位部门资料"
                                         << QList<QStringList>{{"序号", "部门名称", "电话", "备注"}, {"1", "运输部", "6001", "夜班"}};
    }

    void printPreview()
    {
        QFETCH(int, option);
        QFETCH(QString, exportName);
        QFETCH(QList<QStringList>, sheet);
        addDept("G001", "红星集团", "G002", 1);
        addDept("D1", "运输部", "G001", 1, "6001", "夜班");
        open();
        QTemporaryDir out;
        const ShownPreview shown = ShownPreview::capture([this] { press(Qt::Key_F11); }, out.path(), option);
        QCOMPARE(shown.choiceTitle, QString("打印选择窗口"));
        QVERIFY2(messages->all.isEmpty(), qPrintable(messages->all.join(';')));
        QVERIFY(shown.pages > 0);
        QVERIFY(shown.exportShown);
        const WorksheetCells cells = WorksheetCells::read(shown.workbook);
        QCOMPARE(cells.name, exportName);
        QCOMPARE(cells.rows(), sheet);
    }
};

QTEST_MAIN(tst_TDeptForm)
#include "tst_tdeptform.moc"
