#include "appvalues.h"
#include "cartypetestform.h"
#include "dbhelpers.h"
#include "screenfixture.h"
#include "screenmessages.h"

#include <QSignalSpy>
#include <QtTest>

// The document screen driven with the keyboard alone: F5 add, typing, Enter, F8 save,
// F6 edit, F9 cancel, F7 delete with confirmation, F12 close; with and without rights.
class tst_TQXDForm : public QObject, ScreenFixture
{
    Q_OBJECT

    QPointer<TCarTypeTestForm> screen;

    void grant(const QString &add, const QString &print)
    {
        QVERIFY(ExecuteSQL(MainDatabaseName,
                           QString("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,EDIT_RIGHT,DElETE_RIGHT,"
                                   "BROWSE_RIGHT,PRINT_RIGHT,VERIFY_RIGHT,CURRENCY_RIGHT) VALUES('U1',3,1,'%1','否','否','是','%2','否','否')")
                               .arg(add, print)));
    }

    void open(bool programNames = true)
    {
        screen = new TCarTypeTestForm(main.get());
        if (!programNames)
            screen->ComposeName.clear();
        showScreen(screen);
    }

    static QColor base(const QWidget *widget) { return widget->palette().color(QPalette::Base); }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void init() { setUpScreenTest("U1", "张三"); }

    void cleanup() { tearDownScreenTest(); }

    void keyboardRoad()
    {
        grant("是", "是");
        QSignalSpy closed(&ScreenMessages::instance(), &ScreenMessages::screenClosed);
        open();
        TCarTypeTestForm &s = *screen;
        auto *list = s.findChild<QTableView *>("ListGrid");
        QCOMPARE(focused(), s.ToolBar1);
        QVERIFY(s.button_add->isEnabled());
        QVERIFY(!s.button_save->isEnabled());

        // F5: a new record with its automatic values, the name box focused and highlighted.
        press(Qt::Key_F5);
        QCOMPARE(s.Query->state(), TQXDataset::State::Insert);
        QCOMPARE(focused(), s.DBEditName);
        QVERIFY(s.DBEditId->text().startsWith('A'));
        QVERIFY(s.DBEditId->isReadOnly());
        QVERIFY(!s.DBEditName->isReadOnly());
        QCOMPARE(s.DBEditCreateName->text(), QString("张三"));
        QCOMPARE(s.DBEditCreateDate->text(), QDate::currentDate().toString("yyyy-MM-dd"));
        QCOMPARE(base(s.DBEditName), QColor::fromRgb(App().ColorOnFocus));
        QCOMPARE(base(s.DBEditId), QColor::fromRgb(App().EditColor));
        QVERIFY(!list->isEnabled());
        QVERIFY(!s.button_add->isEnabled());
        QVERIFY(s.button_save->isEnabled());

        // Type, Enter to the next box, type, F8 while the cursor is still in that box.
        type("大货车");
        press(Qt::Key_Return);
        QCOMPARE(focused(), s.DBEditOrder);
        type("3");
        press(Qt::Key_F8);
        QCOMPARE(s.Query->state(), TQXDataset::State::Browse);
        QCOMPARE(cell("SELECT CAR_TYPE_NAME FROM QX_CAR_TYPE_TABLE"), QString("大货车"));
        QCOMPARE(cell("SELECT ORDER_ID FROM QX_CAR_TYPE_TABLE"), QString("3"));
        QCOMPARE(cell("SELECT CREATE_NAME FROM QX_CAR_TYPE_TABLE"), QString("张三"));
        QVERIFY(s.DBEditName->isReadOnly());
        QVERIFY(list->isEnabled());
        QVERIFY(s.button_add->isEnabled());
        QVERIFY(!s.button_save->isEnabled());

        // F6, change the name, F9: the change is gone from the box and the table.
        press(Qt::Key_F6);
        QCOMPARE(s.Query->state(), TQXDataset::State::Edit);
        QCOMPARE(focused(), s.DBEditName);
        press(Qt::Key_A, Qt::ControlModifier);
        type("小客车");
        QCOMPARE(s.DBEditName->text(), QString("小客车"));
        // Closing is refused while editing.
        press(Qt::Key_F12);
        QVERIFY(screen);
        QVERIFY(s.isVisible());
        QCOMPARE(messages->warnings, QStringList{"必须先保存或取消新增的数据或修改后的数据"});
        press(Qt::Key_F9);
        QCOMPARE(s.Query->state(), TQXDataset::State::Browse);
        QCOMPARE(s.DBEditName->text(), QString("大货车"));
        QCOMPARE(cell("SELECT CAR_TYPE_NAME FROM QX_CAR_TYPE_TABLE"), QString("大货车"));

        // F6 again, Up and Down through the boxes, change, F8 stores it with the edit stamps.
        press(Qt::Key_F6);
        press(Qt::Key_Up);
        QCOMPARE(focused(), s.DBEditId);
        press(Qt::Key_Down);
        QCOMPARE(focused(), s.DBEditName);
        press(Qt::Key_A, Qt::ControlModifier);
        type("小客车");
        press(Qt::Key_F8);
        QCOMPARE(cell("SELECT CAR_TYPE_NAME FROM QX_CAR_TYPE_TABLE"), QString("小客车"));
        QCOMPARE(cell("SELECT EDIT_NAME FROM QX_CAR_TYPE_TABLE"), QString("张三"));

        // Typing in browse state changes nothing.
        s.DBEditName->setFocus();
        type("x");
        press(Qt::Key_Backspace);
        QCOMPARE(s.DBEditName->text(), QString("小客车"));

        // F10 and F11 reach the screen's find and print.
        press(Qt::Key_F10);
        press(Qt::Key_F11);
        QCOMPARE(s.finds, 1);
        QCOMPARE(s.prints, 1);

        // F7 asks first; No keeps the record, Yes deletes it.
        press(Qt::Key_F7);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_TYPE_TABLE"), QString("1"));
        messages->answers.enqueue(true);
        press(Qt::Key_F7);
        QCOMPARE(messages->questions, (QStringList{"请确认是否删除 ?", "请确认是否删除 ?"}));
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_TYPE_TABLE"), QString("0"));
        QVERIFY(s.DBEditName->text().isEmpty());

        // F12 closes and frees the screen and tells the main window.
        QCOMPARE(closed.count(), 0);
        press(Qt::Key_F12);
        QCOMPARE(closed.count(), 1);
        QTRY_VERIFY(!screen);
        QCOMPARE(messages->errors, QStringList());
    }

