#pragma once

#include <QMainWindow>
#include <QString>

class SingleInstance;

// The main window: the frame of the running program. It is created hidden before sign-on
// and shown maximised afterwards.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);

    // The creation set-up: application values, the single-instance check with the
    // application title (`instanceDirectory` holds its lock; empty: the user's runtime
    // directory), the organisation values. False when another copy is running (the user
    // has been told). Raises when the database cannot be used.
    bool FormCreate(const QString &instanceDirectory = QString());

    // Shows the window in front: restored when minimised, or the dialog that is open
    // while the window is still hidden (sign-on).
    void BringForward();

protected:
    void showEvent(QShowEvent *event) override;

private:
    SingleInstance *m_instance = nullptr;
};
