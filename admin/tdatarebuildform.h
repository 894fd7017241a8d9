#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The repair dialog ("数据修复管理窗口", modal, for system users): "修复" first copies the
// data directory (a server database: its table files) into a dated folder of the user's
// choice, then verifies every table and rebuilds the database when a table is damaged,
// reporting "数据库文件修复完成" or the failing tables in the message list window.
class TDataRebuildForm final : public QDialog
{
    Q_OBJECT

public:
    // `productTitle` starts the name of the pre-repair copy.
    TDataRebuildForm(QWidget *parent, QString productTitle);

    // Copies the data before the repair; false when cancelled or the copy failed.
    bool PreRepairBackup();
    void RepairTables();

    QLabel *warningLabel() const { return m_warning; }
    QLabel *progressLabel() const { return m_progressLabel; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *repairButton() const { return m_repair; }
    QPushButton *closeButton() const { return m_close; }

private:
    void ButtonRepairClick();
    void showWorking(bool working);

    QString m_productTitle;
    QLabel *m_warning = nullptr;
    QLabel *m_progressLabel = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_repair = nullptr;
    QPushButton *m_close = nullptr;
};
