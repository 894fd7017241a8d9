#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

// The option dialog of the ChooseOne family: a radio group of options and "确定".
// The caller sets the caption, adds the options in order, may preselect one, runs the
// dialog and reads choice(): the 1-based position of the chosen option, 0 when none.
// Esc presses "确定", like the button.
class TSelectItemForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSelectItemForm(QWidget *parent = nullptr);

    void addOption(const QString &text);
    int optionCount() const;
    // The checked option, 0-based; -1 when none. setItemIndex(-1) clears the choice.
    int itemIndex() const;
    void setItemIndex(int index);

    // 1-based position of the option confirmed with "确定"; 0 until then.
    int choice() const { return m_choice; }

    QGroupBox *radioGroup() const { return m_group; }
    QPushButton *okButton() const { return m_ok; }

    // "确定": refuses with "必须选择一个选项" while no option is chosen, else accepts.
    void confirm();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QHBoxLayout *buttonRow() const { return m_buttonRow; }

private:
    QGroupBox *m_group = nullptr;
    QVBoxLayout *m_groupLayout = nullptr;
    QButtonGroup *m_buttons = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;
    QPushButton *m_ok = nullptr;
    int m_choice = 0;
};
