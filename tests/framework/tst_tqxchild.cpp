#include "apperror.h"
#include "appvalues.h"
#include "dbhelpers.h"
#include "focuscolorkeeper.h"
#include "screenmessages.h"
#include "scriptedmessages.h"
#include "tagproperty.h"
#include "testdatabase.h"
#include "tqxchild.h"
#include "tqxcomboedit.h"
#include "tqxdatasource.h"
#include "tqxdbedit.h"
#include "tqxedit.h"
#include "tqxquery.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

// A screen with its controller and inputs in Tab order: e1, e2, a disabled box, a memo, a
// grid, a combo edit e3, e4.
class Screen : public QWidget
{
public:
    Screen() : child(new TQXChild(this))
    {
        auto *layout = new QVBoxLayout(this);
        for (const char *name : {"e1", "e2"})
            layout->addWidget(named(new TQXEdit(this), name));
        auto *disabled = named(new TQXEdit(this), "disabled");
        disabled->setEnabled(false);
        layout->addWidget(disabled);
        layout->addWidget(named(new QPlainTextEdit(this), "memo"));
        auto *grid = named(new QTableView(this), "grid");
        auto *model = new QStandardItemModel(3, 2, grid);
        grid->setModel(model);
        grid->setCurrentIndex(model->index(0, 0));
        layout->addWidget(grid);
        layout->addWidget(named(new TQXComboEdit(this), "e3"));
        layout->addWidget(named(new TQXEdit(this), "e4"));
        child->Attach();
    }

    template <class T>
    T *named(T *widget, const char *name)
    {
        widget->setObjectName(QLatin1String(name));
        return widget;
    }

    TQXChild *child;
};

// Key movement and OnSelect, the close guard, first show, placement, window-state
// notifications and the look.
class tst_TQXChild : public QObject
{
    Q_OBJECT

private slots:
        void initTestCase_data() { TestDatabase::addBackendRows(); }
    void keyMovement_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("options");    // moEnter 1, moUpDn 2
        QTest::addColumn<int>("onSelect");   // -1 none, 0 lets go, 1 keeps the focus
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("selectCalls");

