#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

// The message list window ("信息显示窗口"): read-only lines that "保存" writes to a text file.
class TErrorMsgForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TErrorMsgForm(QWidget *parent = nullptr);

    void addLine(const QString &line);
    QStringList lines() const;

    QPlainTextEdit *memo() const { return m_memo; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *closeButton() const { return m_close; }

private:
    void ButtonSaveClick();

    QPlainTextEdit *m_memo = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
};
