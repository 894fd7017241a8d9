#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;
struct TreeTable;

// The printed list of a tree screen: the selected node and everything below it, indented
// per level, either with outline numbers written into the names ("不打印序号") or with a
// running sequence-number column ("打印序号"), previewed with its spreadsheet export.
class TCategoryPrint
{
public:
    // A column of the list after the name, read with the outline.
    struct Column
    {
        QString field;
        QString heading{};        // heading in both layouts; empty: exported only
        QString exportCaption{};
        int width = 30;
    };

    // What the list shows and how it is printed and exported.
    struct Layout
    {
        QString title{};  // report title; empty: the screen has no print command
        QString report = QStringLiteral("RepRegion");                 // names carry outline numbers
        QString sequenceReport = QStringLiteral("RepRegionOrder");    // with the sequence-number column
        QString exportName{};          // empty: the title
        QString sequenceExportName{};  // empty: the title
        QString nameHeading{};
        QString sequenceNameHeading{};  // empty: nameHeading
        QString nameExportCaption{};    // empty: nameHeading
        QList<Column> columns{};

        // A category list: the name headed by the category word, then the remark.
        static Layout Categories(const TreeTable &table, const QString &title);
    };

    struct Row
    {
        QString name;
        QStringList values;  // one per layout column
        bool operator==(const Row &) const = default;
    };

    TCategoryPrint(const TreeTable &table, const Layout &layout, QWidget *owner);

    // The print list below `parentId`, in outline order. With a name, that row (with
    // `values`) comes first unindented and unnumbered; children are indented by `indent`,
    // with `numbering` their position ("1.", padded so numbers of up to three digits line
    // up) written in front.
    QList<Row> Outline(const QString &indent, bool numbering, const QString &parentId,
                       const QString &name = QString(), const QStringList &values = QStringList()) const;

    // Asks the print choice and previews the list from the node `id` with its name and
    // values (the root when `root` is set: the root itself is not printed).
    void Run(const QString &id, const QString &name, const QStringList &values, bool root);

private:
    void outline(QList<Row> &rows, const QString &indent, bool numbering, const QString &parentId) const;
    void preview(const QList<Row> &rows, bool sequence);

    const TreeTable &m_table;
    Layout m_layout;
    QWidget *m_owner;
};
