#pragma once

#include "datadeletion.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QGroupBox;
class QPushButton;
class QRadioButton;
class TYearForm;

// The data deletion screen ("数据删除选择窗口"), opened alone from the main window, which
// holds its exclusive flag until the screen reports its closing. The options delete the work
// tasks, repairs, money entries or reminders up to and including a year, or all business
// data; each asks with the number of records first and runs in one transaction, then the
// database is packed. The options are offered only with the add right of "过时数据删除".
//
// A modeless top-level window that reports being shown, minimised and closed to the main
// window's frame itself.
class TDeleteDataForm final : public QWidget
{
    Q_OBJECT

public:
    explicit TDeleteDataForm(QWidget *mainWindow = nullptr);

    QGroupBox *optionGroup() const { return m_options; }
    // Option 1 to 5.
    QRadioButton *option(int number) const;
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }
    // The year dialog, made on first use and kept.
    TYearForm *yearForm() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormShow();
    void ButtonOKClick();
    void deleteYear(DataDeletion::YearOption option);
    void deleteAll();
    // Runs a deletion under the progress window, then packs and reports the outcome.
    void runDeletion(const std::function<void()> &deletion);
    // Packs after a deletion; a failure is reported, the deletion stands.
    void pack();
    QObject *applicationWindow() const;

    QGroupBox *m_options = nullptr;
    QList<QRadioButton *> m_optionButtons;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
    QPointer<TYearForm> m_yearForm;
    bool m_shown = false;
    bool m_minimized = false;
};
