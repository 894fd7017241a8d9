#include "chooseone.h"
#include "scriptedmessages.h"
#include "shownwindow.h"
#include "tselectitemform.h"
#include "tselectitemqueryform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

QStringList optionTexts(const TSelectItemForm *form)
{
    QStringList texts;
    for (const QRadioButton *option : form->radioGroup()->findChildren<QRadioButton *>())
        texts << option->text();
    return texts;
}

void fill(TSelectItemForm &form, int options)
{
    for (int i = 1; i <= options; ++i)
        form.addOption(QStringLiteral("选项%1").arg(i));
}

} // namespace

class TestChooseOne : public QObject
{
    Q_OBJECT

private slots:
    void choiceOnShow_data();
    void choiceOnShow();
    void okWithoutChoiceWarnsAndStays();
    void queryFormCloseAndEscape();
    void family_data();
    void family();
};

void TestChooseOne::choiceOnShow_data()
{
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("preselected");  // 0-based, -1 for none
    QTest::addColumn<int>("groupHeight");
    QTest::addColumn<int>("choice");       // after Esc

    QTest::newRow("two, none preselected") << 2 << -1 << 89 << 1;
    QTest::newRow("three, third preselected") << 3 << 2 << 113 << 3;
    QTest::newRow("four, second preselected") << 4 << 1 << 129 << 2;
    QTest::newRow("six, none preselected") << 6 << -1 << 177 << 1;
}

void TestChooseOne::choiceOnShow()
{
    QFETCH(int, options);
    QFETCH(int, preselected);
    QFETCH(int, groupHeight);
    QFETCH(int, choice);

    ScriptedMessages messages;
    TSelectItemForm form;
    fill(form, options);
    form.setItemIndex(preselected);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(form.radioGroup()->height(), groupHeight);
    QCOMPARE(form.itemIndex(), choice - 1);
    QVERIFY(form.radioGroup()->isAncestorOf(QApplication::focusWidget()));

    // Esc confirms the choice like "确定".
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.choice(), choice);
    QVERIFY(messages.all.isEmpty());
}

void TestChooseOne::okWithoutChoiceWarnsAndStays()
{
    ScriptedMessages messages;
    TSelectItemForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.okButton()->click();
    QCOMPARE(messages.warnings, QStringList{QStringLiteral("必须选择一个选项")});
    QVERIFY(form.isVisible());
    QCOMPARE(form.choice(), 0);

    // With options but the choice cleared, OK refuses again; once one is chosen it closes.
    fill(form, 3);
    form.setItemIndex(-1);
    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(messages.warnings.size(), 2);
    QVERIFY(form.isVisible());
    form.setItemIndex(1);
    form.okButton()->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(form.choice(), 2);
}

void TestChooseOne::queryFormCloseAndEscape()
{
    TSelectItemQueryForm closed;
    fill(closed, 2);
    closed.show();
    QVERIFY(QTest::qWaitForWindowActive(&closed));
    closed.closeButton()->click();
    QVERIFY(!closed.isVisible());
    QCOMPARE(closed.result(), int(QDialog::Rejected));
    QCOMPARE(closed.choice(), 0);

    TSelectItemQueryForm escaped;
    fill(escaped, 2);
    escaped.show();
    QVERIFY(QTest::qWaitForWindowActive(&escaped));
    QTest::keyClick(&escaped, Qt::Key_Escape);
    QCOMPARE(escaped.result(), int(QDialog::Accepted));
    QCOMPARE(escaped.choice(), 1);
}

void TestChooseOne::family_data()
{
    QTest::addColumn<int>("member");
    QTest::addColumn<bool>("queryForm");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("initialChoice");
    QTest::addColumn<bool>("closeIt");
    QTest::addColumn<int>("expected");

    const QStringList six = {"甲", "乙", "丙", "丁", "戊", "己"};
    QTest::newRow("three, second given") << 3 << false << six.mid(0, 3) << 2 << false << 2;
    QTest::newRow("three, out of range starts on the first") << 3 << false << six.mid(0, 3) << 7 << false << 1;
    QTest::newRow("four") << 4 << false << six.mid(0, 4) << 1 << false << 1;
    QTest::newRow("five, fourth given") << 5 << false << six.mid(0, 5) << 4 << false << 4;
    QTest::newRow("six") << 6 << false << six << 1 << false << 1;
    QTest::newRow("query four") << 14 << true << six.mid(0, 4) << 1 << false << 1;
    QTest::newRow("query two") << 12 << true << six.mid(0, 2) << 1 << false << 1;
    QTest::newRow("query two closed") << 12 << true << six.mid(0, 2) << 1 << true << 0;
}

void TestChooseOne::family()
{
    QFETCH(int, member);
    QFETCH(bool, queryForm);
    QFETCH(QStringList, options);
    QFETCH(int, initialChoice);
    QFETCH(bool, closeIt);
    QFETCH(int, expected);

    const QString caption = QStringLiteral("排序选择窗口");
    QString shownCaption;
    QStringList shownOptions;
    int shownChoice = -1;
    bool shownAsQueryForm = false;
    whenShown<TSelectItemForm>([&](TSelectItemForm *form) {
        shownCaption = form->windowTitle();
        shownOptions = optionTexts(form);
        shownChoice = form->itemIndex() + 1;
        auto *query = qobject_cast<TSelectItemQueryForm *>(form);
        shownAsQueryForm = query != nullptr;
        if (closeIt && query)
            query->closeButton()->click();
        else
            form->okButton()->click();
    });

    const QStringList &o = options;
    int result = -1;
    switch (member) {
    case 3:
        result = ChooseOne(caption, o[0], o[1], o[2], initialChoice);
        break;
    case 4:
        result = ChooseOne(caption, o[0], o[1], o[2], o[3]);
        break;
    case 5:
        result = ChooseOne(caption, o[0], o[1], o[2], o[3], o[4], initialChoice);
        break;
    case 6:
        result = ChooseOne(caption, o[0], o[1], o[2], o[3], o[4], o[5]);
        break;
    case 14:
        result = ChooseOneQuery(caption, o[0], o[1], o[2], o[3]);
        break;
    case 12:
        result = ChooseOneQuery(caption, o[0], o[1]);
        break;
    }

    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownOptions, options);
    QCOMPARE(shownAsQueryForm, queryForm);
    QCOMPARE(shownChoice, initialChoice > options.size() ? 1 : initialChoice);
    QCOMPARE(result, expected);
}

QTEST_MAIN(TestChooseOne)
#include "tst_chooseone.moc"
