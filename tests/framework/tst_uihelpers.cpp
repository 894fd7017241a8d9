#include "apperror.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "scriptedmessages.h"
#include "searchtarget.h"
#include "testdatabase.h"
#include "tthreadform.h"
#include "uihelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// A query that records what RunSearch does with it and what the user saw meanwhile.
class FakeSearch final : public SearchTarget
{
public:
    int rows = 0;
    bool failOpen = false;
    QStringList calls;
    bool busyWhileOpening = false;
    QString progressCaption;
    bool progressModal = false;

    void closeQuery() override { calls << QStringLiteral("close"); }
    void setSqlText(const QString &sql) override { calls << QStringLiteral("sql:") + sql; }
    void openQuery() override
    {
        calls << QStringLiteral("open");
        const QCursor *cursor = QApplication::overrideCursor();
        busyWhileOpening = cursor && cursor->shape() == Qt::BusyCursor;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *form = qobject_cast<TThreadForm *>(widget); form && form->isVisible()) {
                progressCaption = form->windowTitle();
                progressModal = form->windowModality() == Qt::ApplicationModal;
            }
        }
        if (failOpen)
            throw DatabaseError(QStringLiteral("no such table: NOWHERE"));
    }
    int recordCount() override { return rows; }
};

bool progressWindowVisible()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TThreadForm *>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

} // namespace

class TestUiHelpers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }
    void runSearch_data();
    void runSearch();
    void applyInputMethod_data();
    void applyInputMethod();
    void inputMethodStaysOffWhenEditable();
    void fillComboItems();
    void checkScreenSize();
};

void TestUiHelpers::runSearch_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("failOpen");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("nothing found") << 0 << false << QStringList{QStringLiteral("没有找到符合条件的纪录")};
    QTest::newRow("one found") << 1 << false << QStringList{QStringLiteral("共找到 1 个符合条件的纪录")};
    QTest::newRow("many found") << 128 << false << QStringList{QStringLiteral("共找到 128 个符合条件的纪录")};
    QTest::newRow("open fails") << 5 << true << QStringList();
}

void TestUiHelpers::runSearch()
{
    QFETCH(int, rows);
    QFETCH(bool, failOpen);
    QFETCH(QStringList, warnings);

    ScriptedMessages messages;
    FakeSearch query;
    query.rows = rows;
    query.failOpen = failOpen;
    const QString sql = QStringLiteral("SELECT * FROM SYS_USER_TABLE  ORDER BY USE_ID");

    QString failure;
    try {
        RunSearch(query, sql);
    } catch (const DatabaseError &error) {
        failure = error.message();
    }

    QCOMPARE(failure, failOpen ? QStringLiteral("no such table: NOWHERE") : QString());
    QCOMPARE(query.calls, QStringList({QStringLiteral("close"), QStringLiteral("sql:") + sql, QStringLiteral("open")}));
    QVERIFY(query.busyWhileOpening);
    QCOMPARE(query.progressCaption, QStringLiteral("正在读取数据，请稍候....."));
    QVERIFY(query.progressModal);
    QCOMPARE(messages.warnings, warnings);
    QVERIFY(messages.errors.isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(!progressWindowVisible());
}

void TestUiHelpers::applyInputMethod_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("text box") << "text" << true;
    QTest::newRow("text kind declared") << "declaredText" << true;
    QTest::newRow("memo") << "memo" << true;
    QTest::newRow("editable drop-down") << "combo" << true;
    QTest::newRow("number box") << "number" << false;
    QTest::newRow("date box") << "date" << false;
    QTest::newRow("time box") << "time" << false;
    QTest::newRow("password box") << "password" << false;
    QTest::newRow("date edit") << "dateEdit" << false;
    QTest::newRow("inside the date edit") << "dateEditInner" << false;
    QTest::newRow("spin box") << "spin" << false;
    QTest::newRow("grid") << "grid" << false;
    QTest::newRow("tag 100 number box left on") << "taggedNumber" << true;
    QTest::newRow("tag 100 text box left off") << "taggedText" << false;
}

