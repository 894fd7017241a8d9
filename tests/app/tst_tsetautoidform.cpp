#include "databaseengine.h"
#include "dbhelpers.h"
#include "programparameters.h"
#include "scriptedmessages.h"
#include "testdatabase.h"
#include "tsetautoidform.h"

#include <QCheckBox>
#include <QtTest>

class TestSetAutoIDForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void showsTheSwitches_data();
    void showsTheSwitches();
    void writesEverySwitchInOrder();
};

namespace {

const QStringList BoxNames = {QStringLiteral("CheckCarNumber"), QStringLiteral("CheckRepairNumber"),
                              QStringLiteral("CheckWorkNumber"), QStringLiteral("CheckEmployeeNumber"),
                              QStringLiteral("CheckReminders"), QStringLiteral("CheckBackup")};
const QStringList SwitchNames = {QStringLiteral("车辆编号"), QStringLiteral("维修编号"), QStringLiteral("任务编号"),
                                 QStringLiteral("员工编号"), QStringLiteral("启动事务提醒"), QStringLiteral("不自动数据备份")};

QList<bool> boxStates(const TSetAutoIDForm &form)
{
    QList<bool> states;
    for (const QString &name : BoxNames)
        states << form.findChild<QCheckBox *>(name)->isChecked();
    return states;
}

} // namespace

void TestSetAutoIDForm::initTestCase_data()
{
    TestDatabase::addBackendRows();
}

void TestSetAutoIDForm::showsTheSwitches_data()
{
    QTest::addColumn<QStringList>("values");  // per switch; empty: no row
    QTest::addColumn<QList<bool>>("checked");
    QTest::newRow("shipped rows") << QStringList{"是", "是", "是", "是", "否", "否"}
                                  << QList<bool>{true, true, true, true, false, true};
    QTest::newRow("all opposite") << QStringList{"否", "否", "否", "否", "是", "是"}
                                  << QList<bool>{false, false, false, false, true, false};
    QTest::newRow("missing rows read as off") << QStringList{"", "", "", "", "", ""}
                                              << QList<bool>{false, false, false, false, false, true};
}

void TestSetAutoIDForm::showsTheSwitches()
{
    QFETCH(QStringList, values);
    QFETCH(QList<bool>, checked);
    TestDatabase db(TestDatabase::currentBackend());
    for (int i = 0; i < SwitchNames.size(); ++i) {
        ExecuteSQL(MainDatabaseName, QStringLiteral("DELETE FROM SYS_ID_TABLE WHERE NAME_ID = ") + sqlText(SwitchNames[i]));
        if (!values[i].isEmpty())
            QVERIFY(WriteParameter(SwitchNames[i], values[i]));
    }

    TSetAutoIDForm form;
    form.show();
    QCOMPARE(boxStates(form), checked);
}

void TestSetAutoIDForm::writesEverySwitchInOrder()
{
    TestDatabase db(TestDatabase::currentBackend());
    ScriptedMessages messages;
    // A missing row is added rather than updated.
    ExecuteSQL(MainDatabaseName, QStringLiteral("DELETE FROM SYS_ID_TABLE WHERE NAME_ID = '员工编号'"));
    db.engine().run(QStringLiteral("CREATE TABLE WRITES(SEQ %1 PRIMARY KEY, NAME_ID TEXT, AUTO_ID TEXT, KIND TEXT)")
                        .arg(db.isServer() ? QStringLiteral("SERIAL") : QStringLiteral("INTEGER")));
    db.addTrigger(QStringLiteral("LOG_UPDATE"), QStringLiteral("AFTER UPDATE ON SYS_ID_TABLE"),
                  QStringLiteral("INSERT INTO WRITES(NAME_ID,AUTO_ID,KIND) VALUES(NEW.NAME_ID,NEW.AUTO_ID,'U')"));
    db.addTrigger(QStringLiteral("LOG_INSERT"), QStringLiteral("AFTER INSERT ON SYS_ID_TABLE"),
                  QStringLiteral("INSERT INTO WRITES(NAME_ID,AUTO_ID,KIND) VALUES(NEW.NAME_ID,NEW.AUTO_ID,'I')"));

    TSetAutoIDForm form;
    form.show();
    form.findChild<QCheckBox *>(QStringLiteral("CheckCarNumber"))->setChecked(false);
    form.findChild<QCheckBox *>(QStringLiteral("CheckReminders"))->setChecked(true);
    form.findChild<QCheckBox *>(QStringLiteral("CheckBackup"))->setChecked(false);
    QTest::keyClick(&form, Qt::Key_Escape);  // Esc confirms like "确定"

    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    const QVariant writes = GetTableValues(MainDatabaseName, QStringLiteral("SELECT NAME_ID,AUTO_ID,KIND FROM WRITES ORDER BY SEQ"));
    const QVariantList expected = {
        QVariantList{"启动事务提醒", "是", "U"}, QVariantList{"车辆编号", "否", "U"}, QVariantList{"维修编号", "是", "U"},
        QVariantList{"任务编号", "是", "U"}, QVariantList{"员工编号", "否", "I"}, QVariantList{"不自动数据备份", "是", "U"},
    };
    QCOMPARE(writes.toList(), expected);
    QVERIFY(messages.all.isEmpty());
}

QTEST_MAIN(TestSetAutoIDForm)
#include "tst_tsetautoidform.moc"
