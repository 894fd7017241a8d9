#include "appvalues.h"
#include "findeditors.h"
#include "screenfixture.h"
#include "shownpreview.h"
#include "tdateform.h"
#include "tfindformdialog.h"
#include "toperationmanform.h"
#include "tprevform.h"
#include "tqxdbcombobox.h"
#include "tqxdbcomboedit.h"
#include "tqxdbedit.h"
#include "tqxexcel.h"
#include "tqxfindform.h"
#include "tqxquery.h"
#include "tqxreport.h"
#include "tqxtreeview.h"
#include "tselectdeptform.h"
#include "tselecteditform.h"
#include "worksheetcells.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

// The employee screen driven through its commands against a fresh database with a small
// department tree:  总公司 (G001) > 运输部 (D1) > 一车队 (D11) > 一班 (D111); 总公司 > 工程部 (D2).
class tst_TOperationManForm : public QObject, ScreenFixture
{
    Q_OBJECT

    QPointer<TOperationManForm> screen;

    static void addDepartment(const QString &id, const QString &name, const QString &prior, int order)
    {
        run("INSERT INTO SYS_COMPANY_TABLE(COMPANY_ID,PRIOR_ID,COMPANY_NAME,ORDER_ID) VALUES(?,?,?,?)", {id, prior, name, order});
    }

    static void addEmployee(const QString &id, const QString &name, const QString &dept, const QString &birthday = QString())
    {
        run("INSERT INTO QX_EMPLOYEE_TABLE(COMPANY_ID,EMPLOYEE_ID,EMPLOYEE_NAME,EMPLOYEE_BIRTHDAY) VALUES(?,?,?,?)",
            {dept, id, name, birthday.isEmpty() ? QVariant() : QVariant(birthday)});
    }

    static void setNumbering(const QString &value)
    {
        run("UPDATE SYS_ID_TABLE SET AUTO_ID = ? WHERE NAME_ID = '员工编号'", {value});
    }

    void open()
    {
        screen = new TOperationManForm(main.get());
        showScreen(screen);
    }

    // Selects the node reached by `path` of captions from the root (empty: the root).
    void select(const QStringList &path) { selectNode(*screen->QXTreeView, nodeAt(*screen->QXTreeView, path)); }

    // The employee numbers the screen lists, in list order.
    QStringList listed() const
    {
        TQXQuery &query = *screen->Query;
        QStringList ids;
        if (!query.isActive())
            return ids;
        query.fetchAll();
        for (int row = 0; row < query.loadedRowCount(); ++row)
            ids << query.value(row, query.fieldByName("EMPLOYEE_ID").index()).toString();
        return ids;
    }

    // The texts of the data-bound items of every printed detail row, joined by "|".
    static QStringList detailTexts(const TQXReportPages &pages)
    {
        QStringList rows;
        for (const auto &page : pages.pages) {
            for (const TQXPrintedBand &band : page) {
                if (band.band->kind != TQXReportBand::Kind::Detail || band.blankRow)
                    continue;
                QStringList texts;
                for (const TQXPrintedItem &printed : band.items) {
                    if (!printed.item->fieldName.isEmpty())
                        texts << printed.text;
                }
                rows << texts.join('|');
            }
        }
        return rows;
    }

    // Runs `act` on the modal dialog of type Dialog as soon as it is shown (once).
    template <class Dialog>
    void onModal(std::function<void(Dialog &)> act)
    {
        auto *poll = new QTimer(this);
        poll->setInterval(10);
        connect(poll, &QTimer::timeout, this, [poll, act] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll->stop();
            poll->deleteLater();
            act(*dialog);
        });
        poll->start();
    }

    // Adds an employee through the screen: the number (when typed), the name, save.
    void addThroughScreen(const QString &number, const QString &name)
    {
        screen->button_add->click();
        QCOMPARE(screen->Query->state(), TQXDataset::State::Insert);
        if (!screen->NumbersGenerated()) {
            QCOMPARE(focused(), screen->DBEditEmployeeId);
            type(number);
            press(Qt::Key_Return);
        }
        QCOMPARE(focused(), screen->DBEditName);
        type(name);
        press(Qt::Key_F8);
    }

