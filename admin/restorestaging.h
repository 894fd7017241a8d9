#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QDateTime;
class QFile;

// Restored files are first written beside their targets under hidden temporary names.
// commit() then puts them in place one by one by atomic renames, keeping every replaced
// file until all are in place, so that a failure anywhere returns every target to what it
// was. Whatever is not committed — staged files, kept copies and the directories created
// for the targets — is removed when the staging ends. Targets not staged are never touched.
class RestoreStaging final
{
public:
    RestoreStaging() = default;
    ~RestoreStaging();
    RestoreStaging(const RestoreStaging &) = delete;
    RestoreStaging &operator=(const RestoreStaging &) = delete;

    // Creates the missing levels of the target's directory and an empty staged file for
    // `target`, open for writing, with the permissions of the file it will replace. A
    // later staging of the same target supersedes an earlier one. Null on failure.
    QFile *begin(const QString &target);
    // Gives the current staged file its modification time (when valid) and closes it.
    bool end(const QDateTime &modified);
    // Puts every staged file in place, or none of them.
    bool commit();

private:
    struct Item
    {
        QString target;
        QString staged;
        QString kept;     // the replaced file while the commit runs
        bool placed = false;
    };

    bool makeDirectory(const QString &directory);
    void rollback();
    static QString uniqueName(const QString &directory, const QString &prefix);

    QList<Item> m_items;
    std::unique_ptr<QFile> m_current;
    QStringList m_createdDirectories;
    bool m_committed = false;
};
