#pragma once

#include <QTimer>
#include <QWidget>
#include <chrono>

// The splash screen: a borderless 370 × 229 window in the middle of the screen with the
// product title in raised red lettering and the maker and version. Creating it stores the
// start directory in BaseDir and today's date in TodayText; showing it starts its timer,
// which fires once after `minimumTime`.
class TShowForm final : public QWidget
{
    Q_OBJECT

public:
    explicit TShowForm(std::chrono::milliseconds minimumTime = std::chrono::milliseconds(3000),
                       QWidget *parent = nullptr);

    // True once the timer has fired.
    bool timeElapsed() const { return m_elapsed; }
    // Processes window messages until the timer has fired (returns at once when it has).
    void waitForTimer();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    bool m_elapsed = false;
};