private slots:
    void initTestCase_data() { TestDatabase::addBackendRows(); }

    void init()
    {
        setUpScreenTest("U1", "张三");
        App().CompanyName = "本公司";
        run("INSERT INTO SYS_RIGHT_TABLE(USE_ID,COMPOSE_ID,PROGRAM_ID,ADD_RIGHT,BROWSE_RIGHT,PRINT_RIGHT) "
            "VALUES('U1',3,6,'是','是','是')");
        addDepartment("G001", "总公司", "G002", 0);
        addDepartment("D1", "运输部", "G001", 1);
        addDepartment("D11", "一车队", "D1", 1);
        addDepartment("D111", "一班", "D11", 1);
        addDepartment("D2", "工程部", "G001", 2);
    }

    void cleanup() { tearDownScreenTest(); }

    // Ten employees added under a department: numbers drawn (the number box cannot be typed
    // into) or typed.
    void addTen_data()
    {
        QTest::addColumn<QString>("numbering");
        QTest::addColumn<QStringList>("numbers");  // typed, or the expected drawn ones
        const QString year = QDate::currentDate().toString("yyyy");
        QStringList drawn, typed;
        for (int i = 1; i <= 10; ++i) {
            drawn << year + QString("%1").arg(i, 6, 10, QChar('0'));
            typed << QString("E%1").arg(i + 100);
        }
        QTest::newRow("numbers drawn") << "是" << drawn;
        QTest::newRow("numbers typed") << "否" << typed;
    }

    void addTen()
    {
        QFETCH(QString, numbering);
        QFETCH(QStringList, numbers);
        setNumbering(numbering);
        open();
        TOperationManForm &s = *screen;
        QCOMPARE(s.NumbersGenerated(), numbering == "是");
        select({"运输部", "一车队"});
        for (int i = 0; i < numbers.size(); ++i) {
            addThroughScreen(numbers.at(i), QString("员工%1").arg(i));
            QVERIFY2(messages->all.isEmpty(), qPrintable(messages->all.join(';')));
            QCOMPARE(s.Query->state(), TQXDataset::State::Browse);
        }
        QCOMPARE(column("SELECT EMPLOYEE_ID FROM QX_EMPLOYEE_TABLE ORDER BY EMPLOYEE_ID"), numbers);
        QCOMPARE(column("SELECT DISTINCT COMPANY_ID FROM QX_EMPLOYEE_TABLE"), QStringList{"D11"});
        QCOMPARE(column("SELECT DISTINCT CREATE_NAME FROM QX_EMPLOYEE_TABLE"), QStringList{"张三"});
        QCOMPARE(listed(), numbers);
        QCOMPARE(s.DBEditCompanyName->text(), QString("一车队"));

        // The number box: read-only while numbers are drawn, also in an edit.
        s.button_edit->click();
        QCOMPARE(s.DBEditEmployeeId->isReadOnly(), numbering == "是");
        QCOMPARE(focused(), numbering == "是" ? static_cast<QWidget *>(s.DBEditName) : s.DBEditEmployeeId);
        s.button_cancel->click();
    }

    // Saving is refused with the check's message; nothing is written.
    void saveRefusals_data()
    {
        QTest::addColumn<QString>("numbering");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("warning");
        QTest::newRow("typed number taken") << "否" << "E1" << "王五" << "员工编号重复";
        QTest::newRow("no number") << "否" << "" << "王五" << "员工编号必须有一个值";
        QTest::newRow("no name") << "否" << "E9" << "" << "员工姓名必须有一个值";
        QTest::newRow("no name, number drawn") << "是" << "" << "" << "员工姓名必须有一个值";
    }

    void saveRefusals()
    {
        QFETCH(QString, numbering);
        QFETCH(QString, number);
        QFETCH(QString, name);
        setNumbering(numbering);
        addEmployee("E1", "李四", "D2");
        open();
        select({"运输部"});
        addThroughScreen(number, name);
        QTEST(messages->warnings.join(';'), "warning");
        QCOMPARE(screen->Query->state(), TQXDataset::State::Insert);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_EMPLOYEE_TABLE"), QString("1"));
        QCOMPARE(cell("SELECT EMPLOYEE_NAME FROM QX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID='E1'"), QString("李四"));
    }

    void editAndDelete()
    {
        addEmployee("E1", "李四", "D1");
        addEmployee("E2", "王五", "D1");
        open();
        select({"运输部"});
        QCOMPARE(listed(), (QStringList{"E1", "E2"}));
        screen->button_edit->click();
        QCOMPARE(focused(), screen->DBEditName);
        QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
        type("李四四");
        press(Qt::Key_F8);
        QVERIFY(messages->all.isEmpty());
        QCOMPARE(cell("SELECT EMPLOYEE_NAME FROM QX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID='E1'"), QString("李四四"));
        QCOMPARE(cell("SELECT EDIT_NAME FROM QX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID='E1'"), QString("张三"));
        QCOMPARE(cell("SELECT EDIT_DATE FROM QX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID='E1'"),
                 QDate::currentDate().toString("yyyy-MM-dd"));

        messages->answers.enqueue(false);
        screen->button_delete->click();
        QCOMPARE(messages->questions.size(), 1);
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_EMPLOYEE_TABLE"), QString("2"));
        messages->answers.enqueue(true);
        screen->button_delete->click();
        QCOMPARE(column("SELECT EMPLOYEE_ID FROM QX_EMPLOYEE_TABLE"), QStringList{"E2"});
        QCOMPARE(listed(), QStringList{"E2"});
    }

    void commandsNeedNode_data()
    {
        QTest::addColumn<QString>("button");
        for (const char *button : {"button_add", "button_edit", "button_delete", "button_find", "button_print"})
            QTest::newRow(button) << QString(button);
    }

    void commandsNeedNode()
    {
        QFETCH(QString, button);
        addEmployee("E1", "李四", "D1");
        open();
        screen->QXTreeView->setCurrentItem(nullptr);
        QVERIFY(!screen->SelectedNode());
        auto *pressed = screen->findChild<QToolButton *>(button);
        QVERIFY(pressed && pressed->isEnabled());
        pressed->click();
        QCOMPARE(messages->warnings, QStringList{"必须选择一个部门(节点)"});
        QVERIFY(!screen->Query->isEditing());
        QCOMPARE(cell("SELECT COUNT(*) FROM QX_EMPLOYEE_TABLE"), QString("1"));
    }

    // Which employees a node lists, with and without "不显示下级部门人员记录".
    void subtreeLoading_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<bool>("ownOnly");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("root") << QStringList{} << false << QStringList{"E0", "E1", "E11", "E111", "E2"};
        QTest::newRow("root, own only") << QStringList{} << true << QStringList{"E0"};
        QTest::newRow("department") << QStringList{"运输部"} << false << QStringList{"E1", "E11", "E111"};
        QTest::newRow("department, own only") << QStringList{"运输部"} << true << QStringList{"E1"};
        QTest::newRow("inner department") << QStringList{"运输部", "一车队"} << false << QStringList{"E11", "E111"};
        QTest::newRow("department without sub-departments") << QStringList{"工程部"} << false << QStringList{"E2"};
    }

    void subtreeLoading()
    {
        QFETCH(QStringList, path);
        QFETCH(bool, ownOnly);
        QFETCH(QStringList, expected);
        addEmployee("E0", "甲", "G001");
        addEmployee("E1", "乙", "D1");
        addEmployee("E11", "丙", "D11");
        addEmployee("E111", "丁", "D111");
        addEmployee("E2", "戊", "D2");
        open();
        if (!path.isEmpty())
            select(path);
        // Ticking the box reloads the same node.
        if (ownOnly)
            QTest::mouseClick(screen->CheckBox1, Qt::LeftButton, {}, QPoint(8, screen->CheckBox1->height() / 2));
        QCOMPARE(screen->CheckBox1->isChecked(), ownOnly);
        QCOMPARE(listed(), expected);
        QCOMPARE(screen->DBEditCompanyName->text(),
                 cell("SELECT COMPANY_NAME FROM SYS_COMPANY_TABLE WHERE COMPANY_ID = (SELECT COMPANY_ID FROM "
                      "QX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID = '" + expected.first() + "')"));
        QVERIFY(messages->all.isEmpty());
    }

    // Searches within the selected node: a name, a birthday (month and day in any year),
    // part of a wage (a number column), the whole list.
    void find_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("field");  // empty: "全部数据"
        QTest::addColumn<QString>("value");  // a name part, or the birthday chosen in the calendar
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("name within the department's subtree")
            << QStringList{"运输部"} << "员工姓名" << "张" << QStringList{"E1", "E111"};
        QTest::newRow("birthday across years") << QStringList{} << "员工生日" << "2001-03-15" << QStringList{"E1", "E2"};
        QTest::newRow("birthday within a department") << QStringList{"工程部"} << "员工生日" << "2001-03-15" << QStringList{"E2"};
        QTest::newRow("whole list of the department") << QStringList{"运输部", "一车队"} << "" << "" << QStringList{"E11", "E111"};
        QTest::newRow("nothing found") << QStringList{"运输部"} << "员工姓名" << "赵" << QStringList{};
        QTest::newRow("part of a wage") << QStringList{} << "基本工资" << "35" << QStringList{"E1", "E2"};
    }

    void find()
    {
        QFETCH(QStringList, path);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QStringList, expected);
        addEmployee("E1", "张一", "D1", "1980-03-15");
        addEmployee("E11", "李二", "D11", "1980-03-16");
        addEmployee("E111", "张三", "D111", "1990-04-15");
        addEmployee("E2", "张四", "D2", "1975-03-15");
        for (const auto &[id, wage] : {std::pair{"E1", 3500.0}, {"E11", 1800.5}, {"E111", 2600.0}, {"E2", 1358.0}})
            run("UPDATE QX_EMPLOYEE_TABLE SET EMPLOYEE_STIPEND = ? WHERE EMPLOYEE_ID = ?", {wage, QString(id)});
        open();
        if (!path.isEmpty())
            select(path);
        onModal<TQXFindForm>([&](TQXFindForm &form) {
            if (field.isEmpty()) {
                form.allDataButton()->click();
                return;
            }
            FindEditors &editors = form.editors();
            editors.fieldBox->setCurrentIndex(editors.fieldBox->findText(field));
            if (field == "员工生日") {
                onModal<TDateForm>([&](TDateForm &calendar) {
                    calendar.setSelectedDate(QDate::fromString(value, Qt::ISODate));
                    calendar.okButton()->click();
                });
                editors.popupClicked();
            } else {
                editors.operatorBox->setCurrentIndex(editors.operatorBox->findText("相似"));
                editors.textBox->setText(value);
            }
            form.AddCondition();
            form.ButtonOKClick();
        });
        screen->button_find->click();
        QCOMPARE(messages->warnings, QStringList{expected.isEmpty() ? QString("没有找到符合条件的纪录")
                                                                   : QString("共找到 %1 个符合条件的纪录").arg(expected.size())});
        QCOMPARE(listed(), expected);
    }

    // "调动": the employee moves to the picked department without edit stamps; picking the
    // department it is in writes nothing.
    void transfer_data()
    {
        QTest::addColumn<QStringList>("path");    // node selected on the screen
        QTest::addColumn<QString>("picked");      // department chosen in the picker
        QTest::addColumn<QString>("department");  // E1's department afterwards
        QTest::addColumn<int>("writes");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("to another department") << QStringList{"运输部"} << "工程部" << "D2" << 1 << QStringList{};
        QTest::newRow("same department") << QStringList{"运输部"} << "运输部" << "D1" << 0 << QStringList{};
        QTest::newRow("no employee") << QStringList{"工程部"} << "" << "D1" << 0 << QStringList{"没有员工记录"};
    }

    void transfer()
    {
        QFETCH(QStringList, path);
        QFETCH(QString, picked);
        addEmployee("E1", "李四", "D1");
        run("CREATE TABLE WRITES(N INTEGER)");
        db->addTrigger("count_writes", "AFTER UPDATE ON QX_EMPLOYEE_TABLE", "INSERT INTO WRITES VALUES(1)");
        open();
        select(path);
        QVERIFY(screen->Button_Other->isVisible());
        QCOMPARE(screen->Button_Other->text(), QString("调动"));
        QVERIFY(screen->Button_Other->isEnabled());
        bool picker = false;
        if (!picked.isEmpty()) {
            onModal<TSelectDeptForm>([&](TSelectDeptForm &dialog) {
                picker = true;
                QCOMPARE(dialog.tree()->topLevelItem(0)->text(0), QString("本公司"));
                selectNode(*dialog.tree(), nodeAt(*dialog.tree(), {picked}));
                dialog.Button_okClick();
            });
        }
        screen->Button_Other->click();
        QCOMPARE(picker, !picked.isEmpty());
        QTEST(messages->warnings, "warnings");
        QTEST(cell("SELECT COMPANY_ID FROM QX_EMPLOYEE_TABLE WHERE EMPLOYEE_ID='E1'"), "department");
        QTEST(cell("SELECT COUNT(*) FROM WRITES").toInt(), "writes");
        QCOMPARE(cell("SELECT COALESCE(EDIT_NAME,'') || COALESCE(CAST(EDIT_DATE AS VARCHAR(10)),'') FROM QX_EMPLOYEE_TABLE"), QString());
        QCOMPARE(screen->Query->state(), TQXDataset::State::Browse);
        QCOMPARE(bool(screen->DeptPicker()), picker);
        if (picked == "工程部")
            QCOMPARE(screen->DBEditCompanyName->text(), QString("工程部"));
    }

    // The list boxes open their code-list picker, take the chosen value and move on; the date
    // boxes take the calendar's date.
    void valueBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("table");  // empty: a date box
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("next");
        QTest::newRow("marital status") << "DBComboEditMarriage" << "QX_EMPLOYEE_MARRIAGE_TABLE" << "已婚" << "DBComboEditCultureLevel";
        QTest::newRow("education") << "DBComboEditCultureLevel" << "QX_EMPLOYEE_CULTURE_LEVEL_TABLE" << "大专" << "DBComboEditTechnicPost";
        QTest::newRow("technical title") << "DBComboEditTechnicPost" << "QX_EMPLOYEE_TECHNIC_POST_TABLE" << "技师" << "DBComboEditPost";
        QTest::newRow("post") << "DBComboEditPost" << "QX_EMPLOYEE_POST_TABLE" << "司机" << "DBEditHandset";
        QTest::newRow("bank") << "DBComboEditBank" << "QX_EMPLOYEE_BANK_TABLE" << "工商银行" << "DBEditAccountNumber";
        QTest::newRow("vehicle classes") << "DBComboEditDriverType" << "QX_EMPLOYEE_DRIVER_TYPE_TABLE" << "A1" << "DBEditDriverCircs";
        QTest::newRow("birthday") << "DBComboEditBirthday" << "" << "1985-07-09" << "DBEditCard";
        QTest::newRow("licence date") << "DBComboEditDriverDate" << "" << "2010-01-02" << "DBEditDriverLimit";
    }

    void valueBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, table);
        QFETCH(QString, value);
        QFETCH(QString, next);
        if (!table.isEmpty())
            run(QString("INSERT INTO %1(%2) VALUES(?)").arg(table, table.mid(3).chopped(6)), {value});
        open();
        auto *edit = screen->findChild<TQXDBComboEdit *>(box);
        QVERIFY(edit);
        select({"运输部"});
        screen->button_add->click();
        if (table.isEmpty()) {
            onModal<TDateForm>([&](TDateForm &calendar) {
                calendar.setSelectedDate(QDate::fromString(value, Qt::ISODate));
                calendar.okButton()->click();
            });
        } else {
            onModal<TSelectEditForm>([&](TSelectEditForm &picker) {
                picker.query()->first();
                picker.Button_okClick();
            });
        }
        // Enter in the empty box opens the picker.
        edit->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(edit->text(), value);
        QVERIFY(screen->focusWidget());
        QCOMPARE(screen->focusWidget()->objectName(), next);
        QCOMPARE(screen->Query->fieldByName(edit->dataField()).asText(), value);
    }

    // The printed list: the department path as caption, a detail row per listed employee
    // with the employee's texts; the preview exports the listed employees with the sequence
    // column. An empty list prints nothing.
    void print_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("caption");  // empty: nothing is printed
        QTest::newRow("root") << QStringList{} << "本公司";
        QTest::newRow("department") << QStringList{"运输部", "一车队"} << "总公司--运输部--一车队";
        QTest::newRow("empty list") << QStringList{"工程部"} << "";
    }

    void print()
    {
        QFETCH(QStringList, path);
        QFETCH(QString, caption);
        addEmployee("E11", "李二", "D11", "1980-03-16");
        addEmployee("E111", "张三", "D111");
        run("UPDATE QX_EMPLOYEE_TABLE SET EMPLOYEE_POST = '司机', EMPLOYEE_HANDSET = '13900000001' WHERE EMPLOYEE_ID = 'E11'");
        run("UPDATE QX_EMPLOYEE_TABLE SET EMPLOYEE_DRIVER_DATE = ?, NOTE = '夜班' WHERE EMPLOYEE_ID = 'E111'",
            {QString("2010-01-02")});
        open();
        select(path);
        QTemporaryDir out;
        QStringList labels;
        QStringList exportFields;
        QStringList printedRows;
        QString reportName;
        bool exportId = false;
        const auto inspect = [&](TPrevForm &preview) {
            QVERIFY(preview.report);
            for (const auto &item : preview.report->pageHeader().items())
                labels << item->text;
            printedRows = detailTexts(preview.report->produce());
            for (const TExcelFieldName &entry : preview.ExcelFields)
                exportFields << entry.FieldName + ':' + entry.Caption;
            reportName = preview.QXExcel->ReportName;
            exportId = preview.ExportID;
        };
        const ShownPreview shown = ShownPreview::capture([this] { screen->button_print->click(); }, out.path(), 0, inspect);
        QVERIFY2(messages->all.isEmpty(), qPrintable(messages->all.join(';')));
        QCOMPARE(shown.shown, !caption.isEmpty());
        if (caption.isEmpty())
            return;
        QVERIFY2(labels.contains(caption), qPrintable(labels.join('|')));
        for (const char *heading : {"编号", "员工姓名", "任职部门", "职务", "办公电话", "手机", "家庭电话"})
            QVERIFY2(labels.contains(QString(heading)), heading);
        // Number, name, department, post, office phone, mobile, home phone.
        QCOMPARE(printedRows, (QStringList{"E11|李二|一车队|司机||13900000001|", "E111|张三|一班||||"}));

        const QStringList fields{"COMPANY_NAME:部门名称", "EMPLOYEE_ID:员工编号", "EMPLOYEE_NAME:员工姓名",
                                 "EMPLOYEE_SEX:员工性别", "EMPLOYEE_BIRTHDAY:出生日期", "EMPLOYEE_CARD:身份证",
                                 "EMPLOYEE_POST:员工职务", "EMPLOYEE_MARRIAGE:婚姻状况", "EMPLOYEE_CULTURE_LEVEL:文化水平",
                                 "EMPLOYEE_TECHNIC_POST:技术职称", "EMPLOYEE_HANDSET:员工手机", "EMPLOYEE_WORK_PHONE:办公电话",
                                 "EMPLOYEE_FAMILY_PHONE:家庭电话", "EMPLOYEE_FAMILY_ADDRESS:家庭地址", "EMPLOYEE_STIPEND:基本工资",
                                 "EMPLOYEE_BANK:开户银行", "EMPLOYEE_ACCOUNT_NUMBER:银行帐号", "EMPLOYEE_DRIVER_ID:驾驶证号",
                                 "EMPLOYEE_DRIVER_DATE:领证日期", "EMPLOYEE_DRIVER_LIMIT:证件期限",
                                 "EMPLOYEE_DRIVER_TYPE:准驾车型", "EMPLOYEE_DRIVER_CIRCS:年检情况", "NOTE:备注"};
        QCOMPARE(reportName, QString("单位员工资料列表"));
        QVERIFY(exportId);
        QCOMPARE(exportFields, fields);

        // The workbook: the headings after "序号", then the listed employees (columns B to D:
        // department, number, name; F birthday, H post, T licence date, X remark).
        QVERIFY(shown.exportShown);
        const WorksheetCells cells = WorksheetCells::read(shown.workbook);
        QCOMPARE(cells.name, QString("单位员工资料列表"));
        QStringList headings{"序号"};
        for (const QString &field : fields)
            headings << field.section(':', 1);
        QCOMPARE(cells.row(1), headings);
        QCOMPARE(cells.lastRow, 3);
        QCOMPARE(cells.row(2).mid(0, 8), (QStringList{"1", "一车队", "E11", "李二", "", "1980-03-16", "", "司机"}));
        QVERIFY(cells.isNumber("A2"));
        QCOMPARE(cells.row(3).mid(0, 6), (QStringList{"2", "一班", "E111", "张三", "", ""}));
        QCOMPARE(cells.text("T3"), QString("2010-01-02"));
        QCOMPARE(cells.text("X3"), QString("夜班"));
    }
};

QTEST_MAIN(tst_TOperationManForm)
#include "tst_toperationmanform.moc"
