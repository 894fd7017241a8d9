#include "databaseengine.h"
#include "dbhelpers.h"
#include "descendantcondition.h"
#include "scriptedmessages.h"
#include "testdatabase.h"
#include "tqxtreeview.h"
#include "treetable.h"

#include <QtTest>

class TestTQXTreeView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void composeSql_data();
    void composeSql();
    void loadsOneLevelAtATime();
    void descendantCondition_data();
    void descendantCondition();
    void subtreeConditionFindsTheSubtree();
    void refusals();
    void childrenCountedInTheDatabase();
    void selectionAndCaptions();
};

namespace {

// Work-task categories, three levels under the root, inserted out of ORDER_ID order:
// W1 (order 2) with W11 (with W111) and W12; W2 (order 1).
void addCategories(DatabaseEngine &engine)
{
    const QList<QStringList> rows{{"W1", "运输", "G001", "2"}, {"W11", "短途运输", "W1", "1"},
                                  {"W111", "市内运输", "W11", "1"}, {"W12", "长途运输", "W1", "2"},
                                  {"W2", "吊装", "G001", "1"}};
    for (const QStringList &row : rows) {
        engine.run(QStringLiteral("INSERT INTO QX_WORK_TYPE_TABLE(WORK_TYPE_ID,WORK_TYPE_NAME,PRIOR_ID,ORDER_ID) VALUES(?,?,?,?)"),
                   {row[0], row[1], row[2], row[3].toInt()});
    }
}

// A tree set up as the category screens set it up.
void setUpTree(TQXTreeView &tree)
{
    tree.HookEvents();
    tree.DataBaseName = MainDatabaseName;
    tree.RootId = QStringLiteral("G001");
    tree.RootCaption = QStringLiteral("工作类别");
    tree.SetNodeSql(TQXTreeView::NodeSqlSet::ChildCount, QString(), 0, QString(), QStringLiteral("A"), QString());
    tree.OnExpanding = [&tree](QTreeWidgetItem *node) {
        TreeTable::WorkType().SetLevelStatements(tree, TQXTreeView::Level(node), QStringLiteral("G001"), 3);
    };
}

QStringList childIds(const TQXTreeView &tree, const QTreeWidgetItem *node)
{
    QStringList ids;
    for (int i = 0; i < node->childCount(); ++i)
        ids << (TQXTreeView::IsPlaceholder(node->child(i)) ? QStringLiteral("temp") : tree.NodeId(node->child(i)));
    return ids;
}

QTreeWidgetItem *findNode(const TQXTreeView &tree, const QString &id)
{
    for (QTreeWidgetItemIterator it(const_cast<TQXTreeView *>(&tree)); *it; ++it) {
        if (tree.NodeId(*it) == id)
            return *it;
    }
    return nullptr;
}

} // namespace

void TestTQXTreeView::composeSql_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("childCount");
    QTest::addColumn<QString>("expected");
    QTest::newRow("quoted") << "C" << false << "SELECT A FROM T WHERE PRIOR_ID = 'W1'  ORDER BY ORDER_ID";
    QTest::newRow("quoted, any case") << "c" << true << "SELECT A FROM T WHERE PRIOR_ID = 'W1'  ORDER BY ORDER_ID";
    QTest::newRow("unquoted") << "N" << false << "SELECT A FROM T WHERE PRIOR_ID = W1  ORDER BY ORDER_ID";
    QTest::newRow("children without identifier") << "" << false << "SELECT A FROM T WHERE PRIOR_ID =   ORDER BY ORDER_ID";
    QTest::newRow("count without identifier") << "" << true << "SELECT A FROM T WHERE PRIOR_ID = ";
}

void TestTQXTreeView::composeSql()
{
    QFETCH(QString, kind);
    QFETCH(bool, childCount);
    QFETCH(QString, expected);
    const TQXTreeView::NodeSql set{QStringLiteral("SELECT A FROM T WHERE PRIOR_ID = "), 0, QString(), kind,
                                   QStringLiteral(" ORDER BY ORDER_ID")};
    QCOMPARE(TQXTreeView::ComposeSql(set, QStringLiteral("W1"), childCount), expected);
}

