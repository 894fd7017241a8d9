#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class DatabaseEngine;

// Verifies every table of the database and, when a table is damaged, rebuilds the
// database (fresh indexes, rewritten file) and verifies the damaged tables again. A table
// whose structure cannot even be checked gives "<table> 数据文件数据结构错误，不能修复！", a
// table still damaged after the rebuild (or when the rebuild failed, e.g. while another
// program copy has the database open) "<table> 数据文件修复失败！"; each message is followed
// by the separator line.
class TableRepair final
{
public:
    explicit TableRepair(DatabaseEngine &engine);

    // (position 0..count-1 of the table just verified, count).
    std::function<void(int position, int count)> OnProgress;

    // The message lines in table order; empty when every table is sound. Raises when the
    // tables cannot be listed.
    QStringList Run();

    static const QString Separator;

private:
    bool rebuild();
    bool sound(const QString &table);

    DatabaseEngine &m_engine;
};
