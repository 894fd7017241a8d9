#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The year dialog of the deletion screen ("删除年份输入窗口"): one whole-number box
// "删除年份" of at most four digits, "确定" and "关闭". OK needs a four-digit year.
class TYearForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TYearForm(QWidget *parent = nullptr);

    // The year as typed.
    QString yearText() const;
    int year() const { return yearText().toInt(); }

    QLineEdit *yearEdit() const { return m_year; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ButtonOKClick();

    QLineEdit *m_year = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
};