void TestTQXTreeView::loadsOneLevelAtATime()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    addCategories(db.engine());
    TQXTreeView tree;
    setUpTree(tree);
    tree.BuildRoot();

    QCOMPARE(tree.topLevelItemCount(), 1);
    QTreeWidgetItem *root = tree.topLevelItem(0);
    QCOMPARE(tree.NodeId(root), QStringLiteral("G001"));
    QCOMPARE(tree.NodeCaption(root), QStringLiteral("工作类别"));
    QVERIFY(root->isExpanded());
    QCOMPARE(TQXTreeView::ImageIndex(root), 1);
    QCOMPARE(childIds(tree, root), (QStringList{"W2", "W1"}));  // by ORDER_ID
    QTreeWidgetItem *w1 = findNode(tree, QStringLiteral("W1"));
    QTreeWidgetItem *w2 = findNode(tree, QStringLiteral("W2"));
    QVERIFY(TQXTreeView::HoldsOnlyPlaceholder(w1));
    QCOMPARE(w1->child(0)->text(0), QStringLiteral("temp"));
    QCOMPARE(tree.NodeId(w1->child(0)), QString());
    QCOMPARE(TQXTreeView::ImageIndex(w1), 0);
    QCOMPARE(w2->childCount(), 0);
    QCOMPARE(TQXTreeView::ImageIndex(w2), 2);
    QCOMPARE(tree.RecordCount(), 3);

    w1->setExpanded(true);
    QCOMPARE(childIds(tree, w1), (QStringList{"W11", "W12"}));
    QCOMPARE(childIds(tree, findNode(tree, QStringLiteral("W11"))), QStringList{"temp"});
    QCOMPARE(TQXTreeView::ImageIndex(w1), 1);
    QVERIFY(!findNode(tree, QStringLiteral("W111")));

    // Loaded once: collapsing keeps the children, expanding again reads nothing.
    QTreeWidgetItem *w11 = findNode(tree, QStringLiteral("W11"));
    w1->setExpanded(false);
    db.engine().run(QStringLiteral("INSERT INTO QX_WORK_TYPE_TABLE(WORK_TYPE_ID,WORK_TYPE_NAME,PRIOR_ID,ORDER_ID) "
                                   "VALUES('W13','新类别','W1',3)"));
    w1->setExpanded(true);
    QCOMPARE(childIds(tree, w1), (QStringList{"W11", "W12"}));
    QCOMPARE(findNode(tree, QStringLiteral("W11")), w11);
    QVERIFY(messages.all.isEmpty());
}

void TestTQXTreeView::descendantCondition_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("descendants");
    QTest::addColumn<QString>("subtree");
    QTest::newRow("three levels") << "W1" << ""
                                  << " WORK_TYPE_ID = 'W11' OR WORK_TYPE_ID = 'W111' OR WORK_TYPE_ID = 'W12'"
                                  << "(WORK_TYPE_ID = 'W1' OR  WORK_TYPE_ID = 'W11' OR WORK_TYPE_ID = 'W111' OR WORK_TYPE_ID = 'W12')";
    QTest::newRow("three levels, alias")
        << "W1" << "A" << "A.WORK_TYPE_ID = 'W11' OR A.WORK_TYPE_ID = 'W111' OR A.WORK_TYPE_ID = 'W12'"
        << "(A.WORK_TYPE_ID = 'W1' OR A.WORK_TYPE_ID = 'W11' OR A.WORK_TYPE_ID = 'W111' OR A.WORK_TYPE_ID = 'W12')";
    QTest::newRow("one level") << "W11" << "" << " WORK_TYPE_ID = 'W111'" << "(WORK_TYPE_ID = 'W11' OR  WORK_TYPE_ID = 'W111')";
    QTest::newRow("leaf") << "W2" << "" << "" << "WORK_TYPE_ID = 'W2'";
    QTest::newRow("leaf, alias") << "W111" << "A" << "" << "A.WORK_TYPE_ID = 'W111'";
    QTest::newRow("root, depth first")
        << "G001" << ""
        << " WORK_TYPE_ID = 'W1' OR WORK_TYPE_ID = 'W11' OR WORK_TYPE_ID = 'W111' OR WORK_TYPE_ID = 'W12' OR WORK_TYPE_ID = 'W2'"
        << "(WORK_TYPE_ID = 'G001' OR  WORK_TYPE_ID = 'W1' OR WORK_TYPE_ID = 'W11' OR WORK_TYPE_ID = 'W111' OR "
           "WORK_TYPE_ID = 'W12' OR WORK_TYPE_ID = 'W2')";
    QTest::newRow("identifier with a quote") << "W'1" << "" << "" << "WORK_TYPE_ID = 'W''1'";
}

void TestTQXTreeView::descendantCondition()
{
    QFETCH(QString, id);
    QFETCH(QString, alias);
    QFETCH(QString, descendants);
    QFETCH(QString, subtree);
    TestDatabase db(TestDatabase::currentBackend());
    addCategories(db.engine());
    QCOMPARE(DescendantCondition::WorkType(id, alias), descendants);
    QCOMPARE(DescendantCondition::Subtree(TreeTable::WorkType(), id, alias), subtree);
}

