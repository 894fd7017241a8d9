#include "screenfixture.h"

#include "appvalues.h"
#include "databaseengine.h"
#include "tqxbaseform.h"
#include "tqxchild.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTest>
#include <QTreeWidget>

void ScreenFixture::setUpScreenTest(const QString &userId, const QString &userName)
{
    db = std::make_unique<TestDatabase>(TestDatabase::currentBackend());
    messages = std::make_unique<ScriptedMessages>();
    App().UserID = userId;
    App().UserName = userName;
    main = std::make_unique<QMainWindow>();
    main->resize(1100, 800);
    main->show();
}

void ScreenFixture::tearDownScreenTest()
{
    delete m_screen;
    main.reset();
    messages.reset();
    db.reset();
}

void ScreenFixture::showScreen(TQXBaseForm *screen)
{
    m_screen = screen;
    QVERIFY(screen->QXChild->ShowScreen());
    QVERIFY(QTest::qWaitForWindowActive(screen));
}

QString ScreenFixture::cell(const QString &sql, const QVariantList &values)
{
    DatabaseEngine &engine = DatabaseEngine::byName(MainDatabaseName);
    QSqlQuery query = values.isEmpty() ? engine.run(sql) : engine.run(sql, values);
    return query.next() ? query.value(0).toString() : QStringLiteral("<no row>");
}

QStringList ScreenFixture::column(const QString &sql)
{
    QSqlQuery query = DatabaseEngine::byName(MainDatabaseName).run(sql);
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}

void ScreenFixture::run(const QString &sql, const QVariantList &values)
{
    DatabaseEngine &engine = DatabaseEngine::byName(MainDatabaseName);
    if (values.isEmpty())
        engine.run(sql);
    else
        engine.run(sql, values);
}

QWidget *ScreenFixture::focused()
{
    return QApplication::focusWidget();
}

void ScreenFixture::press(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focused(), Qt::Key(key), modifiers);
}

void ScreenFixture::type(const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QTreeWidgetItem *ScreenFixture::findNode(const QTreeWidget &tree, const QString &caption)
{
    const auto found = tree.findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found.first() : nullptr;
}

QTreeWidgetItem *ScreenFixture::nodeAt(QTreeWidget &tree, const QStringList &path)
{
    QTreeWidgetItem *node = tree.topLevelItem(0);
    for (const QString &caption : path) {
        if (!node)
            return nullptr;
        node->setExpanded(true);
        QTreeWidgetItem *child = nullptr;
        for (int i = 0; i < node->childCount() && !child; ++i) {
            if (node->child(i)->text(0) == caption)
                child = node->child(i);
        }
        node = child;
    }
    return node;
}

void ScreenFixture::selectNode(QTreeWidget &tree, QTreeWidgetItem *node)
{
    QVERIFY(node);
    tree.setCurrentItem(node);
}
