#pragma once

#include <QDate>
#include <QDialog>
#include <QKeySequence>

class QCalendarWidget;
class QLabel;
class QPushButton;
class QShortcut;

// The date selection dialog behind every date button: a title line with the selected date,
// month and year steps, a calendar and the buttons "确定[F3]" and "关闭[F4]". A double click
// on a day confirms. Callers set the date before showing and read it after OK.
class TDateForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TDateForm(QWidget *parent = nullptr);

    QDate selectedDate() const;
    void setSelectedDate(const QDate &date);
    // The title line as shown, the selected date "yyyy-MM-dd".
    QString titleText() const;

    // Renames a button and moves its shortcut (the find dialogs close with "关闭[F12]").
    void setOkButton(const QString &text, const QKeySequence &key);
    void setCloseButton(const QString &text, const QKeySequence &key);

    QCalendarWidget *calendar() const { return m_calendar; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void step(int months);
    void updateTitle();

    QLabel *m_title = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
    QShortcut *m_okKey = nullptr;
    QShortcut *m_closeKey = nullptr;
};