void TestUiHelpers::applyInputMethod()
{
    QFETCH(QString, control);
    QFETCH(bool, enabled);

    QWidget screen;
    auto *layout = new QVBoxLayout(&screen);
    auto lineEdit = [&](const QString &name, const QString &kind) {
        auto *edit = new QLineEdit(&screen);
        edit->setObjectName(name);
        if (!kind.isNull())
            edit->setProperty("editKind", kind);
        layout->addWidget(edit);
        return edit;
    };
    lineEdit("text", QString());
    lineEdit("declaredText", "text");
    lineEdit("number", "number");
    lineEdit("date", "date");
    lineEdit("time", "time");
    lineEdit("password", QString())->setEchoMode(QLineEdit::Password);
    QLineEdit *taggedNumber = lineEdit("taggedNumber", "number");
    taggedNumber->setProperty("tag", 100);
    QLineEdit *taggedText = lineEdit("taggedText", QString());
    taggedText->setProperty("tag", 100);
    taggedText->setAttribute(Qt::WA_InputMethodEnabled, false);

    auto *memo = new QTextEdit(&screen);
    memo->setObjectName("memo");
    memo->setAttribute(Qt::WA_InputMethodEnabled, false);
    layout->addWidget(memo);
    auto *combo = new QComboBox(&screen);
    combo->setObjectName("combo");
    combo->setEditable(true);
    combo->setAttribute(Qt::WA_InputMethodEnabled, false);
    layout->addWidget(combo);
    auto *dateEdit = new QDateEdit(&screen);
    dateEdit->setObjectName("dateEdit");
    dateEdit->findChild<QLineEdit *>()->setObjectName("dateEditInner");
    layout->addWidget(dateEdit);
    auto *spin = new QSpinBox(&screen);
    spin->setObjectName("spin");
    layout->addWidget(spin);
    auto *grid = new QTableWidget(2, 2, &screen);
    grid->setObjectName("grid");
    grid->setAttribute(Qt::WA_InputMethodEnabled, true);
    layout->addWidget(grid);

    ApplyInputMethod(&screen, QStringLiteral("中文(简体) - 搜狗拼音输入法"));

    auto *widget = screen.findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(widget->testAttribute(Qt::WA_InputMethodEnabled), enabled);
}

void TestUiHelpers::inputMethodStaysOffWhenEditable()
{
    QWidget screen;
    auto *number = new QLineEdit(&screen);
    number->setProperty("editKind", "number");
    number->setReadOnly(true);
    auto *text = new QLineEdit(&screen);
    text->setReadOnly(true);
    auto *dateEdit = new QDateEdit(&screen);
    dateEdit->setReadOnly(true);

    ApplyInputMethod(&screen, QString());
    number->setReadOnly(false);
    text->setReadOnly(false);
    dateEdit->setReadOnly(false);

    QVERIFY(!number->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(!dateEdit->findChild<QLineEdit *>()->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(text->testAttribute(Qt::WA_InputMethodEnabled));

    // Declared a text box later and applied again: it takes the input method from then on.
    number->setProperty("editKind", "text");
    ApplyInputMethod(&screen, QString());
    number->setReadOnly(true);
    number->setReadOnly(false);
    QVERIFY(number->testAttribute(Qt::WA_InputMethodEnabled));
}

void TestUiHelpers::fillComboItems()
{
    TestDatabase database(TestDatabase::currentBackend());
    QVERIFY(ExecuteSQL(MainDatabaseName, QStringLiteral("CREATE TABLE T_NAMES (ID TEXT, NAME TEXT)")));
    QVERIFY(ExecuteSQL(MainDatabaseName,
                       QStringLiteral("INSERT INTO T_NAMES VALUES ('3','丙'), ('1','甲'), ('2',NULL), ('4','丁')")));

    QComboBox list;
    list.addItems({QStringLiteral("旧项目"), QStringLiteral("另一项")});
    auto rows = OpenSQL(MainDatabaseName, QStringLiteral("SELECT ID, NAME FROM T_NAMES ORDER BY ID"));
    rows->next();
    rows->next();
    FillComboItems(&list, *rows, QStringLiteral("NAME"));
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.itemText(i);
    QCOMPARE(items, QStringList({"甲", "", "丙", "丁"}));

    auto none = OpenSQL(MainDatabaseName, QStringLiteral("SELECT ID FROM T_NAMES WHERE ID = 'x'"));
    FillComboItems(&list, *none, QStringLiteral("ID"));
    QCOMPARE(list.count(), 0);
}

void TestUiHelpers::checkScreenSize()
{
    ScriptedMessages messages;
    const int width = QGuiApplication::primaryScreen()->geometry().width();
    QCOMPARE(CheckScreenSize(nullptr), width);
    const QStringList expected = width < 1024
        ? QStringList{QStringLiteral("系统需要1024 × 768的屏幕分辨率才能正常显示,系统要调整分辨率到1024 × 768，"
                                     "您以后在运行本软件前请将屏幕分辨率设定为：1024 × 768,此时屏幕会闪一下出现黑屏")}
        : QStringList();
    QCOMPARE(messages.warnings, expected);
}

QTEST_MAIN(TestUiHelpers)
#include "tst_uihelpers.moc"
