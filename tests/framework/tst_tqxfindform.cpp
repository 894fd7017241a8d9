#include "findeditors.h"
#include "scriptedmessages.h"
#include "sqlitedialect.h"
#include "testdatabase.h"
#include "tfindformdialog.h"
#include "tfindsimpleformdialog.h"
#include "tqxcomboedit.h"
#include "tqxedit.h"
#include "tqxfindform.h"
#include "tqxfindsimpleform.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

class TestTQXFindForm : public QObject
{
    Q_OBJECT

private slots:
    void offersFieldsWithCaptionAndKind();
    void editorsByKind_data();
    void editorsByKind();
    void refusals_data();
    void refusals();
    void linesJoinedByAndOr();
    void removingTheFirstLine_data();
    void removingTheFirstLine();
    void allDataAndPersistence();
    void popupValues();
    void typedValueCleanedUp();
    void executeIsModal();
    void simpleDialog();
};

namespace {

const SqliteDialect Dialect;

TFieldsDataArray findFields()
{
    return TFieldsDataArray{
        TFieldsData{.FieldName = QStringLiteral("NOTE"), .Caption = QStringLiteral("备注"), .FindKind = QStringLiteral("T")},
        TFieldsData{.FieldName = QStringLiteral("MONEY_INTO_NUMBER"), .Caption = QStringLiteral("收入金额"),
                    .DataKind = QStringLiteral("N"), .FindKind = QStringLiteral("T")},
        TFieldsData{.FieldName = QStringLiteral("MONEY_DATE"), .Caption = QStringLiteral("帐款日期"), .DataKind = QStringLiteral("D"),
                    .FindKind = QStringLiteral("D")},
        TFieldsData{.FieldName = QStringLiteral("STATUS"), .Caption = QStringLiteral("状态"), .KeyField = QStringLiteral("未审核;;已审核"),
                    .FindKind = QStringLiteral("B")},
        TFieldsData{.FieldName = QStringLiteral("EMPLOYEE_BIRTHDAY"), .Caption = QStringLiteral("生日"),
                    .FindKind = QStringLiteral("BS")},
        TFieldsData{.FieldName = QStringLiteral("COMPANY_NAME"), .Caption = QStringLiteral("部门"), .KeyField = QStringLiteral("COMPANY_ID"),
                    .TableAlias = QStringLiteral("A"), .FindKind = QStringLiteral("ES")},
        TFieldsData{.FieldName = QStringLiteral("EMPLOYEE_POST"), .Caption = QStringLiteral("职务"), .FindKind = QStringLiteral("DT")},
        TFieldsData{.FieldName = QStringLiteral("CAR_ID"), .Caption = QStringLiteral("车牌"), .FindKind = QStringLiteral("  ")},
        TFieldsData{.FieldName = QStringLiteral("CAR_RECORD_ID"), .FindKind = QStringLiteral("T")},
    };
}

// A find dialog shown without its modal loop, as Execute prepares it.
struct FindScreen
{
    QWidget owner;
    TFindFormDialog dialog{&owner};

    FindScreen()
    {
        dialog.SetFieldsData(findFields());
        dialog.BaseSQL = QStringLiteral("SELECT * FROM QX_INTO_OUT_MONEY_TABLE");
        dialog.window()->Dialect = &Dialect;
        dialog.Prepare();
        dialog.window()->show();
    }
    TQXFindForm &form() { return *dialog.window(); }
    FindEditors &editors() { return form().editors(); }