        QTest::newRow("Enter moves on") << "e1" << int(Qt::Key_Return) << 3 << -1 << "e2" << 0;
        QTest::newRow("keypad Enter moves on") << "e1" << int(Qt::Key_Enter) << 3 << -1 << "e2" << 0;
        QTest::newRow("Down skips a disabled box") << "e2" << int(Qt::Key_Down) << 3 << -1 << "memo" << 0;
        QTest::newRow("Up moves back") << "e2" << int(Qt::Key_Up) << 3 << -1 << "e1" << 0;
        QTest::newRow("Up from e3 reaches the grid") << "e3" << int(Qt::Key_Up) << 3 << -1 << "grid" << 0;
        QTest::newRow("Enter in a memo stays") << "memo" << int(Qt::Key_Return) << 3 << -1 << "memo" << 0;
        QTest::newRow("Down in a grid stays") << "grid" << int(Qt::Key_Down) << 3 << -1 << "grid" << 0;
        QTest::newRow("OnSelect keeps the focus") << "e1" << int(Qt::Key_Return) << 3 << 1 << "e1" << 1;
        QTest::newRow("OnSelect lets go") << "e1" << int(Qt::Key_Return) << 3 << 0 << "e2" << 1;
        QTest::newRow("combo edit OnSelect keeps") << "e3" << int(Qt::Key_Return) << 3 << 1 << "e3" << 1;
        QTest::newRow("Down does not ask OnSelect") << "e1" << int(Qt::Key_Down) << 3 << 1 << "e2" << 0;
        QTest::newRow("Enter without moEnter") << "e1" << int(Qt::Key_Return) << 2 << -1 << "e1" << 0;
        QTest::newRow("Down without moUpDn") << "e1" << int(Qt::Key_Down) << 1 << -1 << "e1" << 0;
        QTest::newRow("last wraps to first") << "e4" << int(Qt::Key_Return) << 3 << -1 << "e1" << 0;
    }

    void keyMovement()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(int, options);
        QFETCH(int, onSelect);
        QFETCH(QString, to);
        QFETCH(int, selectCalls);

        Screen screen;
        screen.child->Options = TQXChild::TMoveOptions(options);
        int calls = 0;
        auto handler = [&](bool &keep) {
            ++calls;
            keep = onSelect == 1;
        };
        if (onSelect >= 0) {
            if (auto *edit = screen.findChild<TQXEdit *>(from))
                edit->OnSelect = handler;
            if (auto *comboEdit = screen.findChild<TQXComboEdit *>(from))
                comboEdit->OnSelect = handler;
        }
        int screenKeys = 0;
        screen.child->OnKeyDown = [&](QKeyEvent *) { return ++screenKeys, false; };
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        auto *start = screen.findChild<QWidget *>(from);
        start->setFocus();
        QCOMPARE(QApplication::focusWidget(), start);

        QTest::keyClick(start, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        QCOMPARE(calls, selectCalls);
        if (from == "memo")
            QCOMPARE(screen.findChild<QPlainTextEdit *>("memo")->toPlainText(), QString("\n"));
        if (from == "grid")
            QCOMPARE(screen.findChild<QTableView *>("grid")->currentIndex().row(), 1);
        // Keys the controller did not use reach the screen's own handler, once.
        QCOMPARE(screenKeys, to == from && selectCalls == 0 ? 1 : 0);
    }

    void functionKeysReachTheScreenWhileAnInputHasTheFocus()
    {
        Screen screen;
        QList<int> keys;
        screen.child->OnKeyDown = [&](QKeyEvent *event) {
            keys << event->key();
            return true;
        };
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        auto *edit = screen.findChild<TQXEdit *>("e2");
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F8);
        QTest::keyClicks(edit, "ab");
        QCOMPARE(keys, (QList<int>{Qt::Key_F8, Qt::Key_A, Qt::Key_B}));
        QVERIFY(edit->text().isEmpty());  // the handler used the letters
    }

    void onlyOneController()
    {
        Screen screen;
        try {
            TQXChild second(&screen);
            QFAIL("a second controller was accepted");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QString("TQXChild控件只能有一个"));
        }
        QCOMPARE(screen.findChildren<TQXChild *>().size(), 1);
    }

    void closeGuard_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<bool>("closes");

        QTest::newRow("browsing") << 0 << false << true;
        QTest::newRow("adding") << 0 << true << false;
        QTest::newRow("adding, dataset tag 1") << 1 << true << true;
    }

    void closeGuard()
    {
        QFETCH(int, tag);
        QFETCH(bool, adding);
        QFETCH(bool, closes);

        TestDatabase db(TestDatabase::currentBackend());
        ScriptedMessages messages;
        QSignalSpy closed(&ScreenMessages::instance(), &ScreenMessages::screenClosed);
        Screen screen;
        auto *query = new TQXQuery(&screen);
        query->setDatabaseName(MainDatabaseName);
        query->setTableName("QX_CAR_TYPE_TABLE");
        SetTag(query, tag);
        query->OpenQuery();
        if (adding)
            query->AppendRecord();
        int ownQuery = 0;
        screen.child->OnCloseQuery = [&] { return ++ownQuery, true; };
        screen.show();

        QCOMPARE(screen.close(), closes);
        QCOMPARE(screen.isVisible(), !closes);
        QCOMPARE(messages.warnings, closes ? QStringList() : QStringList{"必须先保存或取消新增的数据或修改后的数据"});
        QCOMPARE(closed.count(), closes ? 1 : 0);
        QCOMPARE(ownQuery, closes ? 1 : 0);
        QCOMPARE(query->isEditing(), adding);  // the data is left as it was
    }

    void destroyingClosesDatasets()
    {
        TestDatabase db(TestDatabase::currentBackend());
        QSignalSpy closed(&ScreenMessages::instance(), &ScreenMessages::screenClosed);
        Screen screen;
        auto *query = new TQXQuery(&screen);
        query->setDatabaseName(MainDatabaseName);
        query->setTableName("QX_CAR_TYPE_TABLE");
        query->OpenQuery();
        screen.child->ScreenDestroying();
        QVERIFY(!query->isActive());
        QCOMPARE(closed.count(), 1);  // never closed: the main window still learns it is gone
    }

    void showHandlerRunsOnce()
    {
        Screen screen;
        int shows = 0;
        screen.child->OnShow = [&] { ++shows; };
        screen.show();
        screen.hide();
        screen.show();
        QCOMPARE(shows, 1);
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("client");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("position");

        QTest::newRow("top limited to 90") << QRect(0, 0, 1024, 700) << QSize(754, 500) << QPoint(134, 90);
        QTest::newRow("centred when low") << QRect(0, 0, 1024, 600) << QSize(754, 500) << QPoint(134, 55);
        QTest::newRow("taller than the main window") << QRect(0, 0, 1024, 400) << QSize(754, 500) << QPoint(134, -45);
        QTest::newRow("wider: left at least 2") << QRect(0, 0, 700, 600) << QSize(754, 500) << QPoint(2, 55);
        QTest::newRow("inside the client area") << QRect(100, 40, 1024, 600) << QSize(754, 500) << QPoint(234, 95);
        QTest::newRow("half rounds to even") << QRect(0, 0, 1025, 600) << QSize(754, 500) << QPoint(134, 55);
    }

    void placement()
    {
        QFETCH(QRect, client);
        QFETCH(QSize, size);
        QFETCH(QPoint, position);
        QCOMPARE(TQXChild::ScreenPosition(client, size, AppValues::ChildMaxTop), position);
    }

    void windowStateNotifications()
    {
        QSignalSpy hidden(&ScreenMessages::instance(), &ScreenMessages::screenHidden);
        QSignalSpy shown(&ScreenMessages::instance(), &ScreenMessages::screenShown);
        Screen screen;
        screen.show();
        screen.setWindowState(Qt::WindowMinimized);
        QCOMPARE(hidden.count(), 0);  // not live yet
        screen.setWindowState(Qt::WindowNoState);
        screen.child->setLive(true);
        screen.setWindowState(Qt::WindowMinimized);
        QCOMPARE(hidden.count(), 1);
        QCOMPARE(hidden.at(0).at(0).value<QWidget *>(), &screen);
        QVERIFY(screen.child->isMinimized());
        screen.setWindowState(Qt::WindowNoState);
        QCOMPARE(shown.count(), 1);
        QVERIFY(!screen.child->isMinimized());
        screen.setWindowState(Qt::WindowMaximized);
        QCOMPARE(shown.count(), 2);
    }

    void look_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<quint32>("normal");
        QTest::addColumn<quint32>("focus");

        QTest::newRow("plain") << 0 << quint32(AppValues::Color) << quint32(AppValues::Color);
        QTest::newRow("display field") << 3 << quint32(AppValues::LabelColor) << quint32(AppValues::LabelColor);
        QTest::newRow("always editable") << 100 << quint32(AppValues::EditColor) << quint32(AppValues::ColorOnFocus);
    }

    void look()
    {
        QFETCH(int, tag);
        QFETCH(quint32, normal);
        QFETCH(quint32, focus);

        Screen screen;
        auto *edit = new TQXDBEdit(&screen);
        SetTag(edit, tag);
        auto *label = new QLabel("名称", &screen);
        auto *otherLabel = new QLabel("名称", &screen);
        SetTag(otherLabel, 1);
        const QFont otherFont = otherLabel->font();
        auto *source = new TQXDataSource(&screen);
        screen.show();  // the look is applied on the first show

        QCOMPARE(edit->colors().normalColor(), QColor::fromRgb(normal));
        QCOMPARE(edit->colors().colorOnFocus(), QColor::fromRgb(focus));
        QCOMPARE(edit->palette().color(QPalette::Base), QColor::fromRgb(normal));
        QVERIFY(edit->font().families().contains("SimSun"));
        QCOMPARE(edit->font().pointSize(), 9);
        QVERIFY(label->font().families().contains("SimSun"));
        QCOMPARE(otherLabel->font(), otherFont);
        QCOMPARE(source->BrowseColor, quint32(AppValues::Color));
        QCOMPARE(source->EditColor, quint32(AppValues::EditColor));
    }
};

QTEST_MAIN(tst_TQXChild)
#include "tst_tqxchild.moc"
