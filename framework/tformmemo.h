#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QStackedLayout;
class TQXDBMemo;
class TQXDataSource;

// The floating window (form "Memofield") of a memo or picture cell: a data-bound memo or a
// picture filling a small window centred over its owner, kept above the owner's window.
class TFormMemo final : public QDialog
{
    Q_OBJECT

public:
    explicit TFormMemo(QWidget *owner);

    // Shows the memo bound to `fieldName` of `source`'s dataset.
    void ShowMemo(const QString &caption, TQXDataSource *source, const QString &fieldName, bool editable);
    // Shows `picture` stretched to the window.
    void ShowPicture(const QString &caption, const QImage &picture);

    TQXDBMemo *memo() const { return m_memo; }
    bool showsPicture() const;
    QImage picture() const { return m_picture; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showOver();
    void scalePicture();

    QStackedLayout *m_stack = nullptr;
    TQXDBMemo *m_memo = nullptr;
    QLabel *m_pictureLabel = nullptr;
    QImage m_picture;
};
