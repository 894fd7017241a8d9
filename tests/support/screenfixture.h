#pragma once

#include "scriptedmessages.h"
#include "testdatabase.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <memory>

class QTreeWidget;
class QTreeWidgetItem;
class TQXBaseForm;

// What a screen test sets up for every test function, inherited by the test class after
// QObject: a fresh database on the backend of the current global data row, scripted
// message boxes, the signed-in user and a shown main window that owns the screens. With
// helpers to read and write the main database, to use the keyboard where the focus is and
// to find nodes of a tree by caption.
class ScreenFixture
{
protected:
    // For init(): everything above, the user being `userId` / `userName`.
    void setUpScreenTest(const QString &userId, const QString &userName);
    // For cleanup(): the screen, the main window, the message service and the database go,
    // in that order.
    void tearDownScreenTest();
    // Opens `screen` as the main window opens a screen and waits until it is the active
    // window. The last screen shown goes with tearDownScreenTest().
    void showScreen(TQXBaseForm *screen);

    // The first value of the first row of `sql` as text; "<no row>" without a row.
    static QString cell(const QString &sql, const QVariantList &values = {});
    // The first value of every row of `sql`.
    static QStringList column(const QString &sql);
    // Runs `sql` on the main database. Statements without values are not prepared: the
    // server prepares no DDL.
    static void run(const QString &sql, const QVariantList &values = {});

    static QWidget *focused();
    // A key pressed where the focus is.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Characters typed where the focus is, Chinese ones included (key events carrying
    // their text).
    static void type(const QString &text);

    // The one node of `tree` captioned `caption` at any depth; null when there is none or
    // more than one.
    static QTreeWidgetItem *findNode(const QTreeWidget &tree, const QString &caption);
    // The node reached by `path` of captions from the first top-level node (empty: that
    // node itself), expanding the nodes on the way; null when a caption is missing.
    static QTreeWidgetItem *nodeAt(QTreeWidget &tree, const QStringList &path);
    // Makes `node` the current node of `tree`; fails the test when it is null.
    static void selectNode(QTreeWidget &tree, QTreeWidgetItem *node);

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ScriptedMessages> messages;
    std::unique_ptr<QMainWindow> main;

private:
    QPointer<QWidget> m_screen;
};