    void choose(const QString &caption, const QString &relation)
    {
        editors().fieldBox->setCurrentIndex(editors().fieldBox->findText(caption));
        if (!relation.isEmpty())
            editors().operatorBox->setCurrentIndex(editors().operatorBox->findText(relation));
    }
    void add(const QString &caption, const QString &relation, const QString &value)
    {
        choose(caption, relation);
        if (editors().valueStack->currentWidget() == editors().textBox)
            editors().textBox->setText(value);
        else if (editors().valueStack->currentWidget() == editors().choiceBox)
            editors().choiceBox->setCurrentIndex(editors().choiceBox->findText(value));
        else
            editors().popupBox->setText(value);
        form().AddCondition();
    }
};

QStringList items(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

} // namespace

void TestTQXFindForm::offersFieldsWithCaptionAndKind()
{
    FindScreen screen;
    QCOMPARE(items(screen.editors().fieldBox),
             (QStringList{"备注", "收入金额", "帐款日期", "状态", "生日", "部门", "职务"}));
    QCOMPARE(items(screen.editors().operatorBox), (QStringList{"相似", "等于", "不等于", "小于等于", "大于等于"}));
    QCOMPARE(screen.form().windowTitle(), QStringLiteral("查找窗口"));
    QVERIFY(!screen.form().okButton()->isEnabled());
    QVERIFY(!screen.form().removeButton()->isEnabled());
    QVERIFY(screen.form().allDataButton()->isVisible());
    screen.dialog.Caption = QStringLiteral("帐款资料");
    screen.dialog.BaseSQL.clear();
    screen.dialog.Prepare();
    QCOMPARE(screen.form().windowTitle(), QStringLiteral("帐款资料查找窗口"));
    QVERIFY(!screen.form().allDataButton()->isVisible());
}

void TestTQXFindForm::editorsByKind_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QStringList>("relations");
    QTest::addColumn<bool>("relationsEnabled");
    QTest::addColumn<bool>("readOnly");
    const QStringList all{"相似", "等于", "不等于", "小于等于", "大于等于"};
    const QStringList noLike = all.mid(1);
    QTest::newRow("T text") << "备注" << "text" << all << true << false;
    QTest::newRow("T number") << "收入金额" << "text" << noLike << true << false;
    QTest::newRow("D") << "帐款日期" << "popup" << noLike << true << false;
    QTest::newRow("B") << "状态" << "choice" << noLike << true << false;
    QTest::newRow("BS") << "生日" << "popup" << noLike << false << true;
    QTest::newRow("ES") << "部门" << "popup" << all << true << false;
    QTest::newRow("DT text") << "职务" << "popup" << all << true << false;
}

void TestTQXFindForm::editorsByKind()
{
    QFETCH(QString, caption);
    QFETCH(QString, editor);
    QFETCH(QStringList, relations);
    QFETCH(bool, relationsEnabled);
    QFETCH(bool, readOnly);
    FindScreen screen;
    FindEditors &editors = screen.editors();
    // Coming from a number field, "相似" is offered again.
    screen.choose(QStringLiteral("收入金额"), QString());
    screen.choose(caption, QString());
    QWidget *expected = editor == QLatin1String("text")     ? static_cast<QWidget *>(editors.textBox)
                        : editor == QLatin1String("choice") ? static_cast<QWidget *>(editors.choiceBox)
                                                            : static_cast<QWidget *>(editors.popupBox);
    QCOMPARE(editors.valueStack->currentWidget(), expected);
    QCOMPARE(items(editors.operatorBox), relations);
    QCOMPARE(editors.operatorBox->isEnabled(), relationsEnabled);
    QCOMPARE(editors.popupBox->isReadOnly(), readOnly);
    if (!relationsEnabled)
        QCOMPARE(editors.operatorBox->currentText(), QStringLiteral("等于"));
    if (editor == QLatin1String("choice"))
        QCOMPARE(items(editors.choiceBox), (QStringList{"未审核", "已审核"}));
    QCOMPARE(editors.textBox->editType(), caption == QStringLiteral("收入金额") ? etFloat : etString);
}

void TestTQXFindForm::refusals_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("relation");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("no field") << "" << "" << "" << "必须有一个查找字段";
    QTest::newRow("no relation") << "备注" << "" << "abc" << "必须有一个查找关系";
    QTest::newRow("no value") << "备注" << "等于" << "" << "必须有一个查找的值";
    QTest::newRow("no choice") << "状态" << "等于" << "" << "必须有一个查找的值";
    QTest::newRow("no date") << "帐款日期" << "等于" << "" << "必须有一个查找的日期";
    QTest::newRow("one-digit month") << "帐款日期" << "等于" << "2024-5-06"
                                     << "错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”";
    QTest::newRow("no such day") << "帐款日期" << "等于" << "2024-02-30"
                                 << "错误的日期格式,正确的日期格式如2000年8月8日是:“2000-08-08”";
    QTest::newRow("ES typed, not chosen") << "部门" << "等于" << "运输一队" << "必须从弹出的窗口里选择一个值";
    QTest::newRow("BS without pop-up") << "生日" << "" << "" << "必须有一个查找的值";
}

void TestTQXFindForm::refusals()
{
    QFETCH(QString, caption);
    QFETCH(QString, relation);
    QFETCH(QString, value);
    QFETCH(QString, message);
    ScriptedMessages messages;
    FindScreen screen;
    if (caption.isEmpty())
        screen.form().AddCondition();
    else
        screen.add(caption, relation, value);
    QCOMPARE(messages.warnings, QStringList{message});
    QCOMPARE(screen.form().conditionList()->count(), 0);
    QVERIFY(screen.form().isVisible());
}

