#include "tqxcombobox.h"
#include "tqxcomboedit.h"
#include "tqxedit.h"
#include "typedcharacterfilter.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

// Keystroke filters, focus colours and the combo edit's button.
class tst_DataEntryControls : public QObject
{
    Q_OBJECT

private slots:
    void filterTable_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("accepted");  // what is inserted; empty: rejected

        QTest::newRow("text takes anything") << int(etString) << "ab" << 2 << 0 << "张" << "张";
        QTest::newRow("phone takes anything") << int(etPhone) << "" << 0 << 0 << "(" << "(";
        QTest::newRow("integer digit") << int(etInteger) << "12" << 2 << 0 << "3" << "3";
        QTest::newRow("integer first minus") << int(etInteger) << "12" << 2 << 0 << "-" << "-";
        QTest::newRow("integer second minus") << int(etInteger) << "12-" << 3 << 0 << "-" << "";
        QTest::newRow("integer blank") << int(etInteger) << "1" << 1 << 0 << " " << "";
        QTest::newRow("integer letter") << int(etInteger) << "1" << 1 << 0 << "a" << "";
        QTest::newRow("integer point") << int(etInteger) << "1" << 1 << 0 << "." << "";
        QTest::newRow("integer selection from start frees") << int(etInteger) << "12" << 0 << 2 << "x" << "x";
        QTest::newRow("integer selection later filters") << int(etInteger) << "12" << 1 << 1 << "x" << "";
        QTest::newRow("float comma becomes point") << int(etFloat) << "12" << 2 << 0 << "," << ".";
        QTest::newRow("float point") << int(etFloat) << "12" << 2 << 0 << "." << ".";
        QTest::newRow("float second separator") << int(etFloat) << "1.2" << 3 << 0 << "," << "";
        QTest::newRow("float second minus") << int(etFloat) << "-1" << 2 << 0 << "-" << "";
        QTest::newRow("float blank") << int(etFloat) << "1" << 1 << 0 << " " << "";
        QTest::newRow("date dash") << int(etDate) << "2024" << 4 << 0 << "-" << "-";
        QTest::newRow("date slash") << int(etDate) << "2024" << 4 << 0 << "/" << "/";
        QTest::newRow("date letter even over a selection") << int(etDate) << "2024" << 0 << 4 << "a" << "";
        QTest::newRow("time colon") << int(etTime) << "12" << 2 << 0 << ":" << ":";
        QTest::newRow("time dash") << int(etTime) << "12" << 2 << 0 << "-" << "";
        QTest::newRow("backspace always") << int(etTime) << "12" << 2 << 0 << "\b" << "\b";
    }
    void filterTable()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(QString, typed);
        QFETCH(QString, accepted);
        const bool ok = AcceptTypedCharacter(TEditTypes(type), text, selectionStart, selectionLength, typed);
        QCOMPARE(ok ? typed : QString(), accepted);
    }

    // Typing into the real boxes.
    void typingIntoBoxes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one minus kept") << int(etInteger) << "12--" << "12-";
        QTest::newRow("blank cannot be typed") << int(etInteger) << "1 2" << "12";
        QTest::newRow("comma shown as point") << int(etFloat) << "12,5,3" << "12.53";
        QTest::newRow("date") << int(etDate) << "2024-05-06x" << "2024-05-06";
        QTest::newRow("date length limited to 10") << int(etDate) << "2024-05-061" << "2024-05-06";
        QTest::newRow("text takes blanks and signs") << int(etString) << "a b-1," << "a b-1,";
    }
    void typingIntoBoxes()
    {
        QFETCH(int, type);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QWidget window;
        auto *edit = new TQXEdit(&window);
        auto *combo = new TQXComboBox(&window);
        edit->setEditType(TEditTypes(type));
        combo->setEditType(TEditTypes(type));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        QTest::keyClicks(edit, keys);
        QCOMPARE(edit->text(), shown);
        combo->setFocus();
        QTest::keyClicks(combo, keys);
        QCOMPARE(combo->currentText(), shown);
        QCOMPARE(edit->testAttribute(Qt::WA_InputMethodEnabled), UsesInputMethod(TEditTypes(type)));
    }

    // A drop-down list whose editable switch changes drops and makes its edit; the filter
    // follows the edit in use and never touches a deleted one.
    void comboBoxEditableSwitch()
    {
        QWidget window;
        auto *combo = new TQXComboBox(&window);
        combo->setEditType(etInteger);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        combo->setEditable(false);
        combo->addItems({"1", "2"});
        combo->setFocus();
        QTest::keyClicks(combo, "x2");
        combo->setEditable(true);
        combo->setFocus();
        combo->setEditText(QString());
        QTest::keyClicks(combo, "1a-2");
        QCOMPARE(combo->currentText(), QString("1-2"));
        QVERIFY(!combo->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    }

    void selectionFromFirstCharacterIsReplaced()
    {
        TQXEdit edit;
        edit.setEditType(etInteger);
        edit.setText("123");
        edit.show();
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, "a");
        QCOMPARE(edit.text(), QString("a"));
    }

    void focusColourComesAndGoes()
    {
        QWidget window;
        auto *first = new TQXEdit(&window);
        auto *second = new TQXEdit(&window);
        first->colors().setNormalColor(QColor(238, 253, 253));
        first->colors().setColorOnFocus(QColor(199, 247, 248));
        second->colors().setFocusColorChange(false);
        const QColor secondNormal = second->colors().currentColor();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        first->setFocus();
        QTRY_COMPARE(first->colors().currentColor(), QColor(199, 247, 248));
        second->setFocus();
        QTRY_COMPARE(first->colors().currentColor(), QColor(238, 253, 253));
        QCOMPARE(second->colors().currentColor(), secondNormal);
    }

    void comboEditButton()
    {
        TQXComboEdit edit;
        QSignalSpy clicks(&edit, &TQXComboEdit::buttonClicked);
        edit.show();
        edit.setFocus();
        QTest::keyClick(&edit, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);

        edit.setButtonWidth(0);
        QTest::keyClick(&edit, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);

        edit.setButtonWidth(19);
        edit.setButtonEnabled(false);
        QVERIFY(!edit.button()->isVisible());
        QCOMPARE(edit.textMargins().right(), 0);
        edit.setButtonEnabled(true);
        QVERIFY(edit.button()->isVisible());
        QTest::mouseClick(edit.button(), Qt::LeftButton);
        QCOMPARE(clicks.count(), 2);

        edit.setDirectInput(false);
        QTest::keyClicks(&edit, "abc");
        QCOMPARE(edit.text(), QString());
        QSignalSpy changes(&edit, &QLineEdit::textChanged);
        edit.setText("picked");
        QCOMPARE(changes.count(), 1);
    }
};

QTEST_MAIN(tst_DataEntryControls)
#include "tst_dataentrycontrols.moc"
