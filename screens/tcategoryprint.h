#pragma once

#include <QList>
#include <QString>

class QWidget;
struct TreeTable;

// The printed list of a category screen: the selected category and everything below it,
// indented per level, either with outline numbers written into the names ("不打印序号")
// or with a running sequence-number column ("打印序号"), previewed with its spreadsheet
// export.
class TCategoryPrint
{
public:
    struct Row
    {
        QString name;
        QString note;
        bool operator==(const Row &) const = default;
    };

    TCategoryPrint(const TreeTable &table, const QString &title, QWidget *owner);

    // The print list below `parentId`, in outline order. With a name, that row comes first
    // unindented and unnumbered; children are indented by `indent`, with `numbering` their
    // position ("1.", padded so numbers of up to three digits line up) written in front.
    QList<Row> Outline(const QString &indent, bool numbering, const QString &parentId,
                       const QString &name = QString(), const QString &note = QString()) const;

    // Asks the print choice and previews the list from the category `id` (the root when
    // `root` is set: the root itself is not printed).
    void Run(const QString &id, const QString &name, const QString &note, bool root);

private:
    void outline(QList<Row> &rows, const QString &indent, bool numbering, const QString &parentId) const;
    void preview(const QList<Row> &rows, bool sequence);

    const TreeTable &m_table;
    QString m_title;
    QWidget *m_owner;
};