void TestTQXFindForm::linesJoinedByAndOr()
{
    ScriptedMessages messages;
    FindScreen screen;
    screen.add(QStringLiteral("备注"), QStringLiteral("相似"), QStringLiteral("abc"));
    QVERIFY(screen.form().okButton()->isEnabled());
    screen.add(QStringLiteral("收入金额"), QStringLiteral("大于等于"), QStringLiteral("100"));
    QCOMPARE(messages.warnings, QStringList{"必须有一个查找逻辑"});
    screen.form().orButton()->setChecked(true);
    screen.form().AddCondition();
    screen.form().andButton()->setChecked(true);
    screen.add(QStringLiteral("帐款日期"), QStringLiteral("等于"), QStringLiteral("2024-05-06"));
    screen.add(QStringLiteral("状态"), QStringLiteral("不等于"), QStringLiteral("已审核"));
    QCOMPARE(screen.form().sqlLines(), (QStringList{"NOTE Like  '%abc%'", " or MONEY_INTO_NUMBER >=  100",
                                                    " and MONEY_DATE =  '2024-05-06'", " and STATUS <>  '已审核'"}));
    QCOMPARE(screen.form().displayLines(), (QStringList{" 备注 相似 abc", " 或着 收入金额 大于等于 100",
                                                        " 并且 帐款日期 等于 2024-05-06", " 并且 状态 不等于 已审核"}));
    screen.form().ButtonOKClick();
    QCOMPARE(screen.form().result(), int(QDialog::Accepted));
    QVERIFY(!screen.dialog.AllData());
    QCOMPARE(screen.dialog.Conditions().size(), 4);
    QCOMPARE(screen.dialog.ConditionText(),
             QStringLiteral(" 备注 相似 abc 或着 收入金额 大于等于 100 并且 帐款日期 等于 2024-05-06 并且 状态 不等于 已审核"));
}

void TestTQXFindForm::removingTheFirstLine_data()
{
    QTest::addColumn<bool>("useOr");
    QTest::addColumn<QString>("first");
    QTest::newRow("or") << true << "NOTE =  'b'";
    QTest::newRow("and keeps one blank") << false << " NOTE =  'b'";
}

void TestTQXFindForm::removingTheFirstLine()
{
    QFETCH(bool, useOr);
    QFETCH(QString, first);
    ScriptedMessages messages;
    FindScreen screen;
    screen.add(QStringLiteral("备注"), QStringLiteral("等于"), QStringLiteral("a"));
    (useOr ? screen.form().orButton() : screen.form().andButton())->setChecked(true);
    screen.add(QStringLiteral("备注"), QStringLiteral("等于"), QStringLiteral("b"));
    QListWidget *list = screen.form().conditionList();
    list->setCurrentRow(0);
    QVERIFY(screen.form().removeButton()->isEnabled());
    screen.form().removeButton()->click();
    QVERIFY(!screen.form().removeButton()->isEnabled());
    QCOMPARE(list->count(), 1);
    screen.form().okButton()->click();
    QCOMPARE(screen.dialog.Conditions(), QStringList{first});
    QVERIFY(messages.all.isEmpty());
}

void TestTQXFindForm::allDataAndPersistence()
{
    ScriptedMessages messages;
    FindScreen screen;
    QTest::keyClick(&screen.form(), Qt::Key_F3);
    QCOMPARE(messages.warnings, QStringList{"没有查找表达式"});
    QVERIFY(screen.form().isVisible());

    screen.add(QStringLiteral("备注"), QStringLiteral("等于"), QStringLiteral("a"));
    screen.form().okButton()->click();
    // The next search starts from the lines left.
    screen.dialog.Prepare();
    screen.form().show();
    QCOMPARE(screen.form().conditionList()->count(), 1);
    QVERIFY(screen.form().okButton()->isEnabled());
    screen.form().allDataButton()->click();
    QVERIFY(screen.dialog.AllData());
    QVERIFY(screen.dialog.Conditions().isEmpty());
    QCOMPARE(screen.form().result(), int(QDialog::Accepted));

    screen.dialog.Prepare();
    screen.form().show();
    screen.add(QStringLiteral("备注"), QStringLiteral("等于"), QStringLiteral("a"));
    screen.dialog.SetFieldsData(findFields());
    QCOMPARE(screen.form().conditionList()->count(), 0);
    QVERIFY(screen.dialog.Conditions().isEmpty());
}

