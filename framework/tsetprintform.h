#pragma once

#include <QDialog>

class QPushButton;
class TQXEdit;

// The page-margin dialog ("报表边距设置窗口"). The caller sets the four margins
// (millimetres) and the two totals, runs the dialog and reads the margins after OK.
// Typing the top margin sets the bottom one to the vertical total minus it, typing the
// left margin sets the right one to the horizontal total minus it.
class TSetPrintForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSetPrintForm(QWidget *parent = nullptr);

    qreal TopMargin = 0;
    qreal BottomMargin = 0;
    qreal LeftMargin = 0;
    qreal RightMargin = 0;
    int VerticalTotal = 20;
    int HorizontalTotal = 20;

    TQXEdit *topEdit() const { return m_top; }
    TQXEdit *bottomEdit() const { return m_bottom; }
    TQXEdit *leftEdit() const { return m_left; }
    TQXEdit *rightEdit() const { return m_right; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }

    // "确定": checks the boxes; on success keeps the four values and closes with OK.
    void ButtonOKClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TQXEdit *m_top = nullptr;
    TQXEdit *m_bottom = nullptr;
    TQXEdit *m_left = nullptr;
    TQXEdit *m_right = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
};
