#pragma once

#include "tqxthread.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window ("提示窗口"): a busy bar that keeps moving by itself, a symbol for
// the kind of work, three progress bars (hidden until asked for) and a "停止" button that
// is hidden unless the caller honours it. Shown application-modal, so no other command
// can start while it is up.
class TThreadForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TThreadForm(QWidget *parent = nullptr);

    void setKind(TOptionKind kind);
    // Bars 1 to 3.
    QProgressBar *progressBar(int number) const;
    QPushButton *stopButton() const { return m_stop; }

signals:
    void stopClicked();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_symbol = nullptr;
    QProgressBar *m_busy = nullptr;
    QProgressBar *m_bars[3] = {};
    QPushButton *m_stop = nullptr;
};
