#include "databaseengine.h"
#include "descendantcondition.h"
#include "screenfixture.h"
#include "shownpreview.h"
#include "tcarworktypeform.h"
#include "tcartypeform.h"
#include "tcategoryprint.h"
#include "tmoneyintoouttypeform.h"
#include "tqxdbedit.h"
#include "tqxquery.h"
#include "tqxtreeview.h"
#include "treetable.h"
#include "trepairtypeform.h"
#include "worksheetcells.h"

#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using ScreenMaker = std::function<TCategoryForm *(QWidget *)>;
Q_DECLARE_METATYPE(ScreenMaker)

// The category screens driven through their commands, against a fresh database.
class tst_TCategoryForm : public QObject, ScreenFixture
{
    Q_OBJECT

    QPointer<TCategoryForm> screen;

    // A category row written directly (as another program copy would).
    static void addRow(const TreeTable &table, const QString &id, const QString &name, const QString &prior, int order)
    {
        run(QString("INSERT INTO %1(%2,%3,PRIOR_ID,ORDER_ID) VALUES('%4','%5','%6',%7)")
                .arg(table.table, table.idColumn, table.nameColumn, id, name, prior)
                .arg(order));
    }

    void open(TCategoryForm *form)
    {
        screen = form;
        showScreen(form);
    }

    QTreeWidgetItem *node(const QString &caption) const { return findNode(*screen->QXTreeView, caption); }
    QTreeWidgetItem *root() const { return screen->QXTreeView->topLevelItem(0); }
    void select(QTreeWidgetItem *item) { selectNode(*screen->QXTreeView, item); }

    QStringList childCaptions(QTreeWidgetItem *item) const
    {
        QStringList captions;
        for (int i = 0; i < item->childCount(); ++i)
            captions << item->child(i)->text(0);
        return captions;
    }

