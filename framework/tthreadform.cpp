#include "tthreadform.h"

#include "uihelpers.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TThreadForm::TThreadForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("提示窗口"));
    setWindowModality(Qt::ApplicationModal);

    m_symbol = new QLabel(this);
    m_busy = new QProgressBar(this);
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setMinimumWidth(300);

    auto *busyRow = new QHBoxLayout;
    busyRow->addWidget(m_symbol);
    busyRow->addWidget(m_busy, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(busyRow);
    for (QProgressBar *&bar : m_bars) {
        bar = new QProgressBar(this);
        bar->hide();
        layout->addWidget(bar);
    }

    m_stop = new QPushButton(QStringLiteral("停止"), this);
    m_stop->setAutoDefault(false);
    m_stop->hide();
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_stop);
    buttonRow->addStretch();
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_stop, &QPushButton::clicked, this, &TThreadForm::stopClicked);
    setKind(crCopy);
}

void TThreadForm::setKind(TOptionKind kind)
{
    QStyle::StandardPixmap symbol = QStyle::SP_FileIcon;
    if (kind == crDelete)
        symbol = QStyle::SP_TrashIcon;
    else if (kind == crFind)
        symbol = QStyle::SP_FileDialogContentsView;
    m_symbol->setPixmap(style()->standardIcon(symbol).pixmap(32, 32));
}

QProgressBar *TThreadForm::progressBar(int number) const
{
    return number >= 1 && number <= 3 ? m_bars[number - 1] : nullptr;
}

void TThreadForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
}

void TThreadForm::keyPressEvent(QKeyEvent *event)
{
    // The window goes when the work is done, not on Esc.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TThreadForm::closeEvent(QCloseEvent *event)
{
    // Closing from the window frame would leave the work running without its window.
    if (event->spontaneous())
        event->ignore();
    else
        QDialog::closeEvent(event);
}
