#include "tqxthread.h"

#include "tthreadform.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>

TQXThread::TQXThread(QObject *parent) : QObject(parent) {}

TQXThread::~TQXThread()
{
    HideProgress();
}

TThreadForm *TQXThread::window() const
{
    return m_form;
}

void TQXThread::setCaption(const QString &caption)
{
    m_caption = caption;
    if (m_form)
        m_form->setWindowTitle(caption);
}

void TQXThread::setBar(int index, bool visible)
{
    m_bars[index] = visible;
    if (m_form)
        m_form->progressBar(index + 1)->setVisible(visible);
}

void TQXThread::ShowProgress()
{
    if (m_active)
        return;
    m_stopRequested = false;
    // Transient for the window in front, so it stays above it without covering other programs.
    m_form = new TThreadForm(QApplication::activeWindow());
    m_form->setWindowTitle(m_caption);
    for (int index = 0; index < 3; ++index)
        m_form->progressBar(index + 1)->setVisible(m_bars[index]);
    m_form->stopButton()->setVisible(m_stopVisible);
    m_form->setKind(m_kind);
    connect(m_form, &TThreadForm::stopClicked, this, [this] { m_stopRequested = true; });
    m_form->show();
    m_form->raise();
    m_form->activateWindow();
    m_active = true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_form->repaint();
    QApplication::processEvents();
}

void TQXThread::HideProgress()
{
    if (!m_active)
        return;
    m_active = false;
    if (m_form) {
        m_form->hide();
        delete m_form;
    }
    QApplication::restoreOverrideCursor();
}
