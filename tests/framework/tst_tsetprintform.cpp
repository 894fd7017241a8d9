#include "scriptedmessages.h"
#include "tqxedit.h"
#include "tsetprintform.h"

#include <QPushButton>
#include <QTest>

namespace {

// Replaces a box's text the way a user does, so the derived box follows.
void retype(TQXEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

} // namespace

class TestTSetPrintForm : public QObject
{
    Q_OBJECT

private slots:
    void checks_data();
    void checks();
    void showsMarginsAndEscapeConfirms();
};

void TestTSetPrintForm::checks_data()
{
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("bottomShown");
    QTest::addColumn<QString>("rightShown");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");

    QTest::newRow("5 and 8 give 15 and 12") << "5" << "8" << "15" << "12" << QString() << QString();
    QTest::newRow("top 25 leaves -5 below") << "25" << "8" << "-5" << "12" << QStringLiteral("下边距不能小于等于零") << "top";
    QTest::newRow("top empty") << "" << "8" << "20" << "12" << QStringLiteral("必须输入上边距") << "top";
    QTest::newRow("top zero") << "0" << "8" << "20" << "12" << QStringLiteral("上边距不能小于等于零") << "top";
    QTest::newRow("left empty") << "5" << "" << "15" << "20" << QStringLiteral("必须输入左边距") << "left";
    QTest::newRow("left zero") << "5" << "0" << "15" << "20" << QStringLiteral("左边距不能小于等于零") << "left";
    QTest::newRow("left 20 leaves 0 right") << "5" << "20" << "15" << "0" << QStringLiteral("右边距不能小于等于零") << "left";
}

void TestTSetPrintForm::checks()
{
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(QString, bottomShown);
    QFETCH(QString, rightShown);
    QFETCH(QString, warning);
    QFETCH(QString, focus);

    ScriptedMessages messages;
    TSetPrintForm form;
    form.TopMargin = form.BottomMargin = form.LeftMargin = form.RightMargin = 10;
    form.VerticalTotal = 20;
    form.HorizontalTotal = 20;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.focusWidget(), form.topEdit());

    retype(form.topEdit(), top);
    retype(form.leftEdit(), left);
    QCOMPARE(form.bottomEdit()->text(), bottomShown);
    QCOMPARE(form.rightEdit()->text(), rightShown);
    QTest::mouseClick(form.okButton(), Qt::LeftButton);

    if (warning.isEmpty()) {
        QCOMPARE(messages.all, QStringList());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.TopMargin, top.toDouble());
        QCOMPARE(form.BottomMargin, bottomShown.toDouble());
        QCOMPARE(form.LeftMargin, left.toDouble());
        QCOMPARE(form.RightMargin, rightShown.toDouble());
    } else {
        QCOMPARE(messages.all, QStringList{QStringLiteral("W:") + warning});
        QVERIFY(form.isVisible());
        QCOMPARE(form.focusWidget(), focus == QLatin1String("top") ? form.topEdit() : form.leftEdit());
        QCOMPARE(form.TopMargin, 10.0);  // nothing is kept before every check passes
    }
}

void TestTSetPrintForm::showsMarginsAndEscapeConfirms()
{
    ScriptedMessages messages;
    TSetPrintForm form;
    form.TopMargin = 7.5;
    form.BottomMargin = 12.5;
    form.LeftMargin = 10;
    form.RightMargin = 10;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.topEdit()->text(), QStringLiteral("7.5"));
    QCOMPARE(form.bottomEdit()->text(), QStringLiteral("12.5"));
    QCOMPARE(form.leftEdit()->text(), QStringLiteral("10"));
    QVERIFY(form.bottomEdit()->isReadOnly());
    QVERIFY(form.rightEdit()->isReadOnly());
    QCOMPARE(form.leftEdit()->maxLength(), 2);

    // Enter moves on instead of confirming.
    QTest::keyClick(form.topEdit(), Qt::Key_Return);
    QVERIFY(form.isVisible());
    QCOMPARE(form.focusWidget(), form.leftEdit());

    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.TopMargin, 7.5);
    QCOMPARE(form.BottomMargin, 12.5);
    QCOMPARE(messages.all, QStringList());
}

QTEST_MAIN(TestTSetPrintForm)
#include "tst_tsetprintform.moc"
