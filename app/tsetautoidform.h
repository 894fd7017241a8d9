#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

// The numbering and start-up settings: six switches of SYS_ID_TABLE shown as check boxes.
// "确定" (or Esc) writes all six and closes.
class TSetAutoIDForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSetAutoIDForm(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormShow();
    void ButtonOKClick();

    QCheckBox *m_carNumber;
    QCheckBox *m_repairNumber;
    QCheckBox *m_workNumber;
    QCheckBox *m_employeeNumber;
    QCheckBox *m_reminders;
    QCheckBox *m_backup;
    QPushButton *m_buttonOK;
};
