#include "appvalues.h"
#include "databaseengine.h"
#include "passwordhash.h"
#include "screenfixture.h"
#include "shownpreview.h"
#include "sqldialect.h"
#include "tqxdbcombobox.h"
#include "tqxdbedit.h"
#include "tqxpagecontrol.h"
#include "tqxquery.h"
#include "tuserform.h"
#include "userrightspage.h"
#include "worksheetcells.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QListView>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

// The user screen driven as a system user would: the user list with its protected system
// user, the rights page with its check boxes, and the clean-up when the screen closes.
class tst_TUserForm : public QObject, ScreenFixture
{
    Q_OBJECT

    QPointer<TUserForm> screen;

    static void addUser(const QString &id, const QString &name, const QString &systemUser)
    {
        run("INSERT INTO SYS_USER_TABLE(USE_ID,USE_NAME,USE_PASSWORD,SYS_USER,STOP_RIGHT) VALUES(?,?,?,?,'有效')",
            {id, name, HashPassword("pw"), systemUser});
    }

    void open()
    {
        screen = new TUserForm(main.get());
        showScreen(screen);
    }

    // Makes the user with `id` the current row of the screen's list.
    void selectUser(const QString &id)
    {
        TQXQuery &query = *screen->Query;
        query.fetchAll();
        for (int row = 0; row < query.recordCount(); ++row) {
            query.moveTo(row);
            if (query.fieldByName("USE_ID").asText() == id)
                return;
        }
        QFAIL("user not listed");
    }