void TestTQXFindForm::popupValues()
{
    ScriptedMessages messages;
    FindScreen screen;
    QStringList calls;
    screen.dialog.PopupWindow = [&](QString &value, QString &result, const QString &fieldName) {
        calls << fieldName + QLatin1Char(':') + value;
        if (fieldName == QLatin1String("COMPANY_NAME")) {
            value = QStringLiteral("运输一队");
            result = QStringLiteral("D1");
        } else if (fieldName == QLatin1String("EMPLOYEE_BIRTHDAY")) {
            value = QStringLiteral("05-06");
            result = QStringLiteral("(BIRTH = 506)");
        }
        return 1;
    };
    screen.dialog.Prepare();
    FindEditors &editors = screen.editors();
    screen.choose(QStringLiteral("部门"), QStringLiteral("等于"));
    editors.popupBox->setText(QStringLiteral("运输"));
    QTest::keyClick(editors.popupBox, Qt::Key_Return);
    QCOMPARE(calls, QStringList{"COMPANY_NAME:运输"});
    QCOMPARE(editors.popupBox->text(), QStringLiteral("运输一队"));
    editors.popupBox->setText(QStringLiteral("运输二队"));
    screen.form().AddCondition();
    QCOMPARE(messages.warnings, QStringList{"选择出来的值不能改变"});
    editors.popupBox->setText(QStringLiteral("运输一队"));
    screen.form().AddCondition();
    screen.form().andButton()->setChecked(true);
    screen.choose(QStringLiteral("生日"), QString());
    editors.popupBox->buttonClicked();
    screen.form().AddCondition();
    QCOMPARE(screen.form().sqlLines(), (QStringList{"A.COMPANY_ID =  'D1'", " and (BIRTH = 506)"}));
    QCOMPARE(screen.form().displayLines().last(), QStringLiteral(" 并且  生日 等于 05-06"));
}

void TestTQXFindForm::typedValueCleanedUp()
{
    FindScreen screen;
    screen.choose(QStringLiteral("备注"), QStringLiteral("等于"));
    // Pasted text; typed text is cleaned after every key, so a ";" or "?" never stays.
    screen.editors().textBox->setText(QStringLiteral("a;bc?d"));
    QCOMPARE(screen.editors().textBox->text(), QStringLiteral("bc"));
    QTest::keyClicks(screen.editors().textBox, QStringLiteral(";x?"));
    QCOMPARE(screen.editors().textBox->text(), QStringLiteral("x"));
}

void TestTQXFindForm::executeIsModal()
{
    ScriptedMessages messages;
    QWidget owner;
    TFindFormDialog dialog(&owner);
    dialog.SetFieldsData(findFields());
    QTimer::singleShot(0, this, [&] {
        TQXFindForm *form = dialog.window();
        form->editors().fieldBox->setCurrentIndex(0);
        form->editors().operatorBox->setCurrentIndex(1);
        form->editors().textBox->setText(QStringLiteral("O'Brien"));
        form->AddCondition();
        form->okButton()->click();
        if (form->isVisible())
            form->reject();
    });
    QVERIFY(dialog.Execute());
    QCOMPARE(dialog.Conditions(), QStringList{"NOTE =  'O''Brien'"});
    QTimer::singleShot(0, this, [&] { dialog.window()->closeButton()->click(); });
    QVERIFY(!dialog.Execute());
}

void TestTQXFindForm::simpleDialog()
{
    ScriptedMessages messages;
    QWidget owner;
    TFindSimpleFormDialog dialog(&owner);
    dialog.SetFieldsData(findFields());
    dialog.BaseSQL = QStringLiteral("SELECT * FROM SYS_USER_TABLE");
    dialog.window()->Dialect = &Dialect;
    dialog.Prepare();
    TQXFindSimpleForm &form = *dialog.window();
    form.show();
    FindEditors &editors = form.editors();
    form.ButtonOKClick();
    editors.fieldBox->setCurrentIndex(editors.fieldBox->findText(QStringLiteral("备注")));
    editors.operatorBox->setCurrentIndex(editors.operatorBox->findText(QStringLiteral("等于")));
    editors.textBox->setText(QStringLiteral("abc？x"));
    QCOMPARE(editors.textBox->text(), QStringLiteral("abc"));
    QTest::keyClick(&form, Qt::Key_F3);
    QCOMPARE(messages.warnings, QStringList{"必须有一个查找字段"});
    QCOMPARE(dialog.Condition(), QStringLiteral("NOTE = 'abc'"));
    QVERIFY(!dialog.AllData());
    dialog.Prepare();
    form.show();
    form.allDataButton()->click();
    QVERIFY(dialog.AllData());
    QVERIFY(dialog.Condition().isEmpty());
}

QTEST_MAIN(TestTQXFindForm)
#include "tst_tqxfindform.moc"