    void refusedSaveStaysInAdd()
    {
        grant("是", "是");
        open();
        press(Qt::Key_F5);
        press(Qt::Key_F8);
        QCOMPARE(messages->warnings, QStringList{"类别名称必须有一个值"});
        QCOMPARE(screen->Query->state(), TQXDataset::State::Insert);
        QCOMPARE(focused(), screen->DBEditName);
        QVERIFY(screen->button_save->isEnabled());
    }

    void textSetByCodeIsSaved()
    {
        grant("是", "是");
        open();
        press(Qt::Key_F5);
        type("吊车");
        // A picker fills a box that does not have the focus.
        screen->DBMemoNote->setPlainText("由选择窗口填写");
        press(Qt::Key_F8);
        QCOMPARE(screen->Query->state(), TQXDataset::State::Browse);
        QCOMPARE(cell("SELECT NOTE FROM QX_CAR_TYPE_TABLE"), QString("由选择窗口填写"));
    }

    void editOnEmptyListDoesNothing()
    {
        grant("是", "是");
        open();
        press(Qt::Key_F6);
        QCOMPARE(screen->Query->state(), TQXDataset::State::Browse);
        press(Qt::Key_F7);
        QVERIFY(messages->questions.isEmpty());
    }

    void rights_data()
    {
        QTest::addColumn<QString>("add");    // rights row values; empty: no row at all
        QTest::addColumn<QString>("print");
        QTest::addColumn<bool>("programNames");
        QTest::addColumn<bool>("mayAdd");    // add, edit and delete
        QTest::addColumn<bool>("mayPrint");

        QTest::newRow("all rights") << "是" << "是" << true << true << true;
        QTest::newRow("no add right") << "否" << "是" << true << false << true;
        QTest::newRow("no print right") << "是" << "否" << true << true << false;
        QTest::newRow("no rights row") << "" << "" << true << false << false;
        QTest::newRow("screen names no program") << "否" << "否" << false << true << false;
    }

    void rights()
    {
        QFETCH(QString, add);
        QFETCH(QString, print);
        QFETCH(bool, programNames);
        QFETCH(bool, mayAdd);
        QFETCH(bool, mayPrint);

        if (!add.isEmpty())
            grant(add, print);
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME) VALUES('A1','吊车')"));
        open(programNames);
        TCarTypeTestForm &s = *screen;
        QCOMPARE(s.button_add->isEnabled(), mayAdd);
        QCOMPARE(s.button_edit->isEnabled(), mayAdd);
        QCOMPARE(s.button_delete->isEnabled(), mayAdd);
        QCOMPARE(s.button_print->isEnabled(), mayPrint);
        QVERIFY(s.button_find->isEnabled());
        QVERIFY(!s.button_save->isEnabled());

        press(Qt::Key_F6);
        QCOMPARE(s.Query->state(), mayAdd ? TQXDataset::State::Edit : TQXDataset::State::Browse);
        press(Qt::Key_F9);
        press(Qt::Key_F11);
        QCOMPARE(s.prints, mayPrint ? 1 : 0);
        messages->answers.enqueue(true);
        press(Qt::Key_F7);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_CAR_TYPE_TABLE"), QString(mayAdd ? "0" : "1"));
        // Rights hold after a state change.
        press(Qt::Key_F5);
        QCOMPARE(s.Query->isEditing(), mayAdd);
        press(Qt::Key_F9);
        QCOMPARE(s.button_add->isEnabled(), mayAdd);
        QCOMPARE(s.button_print->isEnabled(), mayPrint);
    }

    void navigationWarnings()
    {
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME) VALUES('A1','吊车')"));
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME) VALUES('A2','铲车')"));
        open();
        TCarTypeTestForm &s = *screen;
        for (QToolButton *button : {s.button_First, s.button_Prior, s.button_next, s.button_Last})
            button->show();
        QCOMPARE(s.DBEditName->text(), QString("吊车"));
        s.button_Prior->click();
        s.button_next->click();
        QCOMPARE(s.DBEditName->text(), QString("铲车"));
        s.button_next->click();
        s.button_First->click();
        QCOMPARE(messages->warnings, (QStringList{"已到第一个纪录", "已到最后一个纪录"}));
        QCOMPARE(s.Query->currentRow(), 0);
        s.Query->setSql("SELECT  *  FROM  QX_CAR_TYPE_TABLE WHERE CAR_TYPE_ID = 'none'");
        s.Query->OpenQuery();
        messages->clear();
        s.button_Last->click();
        s.button_Prior->click();
        QCOMPARE(messages->warnings, (QStringList{"没有数据记录", "没有数据记录"}));
    }
};

QTEST_MAIN(tst_TQXDForm)
#include "tst_tqxdform.moc"