    // Add under the selected node, type a name (and optionally an order number), save.
    void addCategory(const QString &name, const QString &order = QString())
    {
        screen->button_add->click();
        QCOMPARE(screen->Query->state(), TQXDataset::State::Insert);
        screen->DBEditName->setText(name);
        if (!order.isEmpty())
            screen->DBEditOrder->setText(order);
        screen->button_save->click();
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void init()
    {
        setUpScreenTest("U1", "张三");
        for (int program = 1; program <= 4; ++program)
            run(QString("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,EDIT_RIGHT,DElETE_RIGHT,"
                        "BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT,CURRENCY_RIGHT) VALUES('U1',3,%1,'是','否','否','是','是','否','否')")
                    .arg(program));
    }

    void cleanup() { tearDownScreenTest(); }

    // Add a top-level category, a child and a sibling; rename; refusals; delete.
    void commandsRoad()
    {
        open(new TCarTypeForm(main.get()));
        TCategoryForm &s = *screen;
        QCOMPARE(root()->text(0), QString("车辆类别"));
        QCOMPARE(root()->childCount(), 0);
        QCOMPARE(s.SelectedId(), QString("G001"));
        QVERIFY(s.Query->isActive());
        QVERIFY(s.Query->isEmpty());

        // Root: edit does nothing, delete is refused.
        s.button_edit->click();
        QCOMPARE(s.Query->state(), TQXDataset::State::Browse);
        s.button_delete->click();
        QCOMPARE(messages->warnings, QStringList{"根节点不能删除"});
        messages->clear();

        // A top-level category: PRIOR_ID G001, ORDER_ID 1, tree disabled while editing.
        s.button_add->click();
        QVERIFY(!s.TreePanel->isEnabled());
        QCOMPARE(s.DBEditOrder->text(), QString("1"));
        QCOMPARE(QApplication::focusWidget(), s.DBEditName);
        s.DBEditName->setText("货车");
        s.button_save->click();
        QVERIFY(messages->all.isEmpty());
        QVERIFY(s.TreePanel->isEnabled());
        QCOMPARE(cell("SELECT PRIOR_ID FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_NAME='货车'"), QString("G001"));
        QCOMPARE(cell("SELECT ORDER_ID FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_NAME='货车'"), QString("1"));
        QCOMPARE(cell("SELECT CREATE_NAME FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_NAME='货车'"), QString("张三"));
        QCOMPARE(childCaptions(root()), QStringList{"货车"});
        const QString truckId = cell("SELECT CAR_TYPE_ID FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_NAME='货车'");
        QVERIFY(truckId.startsWith(QDate::currentDate().toString("yyMMdd")));

        // A sibling is numbered after the first; a child of the sibling starts at 1.
        addCategory("客车");
        QCOMPARE(cell("SELECT ORDER_ID FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_NAME='客车'"), QString("2"));
        select(node("货车"));
        QCOMPARE(s.DBEditName->text(), QString("货车"));
        addCategory("大货车");
        QCOMPARE(cell("SELECT PRIOR_ID FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_NAME='大货车'"), truckId);
        QCOMPARE(cell("SELECT ORDER_ID FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_NAME='大货车'"), QString("1"));
        QCOMPARE(childCaptions(node("货车")), QStringList{"大货车"});
        QCOMPARE(s.DBEditName->text(), QString("货车"));  // the selected record is shown again

        // A repeated order number among siblings is refused; under another parent it passes.
        select(root());
        s.button_add->click();
        s.DBEditName->setText("轿车");
        s.DBEditOrder->setText("2");
        s.button_save->click();
        QCOMPARE(messages->warnings, QStringList{"序号重复"});
        QCOMPARE(s.Query->state(), TQXDataset::State::Insert);
        QCOMPARE(QApplication::focusWidget(), s.DBEditOrder);
        s.button_cancel->click();
        messages->clear();
        select(node("客车"));
        addCategory("中巴", "1");
        QVERIFY(messages->all.isEmpty());
        QCOMPARE(cell("SELECT ORDER_ID FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_NAME='中巴'"), QString("1"));

        // Rename: stored, stamped and shown in the tree.
        select(node("货车"));
        s.button_edit->click();
        s.DBEditName->setText("载货车");
        s.button_save->click();
        QVERIFY(messages->all.isEmpty());
        QCOMPARE(cell(QString("SELECT CAR_TYPE_NAME FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_ID='%1'").arg(truckId)), QString("载货车"));
        QCOMPARE(cell(QString("SELECT EDIT_NAME FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_ID='%1'").arg(truckId)), QString("张三"));
        QVERIFY(node("载货车"));
        QCOMPARE(s.QXTreeView->NodeCaption(node("载货车")), QString("载货车"));

        // A node with a sub-category cannot be deleted.
        s.button_delete->click();
        QCOMPARE(messages->warnings, QStringList{"请先删除该车辆类别的下级车辆类别"});
        messages->clear();

        // A leaf used by a vehicle cannot be deleted; once unused it goes after confirmation.
        const QString bigId = cell("SELECT CAR_TYPE_ID FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_NAME='大货车'");
        run(QString("INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,CAR_ID,CAR_TYPE_ID) VALUES('C1','京A1','%1')").arg(bigId));
        select(node("大货车"));
        s.button_delete->click();
        QCOMPARE(messages->warnings, QStringList{"有该车辆类别的车辆资料，该车辆类别不能删除"});
        QVERIFY(messages->questions.isEmpty());
        run("DELETE FROM QX_CAR_TABLE");
        messages->clear();
        messages->answers.enqueue(false);
        s.button_delete->click();
        QCOMPARE(messages->questions.size(), 1);
        QCOMPARE(cell(QString("SELECT COUNT(*) FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_ID='%1'").arg(bigId)), QString("1"));
        messages->answers.enqueue(true);
        s.button_delete->click();
        QCOMPARE(cell(QString("SELECT COUNT(*) FROM QX_CAR_TYPE_TABLE WHERE CAR_TYPE_ID='%1'").arg(bigId)), QString("0"));
        QVERIFY(!node("大货车"));
        QCOMPARE(node("载货车")->childCount(), 0);

        // A sub-category another program copy added meanwhile is counted in the database.
        db->secondConnection().run(QString("INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME,PRIOR_ID,ORDER_ID) "
                                           "VALUES('X1','挂车','%1',1)").arg(truckId));
        select(node("载货车"));
        messages->clear();
        s.button_delete->click();
        QCOMPARE(messages->warnings, QStringList{"请先删除该车辆类别的下级车辆类别"});
        QVERIFY(messages->questions.isEmpty());
    }

    // Children load when their parent expands, ordered by ORDER_ID; adding under a parent
    // whose children are not loaded yet shows the new row only when it expands.
    void lazyLoading()
    {
        const TreeTable &table = TreeTable::RepairType();
        addRow(table, "R1", "发动机", "G001", 2);
        addRow(table, "R2", "车身", "G001", 1);
        addRow(table, "R3", "活塞", "R1", 2);
        addRow(table, "R4", "气门", "R1", 1);
        open(new TRepairTypeForm(main.get()));
        QCOMPARE(childCaptions(root()), (QStringList{"车身", "发动机"}));
        QTreeWidgetItem *engine = node("发动机");
        QVERIFY(TQXTreeView::HoldsOnlyPlaceholder(engine));
        QCOMPARE(node("车身")->childCount(), 0);

        select(engine);
        addCategory("曲轴");
        QVERIFY(messages->all.isEmpty());
        QVERIFY(TQXTreeView::HoldsOnlyPlaceholder(engine));
        QCOMPARE(cell("SELECT ORDER_ID FROM QX_REPAIR_TYPE_TABLE WHERE REPAIR_TYPE_NAME='曲轴'"), QString("3"));
        engine->setExpanded(true);
        QCOMPARE(childCaptions(engine), (QStringList{"气门", "活塞", "曲轴"}));
        QCOMPARE(TQXTreeView::ImageIndex(engine), 1);
        engine->setExpanded(false);
        QCOMPARE(TQXTreeView::ImageIndex(engine), 0);
    }

    // A changed order number moves the node among its loaded siblings, which keep their
    // expanded children; the moved node stays selected. A new node takes its place too.
    void reordering()
    {
        const TreeTable &table = TreeTable::WorkType();
        addRow(table, "W1", "运输", "G001", 10);
        addRow(table, "W2", "吊装", "G001", 20);
        addRow(table, "W3", "拖车", "G001", 30);
        addRow(table, "W11", "短途", "W1", 1);
        open(new TCarWorkTypeForm(main.get()));
        TCategoryForm &s = *screen;
        node("运输")->setExpanded(true);
        QCOMPARE(childCaptions(node("运输")), QStringList{"短途"});

        select(node("拖车"));
        s.button_edit->click();
        s.DBEditOrder->setText("5");
        s.button_save->click();
        QVERIFY(messages->all.isEmpty());
        QCOMPARE(childCaptions(root()), (QStringList{"拖车", "运输", "吊装"}));
        QCOMPARE(s.QXTreeView->currentItem(), node("拖车"));
        QCOMPARE(s.SelectedId(), QString("W3"));
        QVERIFY(node("运输")->isExpanded());
        QCOMPARE(childCaptions(node("运输")), QStringList{"短途"});

        select(root());
        addCategory("起重", "15");
        QVERIFY(messages->all.isEmpty());
        QCOMPARE(childCaptions(root()), (QStringList{"拖车", "运输", "起重", "吊装"}));
        QCOMPARE(s.QXTreeView->currentItem(), root());
    }

    // Per screen: the depth limit, the sub-category refusal and the usage refusal.
    void refusals_data()
    {
        QTest::addColumn<ScreenMaker>("make");
        QTest::addColumn<QString>("usageInsert");
        QTest::addColumn<QString>("levelMessage");
        QTest::addColumn<QString>("childMessage");
        QTest::addColumn<QString>("usageMessage");
        QTest::newRow("vehicle") << ScreenMaker([](QWidget *w) -> TCategoryForm * { return new TCarTypeForm(w); })
                                 << "INSERT INTO QX_CAR_TABLE(CAR_RECORD_ID,CAR_ID,CAR_TYPE_ID) VALUES('C1','京A1','L4')"
                                 << "车辆类别只能有四级" << "请先删除该车辆类别的下级车辆类别"
                                 << "有该车辆类别的车辆资料，该车辆类别不能删除";
        QTest::newRow("repair") << ScreenMaker([](QWidget *w) -> TCategoryForm * { return new TRepairTypeForm(w); })
                                << "INSERT INTO QX_CAR_REPAIR_TABLE(CAR_REPAIR_ID,REPAIR_TYPE_ID) VALUES('P1','L4')"
                                << "维修类别只能有四级" << "请先删除该维修类别的下级维修类别"
                                << "有该维修类别的车辆维修记录，该维修类别不能删除";
        QTest::newRow("work") << ScreenMaker([](QWidget *w) -> TCategoryForm * { return new TCarWorkTypeForm(w); })
                              << "INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_TYPE_ID) VALUES('W1','L4')"
                              << "工作类别只能有四级" << "请先删除该工作类别的下级工作类别"
                              << "有该工作类别的车辆工作记录，该工作类别不能删除";
        QTest::newRow("account") << ScreenMaker([](QWidget *w) -> TCategoryForm * { return new TMoneyIntoOutTypeForm(w); })
                                 << "INSERT INTO QX_INTO_OUT_MONEY_TABLE(MONEY_RECORD_ID,MONEY_TYPE_ID) VALUES('M1','L4')"
                                 << "帐款类别只能有四级" << "请先删除该帐款类别的下级帐款类别"
                                 << "有该帐款类别的收支记录，该帐款类别不能删除";
    }

    void refusals()
    {
        QFETCH(ScreenMaker, make);
        QFETCH(QString, usageInsert);
        QFETCH(QString, levelMessage);
        QFETCH(QString, childMessage);
        QFETCH(QString, usageMessage);
        open(make(main.get()));
        const TreeTable &table = *screen->Setup().table;
        addRow(table, "L1", "一级", "G001", 1);
        addRow(table, "L2", "二级", "L1", 1);
        addRow(table, "L3", "三级", "L2", 1);
        addRow(table, "L4", "四级", "L3", 1);
        delete screen;
        open(make(main.get()));
        for (const char *caption : {"一级", "二级", "三级"})
            node(caption)->setExpanded(true);
        QTreeWidgetItem *fourth = node("四级");
        QVERIFY(fourth);
        QCOMPARE(fourth->childCount(), 0);  // level-4 nodes are not counted: no expand button
        QCOMPARE(TQXTreeView::Level(fourth), 4);

        select(node("三级"));
        screen->button_delete->click();
        QCOMPARE(messages->warnings, QStringList{childMessage});
        messages->clear();

        select(fourth);
        screen->button_add->click();
        QCOMPARE(messages->warnings, QStringList{levelMessage});
        QCOMPARE(screen->Query->state(), TQXDataset::State::Browse);
        messages->clear();

        run(usageInsert);
        screen->button_delete->click();
        QCOMPARE(messages->warnings, QStringList{usageMessage});
        QVERIFY(messages->questions.isEmpty());
        QCOMPARE(cell(QString("SELECT COUNT(*) FROM %1 WHERE %2='L4'").arg(table.table, table.idColumn)), QString("1"));
    }

    // An account category's names go with it, in one transaction with the category.
    void accountNames_data()
    {
        QTest::addColumn<QString>("refusingTable");  // deletes from it fail; empty: none
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<int>("categoriesLeft");
        QTest::addColumn<int>("namesLeft");
        QTest::newRow("deleted together") << QString() << QStringList{} << 0 << 0;
        QTest::newRow("names cannot be deleted")
            << "QX_MONEY_NAME_TABLE" << QStringList{"该帐款类别的帐款名称删除过程发生错误"} << 1 << 2;
        QTest::newRow("category cannot be deleted")
            << "QX_MONEY_INTO_OUT_TYPE_TABLE" << QStringList{"数据删除过程发生错误"} << 1 << 2;
    }

    void accountNames()
    {
        QFETCH(QString, refusingTable);
        QFETCH(QStringList, warnings);
        QFETCH(int, categoriesLeft);
        QFETCH(int, namesLeft);
        open(new TMoneyIntoOutTypeForm(main.get()));
        addCategory("运输收入");
        QVERIFY(messages->all.isEmpty());
        const QString id = cell("SELECT MONEY_TYPE_ID FROM QX_MONEY_INTO_OUT_TYPE_TABLE");
        QVERIFY(id.startsWith('A'));
        run(QString("INSERT INTO QX_MONEY_NAME_TABLE(MONEY_TYPE_ID,MONEY_NAME) VALUES('%1','运费')").arg(id));
        run(QString("INSERT INTO QX_MONEY_NAME_TABLE(MONEY_TYPE_ID,MONEY_NAME) VALUES('%1','装卸费')").arg(id));
        run("INSERT INTO QX_MONEY_NAME_TABLE(MONEY_TYPE_ID,MONEY_NAME) VALUES('OTHER','租金')");
        if (!refusingTable.isEmpty())
            db->addRefusal("keep_rows", "BEFORE DELETE ON " + refusingTable, "kept");

        select(node("运输收入"));
        messages->answers.enqueue(true);
        screen->button_delete->click();
        QCOMPARE(messages->warnings, warnings);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_MONEY_INTO_OUT_TYPE_TABLE").toInt(), categoriesLeft);
        QCOMPARE(cell(QString("SELECT COUNT(*) FROM QX_MONEY_NAME_TABLE WHERE MONEY_TYPE_ID='%1'").arg(id)).toInt(), namesLeft);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_MONEY_NAME_TABLE WHERE MONEY_TYPE_ID='OTHER'"), QString("1"));
        QCOMPARE(bool(node("运输收入")), categoriesLeft == 1);
    }

    // The printed outline: numbering, padding per count of siblings, indentation, order.
    void outline_data()
    {
        QTest::addColumn<int>("siblings");
        QTest::addColumn<bool>("numbering");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("example, numbered") << 0 << true
                                           << QStringList{"货车|整车", "  1.小货车|", "  2.大货车|重", "    1.挂车|"};
        QTest::newRow("example, indented") << 0 << false
                                           << QStringList{"货车|整车", "  小货车|", "  大货车|重", "    挂车|"};
        QTest::newRow("ten siblings") << 10 << true << QStringList{"  1. 子1|", "  9. 子9|", "  10.子10|"};
        QTest::newRow("hundred siblings")
            << 100 << true << QStringList{"  1.  子1|", "  9.  子9|", "  10. 子10|", "  99. 子99|", "  100.子100|"};
    }

    void outline()
    {
        QFETCH(int, siblings);
        QFETCH(bool, numbering);
        QFETCH(QStringList, expected);
        const TreeTable &table = TreeTable::CarType();
        TCategoryPrint print(table, TCategoryPrint::Layout::Categories(table, "车辆类别资料"), nullptr);
        QList<TCategoryPrint::Row> rows;
        if (siblings == 0) {
            addRow(table, "T1", "货车", "G001", 1);
            addRow(table, "T3", "大货车", "T1", 2);
            addRow(table, "T2", "小货车", "T1", 1);
            addRow(table, "T4", "挂车", "T3", 1);
            addRow(table, "T5", "客车", "G001", 2);
            run("UPDATE QX_CAR_TYPE_TABLE SET NOTE='重' WHERE CAR_TYPE_ID='T3'");
            rows = print.Outline("  ", numbering, "T1", "货车", {"整车"});
        } else {
            for (int i = 1; i <= siblings; ++i)
                addRow(table, QString("S%1").arg(i), QString("子%1").arg(i), "G001", i);
            rows = print.Outline("  ", numbering, "G001");
            QCOMPARE(rows.size(), siblings);
        }
        QStringList shown;
        for (const TCategoryPrint::Row &row : rows)
            shown << row.name + '|' + row.values.join('|');
        for (const QString &line : expected)
            QVERIFY2(shown.contains(line), qPrintable(line + " not in " + shown.join(';')));
        if (siblings == 0)
            QCOMPARE(shown, expected);
    }

    // Print choice, the empty-list refusal and the preview with its export: the button is
    // shown and the workbook holds the printed list (running numbers with the sequence column).
    void print_data()
    {
        QTest::addColumn<bool>("rows");
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QList<QStringList>>("sheet");  // empty: nothing previewed
        QTest::newRow("numbered names") << true << 0 << QStringList{}
                                        << QList<QStringList>{{"车辆类别", "备注"}, {"1.货车"}, {"1.大货车", "重"}};
        QTest::newRow("sequence column") << true << 1 << QStringList{}
                                         << QList<QStringList>{{"序号", "车辆类别", "备注"}, {"1", "货车"}, {"2", "大货车", "重"}};
        QTest::newRow("sequence column, no data") << false << 1 << QStringList{"没有数据，不能打印"} << QList<QStringList>{};
    }

    void print()
    {
        QFETCH(bool, rows);
        QFETCH(int, option);
        QFETCH(QStringList, warnings);
        QFETCH(QList<QStringList>, sheet);
        if (rows) {
            addRow(TreeTable::CarType(), "T1", "货车", "G001", 1);
            addRow(TreeTable::CarType(), "T2", "大货车", "T1", 1);
            run("UPDATE QX_CAR_TYPE_TABLE SET NOTE='重' WHERE CAR_TYPE_ID='T2'");
        }
        open(new TCarTypeForm(main.get()));
        QTemporaryDir out;
        const ShownPreview shown = ShownPreview::capture([this] { screen->button_print->click(); }, out.path(), option);
        QCOMPARE(shown.choiceTitle, QString("打印选择窗口"));
        QVERIFY2(messages->warnings == warnings, qPrintable(messages->warnings.join(';')));
        QCOMPARE(shown.pages > 0, !sheet.isEmpty());
        if (sheet.isEmpty())
            return;
        QVERIFY(shown.exportShown);
        const WorksheetCells cells = WorksheetCells::read(shown.workbook);
        QCOMPARE(cells.name, QString("车辆类别资料"));
        QCOMPARE(cells.rows(), sheet);
    }

    // A node stands for its whole subtree in searches.
    void subtreeCondition()
    {
        const TreeTable &table = TreeTable::WorkType();
        addRow(table, "A1", "运输", "G001", 1);
        addRow(table, "A2", "短途", "A1", 1);
        addRow(table, "A3", "市内", "A2", 1);
        addRow(table, "A4", "长途", "A1", 2);
        addRow(table, "A5", "工程", "G001", 2);
        run("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_TYPE_ID) VALUES('W1','A3')");
        run("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_TYPE_ID) VALUES('W2','A4')");
        run("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_TYPE_ID) VALUES('W3','A5')");
        const QString condition = DescendantCondition::Subtree(table, "A1", "A");
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE A WHERE " + condition), QString("2"));
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE A WHERE " + DescendantCondition::Subtree(table, "A5", "A")),
                 QString("1"));
    }
};

QTEST_MAIN(tst_TCategoryForm)
#include "tst_tcategoryform.moc"
