#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

// The input-method choice ("输入法选择窗口"): a drop-down list of the input methods known
// here (the current input method's locale) followed by three empty lines. "确定[F3]" ends
// with OK, "关闭[F4]" cancels. The desktop owns the input method itself, so the choice is
// only remembered.
class TSelectImesForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TSelectImesForm(QWidget *parent = nullptr);

    QString imeName() const;
    QComboBox *imeBox() const { return m_imes; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QComboBox *m_imes = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
};
