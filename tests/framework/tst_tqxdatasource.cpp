#include "dbhelpers.h"
#include "focuscolorkeeper.h"
#include "scriptedmessages.h"
#include "tagproperty.h"
#include "testdatabase.h"
#include "tqxcombobox.h"
#include "tqxcomboedit.h"
#include "tqxdatasource.h"
#include "tqxdbcombobox.h"
#include "tqxdbcomboedit.h"
#include "tqxdbedit.h"
#include "tqxdbmemo.h"
#include "tqxedit.h"
#include "tqxquery.h"

#include <QDialog>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

constexpr quint32 Browse = 0xF1FAFE;
constexpr quint32 Edit = 0xFDFDEE;
constexpr quint32 Focus = 0xF8F7C7;
const QColor Untouched(0x12, 0x34, 0x56);

} // namespace

// The command buttons by state and rights, and the control switching by class and tag.
class tst_TQXDataSource : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ScriptedMessages> messages;
    std::unique_ptr<QWidget> form;
    TQXQuery *query = nullptr;
    TQXDataSource *source = nullptr;

    // Puts the query into "closed", "browse", "edit", "insert" or "cancelled" (edited, then
    // cancelled).
    void enter(const QString &state)
    {
        if (state == "closed")
            return;
        query->OpenQuery();
        if (state == "edit" || state == "cancelled")
            query->EditRecord();
        else if (state == "insert")
            query->AppendRecord();
        if (state == "cancelled")
            query->CancelRecord();
    }

    static QWidget *make(const QString &kind, QWidget *parent)
    {
        if (kind == "DBEdit")
            return new TQXDBEdit(parent);
        if (kind == "Edit")
            return new TQXEdit(parent);
        if (kind == "DBMemo")
            return new TQXDBMemo(parent);
        if (kind == "DBComboBox")
            return new TQXDBComboBox(parent);
        if (kind == "ComboEdit")
            return new TQXComboEdit(parent);
        if (kind == "DBComboEdit")
            return new TQXDBComboEdit(parent);
        if (kind == "ComboBox")
            return new TQXComboBox(parent);
        return new QPushButton(parent);
    }

    // -1 for controls that cannot be read-only.
    static int readOnly(const QWidget *control)
    {
        if (const auto *edit = qobject_cast<const QLineEdit *>(control))
            return edit->isReadOnly();
        if (const auto *memo = qobject_cast<const QPlainTextEdit *>(control))
            return memo->isReadOnly();
        if (const auto *list = qobject_cast<const TQXDBComboBox *>(control))
            return list->isReadOnly();
        return -1;
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void init()
    {
        db = std::make_unique<TestDatabase>(TestDatabase::currentBackend());
        messages = std::make_unique<ScriptedMessages>();
        QVERIFY(ExecuteSQL(MainDatabaseName, "INSERT INTO QX_CAR_TYPE_TABLE(CAR_TYPE_ID,CAR_TYPE_NAME) VALUES('A1','吊车')"));
        form = std::make_unique<QWidget>();
        query = new TQXQuery(form.get());
        query->setDatabaseName(MainDatabaseName);
        query->setTableName("QX_CAR_TYPE_TABLE");
        source = new TQXDataSource(form.get());
        source->setDataSet(query);
        source->BrowseColor = Browse;
        source->EditColor = Edit;
        source->ColorOnFocus = Focus;
        source->ActiveColor = true;
    }

    void cleanup()
    {
        form.reset();
        messages.reset();
        db.reset();
    }

    void buttonTable_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("addRight");   // add, edit and delete, as the screens fill them
        QTest::addColumn<bool>("printRight");
        QTest::addColumn<bool>("checkRight");
        QTest::addColumn<QString>("enabled");

        const QString browsing = "ButtonAdd Button_New ButtonEdit Button_Delete ButtonPrint Button_Check ButtonFind "
                                 "ButtonLast Button_Close SpeedButton1";
        QTest::newRow("closed counts as browse") << "closed" << true << true << true << browsing;
        QTest::newRow("browse") << "browse" << true << true << true << browsing;
        QTest::newRow("edit") << "edit" << true << true << true << "ButtonSave Button_Cancel";
        QTest::newRow("insert") << "insert" << true << true << true << "ButtonSave Button_Cancel";
        QTest::newRow("browse without add right") << "browse" << false << true << true
                                                  << "ButtonPrint Button_Check ButtonFind ButtonLast Button_Close SpeedButton1";
        QTest::newRow("cancelled without add right") << "cancelled" << false << true << true
                                                     << "ButtonPrint Button_Check ButtonFind ButtonLast Button_Close SpeedButton1";
        QTest::newRow("browse without print right") << "browse" << true << false << true
                                                    << "ButtonAdd Button_New ButtonEdit Button_Delete Button_Check ButtonFind "
                                                       "ButtonLast Button_Close SpeedButton1";
        QTest::newRow("browse without verify right") << "browse" << true << true << false
                                                     << "ButtonAdd Button_New ButtonEdit Button_Delete ButtonPrint ButtonFind "
                                                        "ButtonLast Button_Close SpeedButton1";
        QTest::newRow("edit without rights") << "edit" << false << false << false << "ButtonSave Button_Cancel";
    }

    void buttonTable()
    {
        QFETCH(QString, state);
        QFETCH(bool, addRight);
        QFETCH(bool, printRight);
        QFETCH(bool, checkRight);
        QFETCH(QString, enabled);

        const QList<std::pair<QString, QPointer<QAbstractButton> TQXDataSource::*>> buttons = {
            {"ButtonAdd", &TQXDataSource::ButtonAdd},       {"Button_New", &TQXDataSource::Button_New},
            {"ButtonEdit", &TQXDataSource::ButtonEdit},     {"Button_Delete", &TQXDataSource::Button_Delete},
            {"ButtonPrint", &TQXDataSource::ButtonPrint},   {"Button_Check", &TQXDataSource::Button_Check},
            {"ButtonFind", &TQXDataSource::ButtonFind},     {"ButtonLast", &TQXDataSource::ButtonLast},
            {"Button_Close", &TQXDataSource::Button_Close}, {"SpeedButton1", &TQXDataSource::SpeedButton1},
            {"ButtonSave", &TQXDataSource::ButtonSave},     {"Button_Cancel", &TQXDataSource::Button_Cancel},
        };
        for (const auto &[name, member] : buttons) {
            auto *button = new QToolButton(form.get());
            button->setObjectName(name);
            source->*member = button;
        }
        source->RightAdd = source->RightEdit = source->RightDelete = addRight;
        source->RightPrint = printRight;
        source->RightCheck = checkRight;
        source->Hook();
        enter(state);

        QStringList actual;
        for (const auto &[name, member] : buttons) {
            if ((source->*member)->isEnabled())
                actual << name;
        }
        QCOMPARE(actual.join(' '), enabled);
    }

    void programmaticChangeKeepsBrowseLook()
    {
        auto *add = new QToolButton(form.get());
        auto *save = new QToolButton(form.get());
        auto *edit = new TQXDBEdit(source, "CAR_TYPE_NAME", form.get());
        source->ButtonAdd = add;
        source->ButtonSave = save;
        source->Hook();
        query->OpenQuery();
        source->ActiveColor = false;
        query->EditRecord();
        QVERIFY(add->isEnabled());
        QVERIFY(!save->isEnabled());
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->colors().normalColor(), QColor::fromRgb(Browse));
    }

    void notHookedTouchesNothing()
    {
        auto *save = new QToolButton(form.get());
        source->ButtonSave = save;
        int handled = 0;
        source->OnStateChange = [&](TQXDataset::State) { ++handled; };
        query->OpenQuery();
        query->EditRecord();
        QVERIFY(save->isEnabled());
        QCOMPARE(handled, 2);
    }

    void tagTable_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("mode");     // default, master, detail
        QTest::addColumn<QString>("state");    // browse, edit, insert
        QTest::addColumn<int>("readOnly");     // -1: not applicable
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("tabStop");
        QTest::addColumn<QString>("colour");   // browse, edit, untouched, -
        QTest::addColumn<int>("button");       // combo-edit button enabled; -1: not applicable

        // kind, tag, mode, state, read-only, enabled, tab stop, colour, button
        QTest::newRow("DBEdit browse") << "DBEdit" << 0 << "default" << "browse" << 1 << true << true << "browse" << -1;
        QTest::newRow("DBEdit edit") << "DBEdit" << 0 << "default" << "edit" << 0 << true << true << "edit" << -1;
        QTest::newRow("DBEdit 2 insert: read-only, edit colours") << "DBEdit" << 2 << "default" << "insert" << 1 << true << true << "edit" << -1;
        QTest::newRow("DBEdit 3 edit") << "DBEdit" << 3 << "default" << "edit" << 1 << true << false << "untouched" << -1;
        QTest::newRow("DBEdit 4 browse") << "DBEdit" << 4 << "default" << "browse" << 1 << true << false << "untouched" << -1;
        QTest::newRow("DBEdit 100 browse") << "DBEdit" << 100 << "default" << "browse" << 0 << true << true << "untouched" << -1;
        QTest::newRow("DBEdit 5 edit") << "DBEdit" << 5 << "default" << "edit" << 0 << false << true << "untouched" << -1;
        QTest::newRow("Edit edit") << "Edit" << 0 << "default" << "edit" << 0 << true << true << "edit" << -1;
        QTest::newRow("Edit browse") << "Edit" << 0 << "default" << "browse" << 1 << true << true << "browse" << -1;
        QTest::newRow("DBMemo browse") << "DBMemo" << 0 << "default" << "browse" << 1 << true << true << "browse" << -1;
        QTest::newRow("DBMemo insert") << "DBMemo" << 0 << "default" << "insert" << 0 << true << true << "edit" << -1;
        QTest::newRow("DBComboBox 2 edit") << "DBComboBox" << 2 << "default" << "edit" << 1 << true << true << "edit" << -1;
        QTest::newRow("DBComboBox edit") << "DBComboBox" << 0 << "default" << "edit" << 0 << true << true << "edit" << -1;
        QTest::newRow("ComboEdit browse") << "ComboEdit" << 0 << "default" << "browse" << 1 << true << true << "browse" << 0;
        QTest::newRow("ComboEdit edit") << "ComboEdit" << 0 << "default" << "edit" << 0 << true << true << "edit" << 1;
        QTest::newRow("DBComboEdit 6 browse") << "DBComboEdit" << 6 << "default" << "browse" << 1 << true << true << "browse" << 1;
        QTest::newRow("DBComboEdit 6 edit") << "DBComboEdit" << 6 << "default" << "edit" << 0 << true << true << "edit" << 0;
        QTest::newRow("ComboEdit 7 edit") << "ComboEdit" << 7 << "default" << "edit" << 1 << true << true << "edit" << 0;
        QTest::newRow("ComboEdit 7 browse") << "ComboEdit" << 7 << "default" << "browse" << 1 << true << true << "browse" << 1;
        QTest::newRow("ComboBox browse") << "ComboBox" << 0 << "default" << "browse" << -1 << true << true << "browse" << -1;
        QTest::newRow("ComboBox edit") << "ComboBox" << 0 << "default" << "edit" << -1 << false << true << "edit" << -1;
        QTest::newRow("ComboBox 2 edit") << "ComboBox" << 2 << "default" << "edit" << -1 << true << true << "edit" << -1;
        QTest::newRow("Button 30 edit") << "Button" << 30 << "default" << "edit" << -1 << false << true << "-" << -1;
        QTest::newRow("Button 30 browse") << "Button" << 30 << "default" << "browse" << -1 << true << true << "-" << -1;
        QTest::newRow("Button 5 insert") << "Button" << 5 << "default" << "insert" << -1 << false << true << "-" << -1;
        QTest::newRow("Button edit") << "Button" << 0 << "default" << "edit" << -1 << true << true << "-" << -1;

        QTest::newRow("master DBEdit edit") << "DBEdit" << 0 << "master" << "edit" << 0 << true << true << "edit" << -1;
        QTest::newRow("master DBEdit 502 skipped") << "DBEdit" << 502 << "master" << "browse" << 0 << true << true << "untouched" << -1;
        QTest::newRow("master DBEdit 2 insert") << "DBEdit" << 2 << "master" << "insert" << 1 << true << true << "edit" << -1;
        QTest::newRow("master Button 5 plain") << "Button" << 5 << "master" << "edit" << -1 << true << true << "-" << -1;
        QTest::newRow("master DBEdit 30 plain") << "DBEdit" << 30 << "master" << "browse" << 1 << true << true << "browse" << -1;
        QTest::newRow("master DBEdit 100 plain") << "DBEdit" << 100 << "master" << "edit" << 0 << true << true << "edit" << -1;
        QTest::newRow("master ComboEdit 5 skipped") << "ComboEdit" << 5 << "master" << "browse" << 0 << true << true << "untouched" << 1;

        QTest::newRow("detail DBEdit skipped") << "DBEdit" << 0 << "detail" << "browse" << 0 << true << true << "untouched" << -1;
        QTest::newRow("detail DBEdit 500 edit") << "DBEdit" << 500 << "detail" << "edit" << 0 << true << true << "edit" << -1;
        QTest::newRow("detail DBEdit 502 insert") << "DBEdit" << 502 << "detail" << "insert" << 1 << true << true << "edit" << -1;
        QTest::newRow("detail DBEdit 503 edit") << "DBEdit" << 503 << "detail" << "edit" << 1 << true << false << "untouched" << -1;
        QTest::newRow("detail DBComboEdit 506 browse") << "DBComboEdit" << 506 << "detail" << "browse" << 1 << true << true << "browse" << 1;
        QTest::newRow("detail ComboEdit 507 edit") << "ComboEdit" << 507 << "detail" << "edit" << 1 << true << true << "edit" << 0;
    }

    void tagTable()
    {
        QFETCH(QString, kind);
        QFETCH(int, tag);
        QFETCH(QString, mode);
        QFETCH(QString, state);
        QFETCH(int, readOnly);
        QFETCH(bool, enabled);
        QFETCH(bool, tabStop);
        QFETCH(QString, colour);
        QFETCH(int, button);

        QWidget *control = make(kind, form.get());
        SetTag(control, tag);
        FocusColorKeeper *colors = control->findChild<FocusColorKeeper *>(QString(), Qt::FindDirectChildrenOnly);
        if (colors) {
            colors->setNormalColor(Untouched);
            colors->setColorOnFocus(Untouched);
        }
        source->IS_MASTER_CHANGE = mode == "master";
        source->IS_DETAIL_CHANGE = mode == "detail";
        source->Hook();
        enter(state);

        QCOMPARE(tst_TQXDataSource::readOnly(control), readOnly);
        QCOMPARE(control->isEnabled(), enabled);
        QCOMPARE(bool(control->focusPolicy() & Qt::TabFocus), tabStop);
        if (colour != "-") {
            QVERIFY(colors);
            const QColor normal = colour == "browse" ? QColor::fromRgb(Browse)
                : colour == "edit"                   ? QColor::fromRgb(Edit)
                                                     : Untouched;
            const QColor focus = colour == "browse" ? QColor::fromRgb(Browse)
                : colour == "edit"                  ? QColor::fromRgb(Focus)
                                                    : Untouched;
            QCOMPARE(colors->normalColor(), normal);
            QCOMPARE(colors->colorOnFocus(), focus);
            QCOMPARE(colors->currentColor(), normal);
        }
        if (button >= 0)
            QCOMPARE(static_cast<TQXComboEdit *>(control)->buttonEnabled(), bool(button));
    }

    void comboEditWithoutDirectInputStaysReadOnly()
    {
        auto *edit = new TQXComboEdit(form.get());
        edit->setDirectInput(false);
        source->Hook();
        enter("edit");
        QVERIFY(edit->isReadOnly());
        QVERIFY(edit->buttonEnabled());
    }

    // A dialog the screen owns (a find dialog's value box) is a window of its own: browse
    // does not take its button away.
    void dialogControlsKeepTheirState()
    {
        auto *dialog = new QDialog(form.get());
        auto *popup = new TQXComboEdit(dialog);
        auto *own = new TQXComboEdit(form.get());
        source->Hook();
        enter("browse");
        QVERIFY(!own->buttonEnabled());
        QVERIFY(popup->buttonEnabled());
        QVERIFY(!popup->isReadOnly());
    }
};

QTEST_MAIN(tst_TQXDataSource)
#include "tst_tqxdatasource.moc"