    static void clickRow(QAbstractItemView *view, const QModelIndex &index)
    {
        QVERIFY(index.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }

    // On the rights page: clicks the user, then the program of the group (by list positions).
    void chooseOnRightsPage(const QString &id, int groupIndex, int programRow)
    {
        screen->PageControl1->setCurrentIndex(1);
        UserRightsPage &page = *screen->RightsPage;
        page.GroupList()->setCurrentIndex(groupIndex);
        QCoreApplication::processEvents();
        QListView *users = page.UserList();
        for (int row = 0; row < users->model()->rowCount(); ++row) {
            const QModelIndex index = users->model()->index(row, users->modelColumn());
            screen->Query->moveTo(row);
            if (screen->Query->fieldByName("USE_ID").asText() == id) {
                clickRow(users, index);
                break;
            }
        }
        clickRow(page.ProgramList(), page.ProgramList()->model()->index(programRow, 0));
    }

    static void clickBox(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

    QString storedRight(const QString &column, const QString &user = "02")
    {
        return cell("SELECT " + column + " FROM SYS_RIGHT_TABLE WHERE USE_ID = ? AND COMPOSE_ID = 1 AND PROGRAM_ID = 1", {user});
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void init()
    {
        setUpScreenTest("01", "管理员");
        App().IsSystemUser = true;
        addUser("01", "管理员", "是");
        addUser("02", "李四", "否");
    }

    void cleanup() { tearDownScreenTest(); }

    void systemUserIsProtected()
    {
        open();
        TUserForm &s = *screen;
        selectUser("01");
        QTest::keyClick(s.ToolBar1, Qt::Key_F6);
        QCOMPARE(s.Query->state(), TQXDataset::State::Edit);
        QVERIFY(s.DBEditUserId->isReadOnly());
        s.DBComboBoxStatus->setCurrentText("停用");
        QTest::keyClick(focused(), Qt::Key_F8);
        QCOMPARE(messages->warnings, QStringList{"该用户是系统管理员,不能被停用"});
        QCOMPARE(s.DBComboBoxStatus->currentText(), QString("有效"));
        QCOMPARE(s.Query->state(), TQXDataset::State::Edit);
        QTest::keyClick(focused(), Qt::Key_F9);
        QCOMPARE(cell("SELECT STOP_RIGHT FROM SYS_USER_TABLE WHERE USE_ID = '01'"), QString("有效"));

        messages->clear();
        messages->answers.enqueue(true);
        QTest::keyClick(focused(), Qt::Key_F7);
        QCOMPARE(messages->warnings, QStringList{"该用户是系统管理员，不能被删除"});
        QVERIFY(messages->questions.isEmpty());
        QCOMPARE(cell("SELECT USE_NAME FROM SYS_USER_TABLE WHERE USE_ID = '01'"), QString("管理员"));
    }

    void newUser_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("saved");
        QTest::newRow("ten bytes") << "张三李四王" << true;
        QTest::newRow("eleven bytes, too wide for the audit columns") << "张三李四王X" << false;
    }

    void newUser()
    {
        QFETCH(QString, name);
        QFETCH(bool, saved);
        open();
        TUserForm &s = *screen;
        QTest::keyClick(s.ToolBar1, Qt::Key_F5);
        QCOMPARE(focused(), s.DBEditUserId);
        type("03");
        press(Qt::Key_Return);
        QCOMPARE(focused(), s.DBEditUserName);
        type(name);
        press(Qt::Key_F8);
        if (!saved) {
            QCOMPARE(messages->warnings, QStringList{"数据太大,不能保存数据"});
            QCOMPARE(s.Query->state(), TQXDataset::State::Insert);
            QCOMPARE(cell("SELECT USE_ID FROM SYS_USER_TABLE WHERE USE_ID = '03'"), QString("<no row>"));
            return;
        }
        QCOMPARE(messages->warnings, QStringList{"新用户的口令是: 926 "});
        QSqlQuery row = DatabaseEngine::byName(MainDatabaseName)
                            .run("SELECT USE_NAME, STOP_RIGHT, SYS_USER, USE_PASSWORD, CREATE_NAME FROM SYS_USER_TABLE "
                                 "WHERE USE_ID = '03'");
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toString(), name);
        QCOMPARE(row.value(1).toString(), QString("有效"));
        QCOMPARE(row.value(2).toString(), QString("否"));
        QVERIFY(row.value(3).toString() != "926");
        QVERIFY(CheckPassword("926", row.value(3).toString()));
        QCOMPARE(row.value(4).toString(), QString("管理员"));
    }

    void editStampsAndKeepsId()
    {
        open();
        selectUser("02");
        QTest::keyClick(screen->ToolBar1, Qt::Key_F6);
        QCOMPARE(focused(), screen->DBEditUserName);
        QVERIFY(screen->DBEditUserId->isReadOnly());
        QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
        type("王五");
        press(Qt::Key_F8);
        QVERIFY(messages->warnings.isEmpty());
        QCOMPARE(screen->Query->state(), TQXDataset::State::Browse);
        QCOMPARE(cell("SELECT USE_NAME FROM SYS_USER_TABLE WHERE USE_ID = '02'"), QString("王五"));
        QCOMPARE(cell("SELECT EDIT_NAME FROM SYS_USER_TABLE WHERE USE_ID = '02'"), QString("管理员"));
    }

    void duplicateUserId()
    {
        open();
        QTest::keyClick(screen->ToolBar1, Qt::Key_F5);
        type("02");
        press(Qt::Key_Return);
        type("重名");
        press(Qt::Key_F8);
        QCOMPARE(messages->warnings, QStringList{"用户编号重复"});
        QCOMPARE(cell("SELECT USE_NAME FROM SYS_USER_TABLE WHERE USE_ID = '02'"), QString("李四"));
    }

    void boxesFollowProgramTable()
    {
        open();
        // Group "数据统计报表", program "车辆工作任务统计报表": browse and print only.
        chooseOnRightsPage("02", 1, 0);
        UserRightsPage &page = *screen->RightsPage;
        QVERIFY(page.RightsGroup()->isEnabled());
        QVERIFY(!page.Box(0)->isEnabled());
        QVERIFY(page.Box(3)->isEnabled());
        QVERIFY(page.Box(4)->isEnabled());
        QVERIFY(!page.Box(5)->isEnabled());
        // The record commands are off on the rights page and back on the list page.
        QVERIFY(!screen->button_add->isEnabled());
        QVERIFY(!screen->button_find->isEnabled());
        screen->PageControl1->setCurrentIndex(0);
        QVERIFY(screen->button_add->isEnabled());
        QVERIFY(screen->button_print->isEnabled());
        QVERIFY(!screen->button_save->isEnabled());
    }

    void rightsBoxes_data()
    {
        QTest::addColumn<QString>("storedEdit");    // empty: no rights row
        QTest::addColumn<QString>("storedBrowse");
        QTest::addColumn<int>("clicked");           // right index of the clicked box
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("browse");
        QTest::addColumn<QString>("print");
        QTest::newRow("print ticks browse, new row") << "" << "" << 4 << "<null>" << "是" << "是";
        QTest::newRow("browse stays while edit is ticked") << "是" << "是" << 3 << "是" << "是" << "<null>";
        QTest::newRow("browse alone can be unticked") << "否" << "是" << 3 << "否" << "否" << "<null>";
        QTest::newRow("edit ticks browse") << "否" << "否" << 0 << "是" << "是" << "<null>";
        QTest::newRow("unticking edit leaves browse") << "是" << "是" << 0 << "否" << "是" << "<null>";
    }

    void rightsBoxes()
    {
        QFETCH(QString, storedEdit);
        QFETCH(QString, storedBrowse);
        QFETCH(int, clicked);
        if (!storedEdit.isEmpty())
            run("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,BROWSE_RIGHT) VALUES('02',1,1,?,?)",
                {storedEdit, storedBrowse});
        open();
        chooseOnRightsPage("02", 0, 0);
        UserRightsPage &page = *screen->RightsPage;
        QCOMPARE(page.Box(0)->isChecked(), storedEdit == "是");
        QCOMPARE(page.Box(3)->isChecked(), storedBrowse == "是");
        QVERIFY(!page.Box(5)->isEnabled());

        clickBox(page.Box(clicked));

        const auto shown = [](const QString &stored) { return stored == "是"; };
        const auto value = [this](const QString &column) {
            const QString v = storedRight(column);
            return v.isEmpty() ? QString("<null>") : v;
        };
        QTEST(value("ADD_RIGHT"), "edit");
        QTEST(value("BROWSE_RIGHT"), "browse");
        QTEST(value("PRINT_RIGHT"), "print");
        QFETCH(QString, edit);
        QFETCH(QString, browse);
        QCOMPARE(page.Box(0)->isChecked(), shown(edit));
        QCOMPARE(page.Box(3)->isChecked(), shown(browse));
        QVERIFY(messages->warnings.isEmpty());
        // The other user's rights are untouched.
        QCOMPARE(storedRight("BROWSE_RIGHT", "01"), QString("<no row>"));
    }

    void selectAllAndInvert()
    {
        open();
        chooseOnRightsPage("02", 0, 0);
        UserRightsPage &page = *screen->RightsPage;
        page.SelectAllButton()->click();
        QCOMPARE(storedRight("ADD_RIGHT"), QString("是"));
        QCOMPARE(storedRight("BROWSE_RIGHT"), QString("是"));
        QCOMPARE(storedRight("PRINT_RIGHT"), QString("是"));
        QCOMPARE(storedRight("VERIFY_RIGHT"), QString());
        // Inverting unticks edit and print; browse, unticked last with nothing else held, goes too.
        page.InvertButton()->click();
        QCOMPARE(storedRight("ADD_RIGHT"), QString("否"));
        QCOMPARE(storedRight("PRINT_RIGHT"), QString("否"));
        QCOMPARE(storedRight("BROWSE_RIGHT"), QString("否"));
        QVERIFY(!page.Box(3)->isChecked());
    }

    void failedWriteResetsBox()
    {
        db->addRefusal("refuse_rights", "BEFORE INSERT ON SYS_RIGHT_TABLE", "refused");
        open();
        chooseOnRightsPage("02", 0, 0);
        UserRightsPage &page = *screen->RightsPage;
        clickBox(page.Box(4));
        QVERIFY(!page.Box(4)->isChecked());
        QVERIFY(!page.Box(3)->isChecked());
        QCOMPARE(messages->warnings, QStringList{"权限保存过程发生错误"});
        QCOMPARE(storedRight("PRINT_RIGHT"), QString("<no row>"));
    }

    // The preview offers the export; the workbook holds the listed users, the registration
    // date written as yyyy-MM-dd on every engine.
    void printPreviewsTheList()
    {
        const QString created = db->engine().dialect().date(QDate(2024, 5, 6));
        db->engine().run("UPDATE SYS_USER_TABLE SET NOTE = '司机', CREATE_DATE = " + created + " WHERE USE_ID = '02'");
        open();
        QTemporaryDir out;
        const ShownPreview shown = ShownPreview::capture([this] { QTest::keyClick(screen->ToolBar1, Qt::Key_F11); }, out.path());
        QVERIFY(shown.shown);
        QVERIFY(shown.window.isNull());
        QCOMPARE(shown.pages, 1);
        QVERIFY(messages->all.isEmpty());
        QVERIFY(shown.exportShown);
        const WorksheetCells cells = WorksheetCells::read(shown.workbook);
        QCOMPARE(cells.name, QString("用户列表"));
        QCOMPARE(cells.lastRow, 3);
        QCOMPARE(cells.row(1), (QStringList{"用户编号", "用户姓名", "用户状态", "备注", "建档日期"}));
        QCOMPARE(cells.row(2), (QStringList{"01", "管理员", "有效"}));
        QCOMPARE(cells.row(3), (QStringList{"02", "李四", "有效", "司机", "2024-05-06"}));
    }

    void deletedUserLeavesNothing()
    {
        for (const QString user : {"01", "02"}) {
            run("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,BROWSE_RIGHT) VALUES(?,1,1,'是')", {user});
            for (const QString table : {"SYS_CAR1_TABLE", "SYS_OPERATION_MAN_TABLE", "SYS_SELECT_REPAIR_MONEY_TABLE"})
                run("INSERT INTO " + table + "(USE_ID,FORM_NAME,DBGRID_NAME,FIELD_NAME,FIELD_WIDTH) VALUES(?,'F','G','X',10)", {user});
        }
        // A layout row left behind by a user deleted earlier.
        run("INSERT INTO SYS_CAR_WORK_TABLE(USE_ID,FORM_NAME,DBGRID_NAME,FIELD_NAME,FIELD_WIDTH) VALUES('99','F','G','X',10)");
        open();
        selectUser("02");
        messages->answers.enqueue(true);
        QTest::keyClick(screen->ToolBar1, Qt::Key_F7);
        QCOMPARE(messages->questions.size(), 1);
        QCOMPARE(cell("SELECT COUNT(*) FROM SYS_USER_TABLE WHERE USE_ID = '02'"), QString("0"));
        QCOMPARE(cell("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = '02'"), QString("0"));
        QTest::keyClick(screen->ToolBar1, Qt::Key_F12);
        QTRY_VERIFY(!screen);

        for (const QString table : {"SYS_RIGHT_TABLE", "SYS_CAR1_TABLE", "SYS_OPERATION_MAN_TABLE",
                                     "SYS_SELECT_REPAIR_MONEY_TABLE", "SYS_CAR_WORK_TABLE"}) {
            QCOMPARE(cell("SELECT COUNT(*) FROM " + table + " WHERE USE_ID <> '01'"), QString("0"));
        }
        QCOMPARE(cell("SELECT COUNT(*) FROM SYS_CAR1_TABLE WHERE USE_ID = '01'"), QString("1"));
        QCOMPARE(cell("SELECT COUNT(*) FROM SYS_RIGHT_TABLE WHERE USE_ID = '01'"), QString("1"));
    }
};

QTEST_MAIN(tst_TUserForm)
#include "tst_tuserform.moc"
