#pragma once

#include <QDateTime>
#include <QString>

class DatabaseEngine;
class QWidget;

// The backup and restore commands of the main window and the packing of the tables.
// `mainWindow` is the main window (its frame lists the open screens); it may be null.

// The backup command ("数据备份"): refuses while screens are open, asks for the backup
// directory (offering the stored one), writes the archive under a dated name and reports.
// The start-up form skips the open-screen test, uses a stored directory without asking and
// lets the user replace a stored directory that no longer exists. True when written.
bool RunBackup(QWidget *mainWindow, bool atStartUp = false);

// The restore command ("数据恢复"): refuses while screens are open, asks for the archive,
// confirms, and restores the database and the attachment files from it, all or nothing.
// True when restored.
bool RunRestore(QWidget *mainWindow);

// Compacts the database (raises the engine's failure, e.g. TablesOpen while another
// connection writes).
void PackAllTables(DatabaseEngine &engine);

// directory + company + "工程车辆" + "yyyy-MM-dd hh.mm" + "备份文件", with the characters
// no file name may hold replaced.
QString BackupFileName(const QString &directory, const QString &companyName, const QDateTime &time);
