#include "filereplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

FileReplacement::FileReplacement(QString keepDirectory) : m_keepDirectory(std::move(keepDirectory)) {}

FileReplacement::~FileReplacement()
{
    if (m_applied)
        rollback();
}

void FileReplacement::add(const QString &source, const QString &target)
{
    m_items.append({source, target, QString(), false});
}

bool FileReplacement::apply()
{
    m_applied = true;
    for (int i = 0; i < m_items.size(); ++i) {
        Item &item = m_items[i];
        if (QFileInfo::exists(item.target)) {
            item.kept = QDir(m_keepDirectory).filePath(QStringLiteral("kept-%1").arg(i));
            if (!QFile::rename(item.target, item.kept)) {
                item.kept.clear();
                rollback();
                return false;
            }
        }
        if (!QFile::rename(item.source, item.target)) {
            rollback();
            return false;
        }
        item.placed = true;
    }
    return true;
}

void FileReplacement::rollback()
{
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        if (it->placed)
            QFile::rename(it->target, it->source);
        if (!it->kept.isEmpty())
            QFile::rename(it->kept, it->target);
        it->placed = false;
        it->kept.clear();
    }
    m_applied = false;
}

void FileReplacement::commit()
{
    for (Item &item : m_items) {
        if (!item.kept.isEmpty())
            QFile::remove(item.kept);
        item.kept.clear();
        item.placed = false;
    }
    m_applied = false;
}
