#include "tformmemo.h"

#include "tqxdbmemo.h"

#include <QLabel>
#include <QStackedLayout>

TFormMemo::TFormMemo(QWidget *owner) : QDialog(owner, Qt::Tool)
{
    // A tool window transient for its owner stays above the owner's window only.
    setObjectName(QStringLiteral("Memofield"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(360, 240);
    m_memo = new TQXDBMemo(this);
    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setAlignment(Qt::AlignCenter);
    m_pictureLabel->setMinimumSize(1, 1);
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_memo);
    m_stack->addWidget(m_pictureLabel);
}

void TFormMemo::ShowMemo(const QString &caption, TQXDataSource *source, const QString &fieldName, bool editable)
{
    setWindowTitle(caption);
    m_memo->setDataSource(source);
    m_memo->setDataField(fieldName);
    m_memo->setReadOnly(!editable);
    m_stack->setCurrentWidget(m_memo);
    showOver();
}

void TFormMemo::ShowPicture(const QString &caption, const QImage &picture)
{
    setWindowTitle(caption);
    m_picture = picture;
    m_stack->setCurrentWidget(m_pictureLabel);
    scalePicture();
    showOver();
}

bool TFormMemo::showsPicture() const
{
    return m_stack->currentWidget() == m_pictureLabel;
}

void TFormMemo::showOver()
{
    if (const QWidget *owner = parentWidget()) {
        const QRect area = owner->window()->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

void TFormMemo::scalePicture()
{
    m_pictureLabel->setPixmap(m_picture.isNull() ? QPixmap()
                                                 : QPixmap::fromImage(m_picture.scaled(m_pictureLabel->size(), Qt::IgnoreAspectRatio,
                                                                                       Qt::SmoothTransformation)));
}

void TFormMemo::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (showsPicture())
        scalePicture();
}
