#pragma once

#include <QList>
#include <QString>

// Puts files in place of others by renames, all or nothing. Each replaced file is moved
// into `keepDirectory` (on the targets' file system) and stays there until commit(), so
// that rollback() can put every target back as it was. Without a commit the destructor
// rolls back.
class FileReplacement final
{
public:
    explicit FileReplacement(QString keepDirectory);
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    void add(const QString &source, const QString &target);
    // Moves every source to its target; on a failure undoes what was done and gives false.
    bool apply();
    // Returns the targets to what they were before apply().
    void rollback();
    // Drops the replaced files.
    void commit();

private:
    struct Item
    {
        QString source;
        QString target;
        QString kept;      // the replaced target while not committed
        bool placed = false;
    };

    QString m_keepDirectory;
    QList<Item> m_items;
    bool m_applied = false;
};