void TestTQXTreeView::subtreeConditionFindsTheSubtree()
{
    TestDatabase db(TestDatabase::currentBackend());
    addCategories(db.engine());
    // A parent link looping back is followed once.
    db.engine().run(QStringLiteral("INSERT INTO QX_WORK_TYPE_TABLE(WORK_TYPE_ID,WORK_TYPE_NAME,PRIOR_ID,ORDER_ID) "
                                   "VALUES('W3','环','W4',1),('W4','环','W3',1)"));
    int key = 0;
    for (const char *type : {"W1", "W11", "W111", "W111", "W12", "W2", "W3", "W4"}) {
        ++key;
        db.engine().run(QStringLiteral("INSERT INTO QX_CAR_WORK_TABLE(CAR_WORK_ID,WORK_ID,WORK_TYPE_ID) VALUES(?,?,?)"),
                        {QString::number(key), QString::number(key), QString::fromLatin1(type)});
    }
    const auto count = [](const QString &condition) {
        return GetFieldValue(MainDatabaseName, QStringLiteral("SELECT COUNT(*) FROM QX_CAR_WORK_TABLE A WHERE ") + condition);
    };
    QCOMPARE(count(DescendantCondition::Subtree(TreeTable::WorkType(), QStringLiteral("W1"), QStringLiteral("A"))), "5");
    QCOMPARE(count(DescendantCondition::Subtree(TreeTable::WorkType(), QStringLiteral("W11"), QString())), "3");
    QCOMPARE(count(DescendantCondition::Subtree(TreeTable::WorkType(), QStringLiteral("W3"), QString())), "2");
}

void TestTQXTreeView::refusals()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    addCategories(db.engine());
    TQXTreeView tree;
    setUpTree(tree);
    QVERIFY(!tree.AddNode(nullptr, QStringLiteral("甲"), QStringLiteral("X1")));
    tree.RootId.clear();
    tree.BuildRoot();
    QCOMPARE(tree.topLevelItemCount(), 0);
    tree.RootId = QStringLiteral("G001");
    tree.BuildRoot();
    QTreeWidgetItem *w1 = findNode(tree, QStringLiteral("W1"));
    QVERIFY(!tree.DeleteNode(w1, false));  // its placeholder counts as a child
    QVERIFY(!tree.DeleteNode(nullptr, true));
    QCOMPARE(messages.warnings, (QStringList{"必须有头节点数据及未节点数据", "没有节点ID或没有节点名称，不能建立节点",
                                             "请先删除该节点的子节点"}));
    QVERIFY(findNode(tree, QStringLiteral("W1")));
    QVERIFY(tree.DeleteNode(w1, true));
    QVERIFY(!findNode(tree, QStringLiteral("W1")));
    QVERIFY(tree.ClearTree());
    QCOMPARE(tree.NodeCount(), 0);
    QVERIFY(!tree.AddNode(nullptr, QStringLiteral("甲"), QStringLiteral("X1")));
    QCOMPARE(messages.warnings.size(), 4);
}

// Rows another user added after the tree was loaded still count as children.
void TestTQXTreeView::childrenCountedInTheDatabase()
{
    TestDatabase db(TestDatabase::currentBackend());
    addCategories(db.engine());
    TQXTreeView tree;
    setUpTree(tree);
    tree.BuildRoot();
    QTreeWidgetItem *w2 = findNode(tree, QStringLiteral("W2"));
    QVERIFY(!TreeTable::WorkType().HasChildren(tree, w2));
    db.secondConnection().run(QStringLiteral("INSERT INTO QX_WORK_TYPE_TABLE(WORK_TYPE_ID,WORK_TYPE_NAME,PRIOR_ID,ORDER_ID) "
                                             "VALUES('W21','别人加的','W2',1)"));
    QCOMPARE(w2->childCount(), 0);
    QCOMPARE(TreeTable::WorkType().ChildCount(QStringLiteral("W2")), 1);
    QVERIFY(TreeTable::WorkType().HasChildren(tree, w2));
    QVERIFY(TreeTable::WorkType().HasChildren(tree, findNode(tree, QStringLiteral("W1"))));

    // A node added under a leaf opens its parent.
    QTreeWidgetItem *added = tree.AddNode(w2, QStringLiteral("新类别"), QStringLiteral("W22"));
    QVERIFY(added);
    QVERIFY(w2->isExpanded());
    QCOMPARE(childIds(tree, w2), QStringList{"W22"});
}

void TestTQXTreeView::selectionAndCaptions()
{
    TestDatabase db(TestDatabase::currentBackend());
    addCategories(db.engine());
    TQXTreeView tree;
    setUpTree(tree);
    QStringList changes;
    tree.OnChange = [&](QTreeWidgetItem *node) { changes << tree.NodeId(node); };
    tree.SetColor = true;
    tree.BuildRoot();
    tree.setCurrentItem(tree.topLevelItem(0));
    QVERIFY(changes.isEmpty());
    QVERIFY(!tree.SetColor);
    QTreeWidgetItem *w2 = findNode(tree, QStringLiteral("W2"));
    tree.setCurrentItem(w2);
    QCOMPARE(changes, QStringList{"W2"});
    QCOMPARE(tree.palette().color(QPalette::Inactive, QPalette::Highlight), QColor(0x00, 0x80, 0xC0));

    tree.SetNodeCaption(w2, QStringLiteral("改名"));
    QCOMPARE(tree.NodeCaption(w2), QStringLiteral("改名"));
    QCOMPARE(w2->text(0), QStringLiteral("吊装"));
    tree.RecaptionNodes(QStringLiteral("W2"), QStringLiteral("起重吊装"));
    QCOMPARE(w2->text(0), QStringLiteral("起重吊装"));
}

QTEST_MAIN(TestTQXTreeView)
#include "tst_tqxtreeview.moc"
