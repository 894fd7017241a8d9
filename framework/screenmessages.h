#pragma once

#include <QObject>

class QWidget;

// The three notifications a child screen sends the main window: hidden (minimised), shown
// (also restored or maximised) and closed (its close was allowed, or showing it failed).
// The child-screen controller emits them with its screen; the main window's frame
// (TQXMain) keeps its open-screen list and tool bars with them. A screen that changes the
// organisation's name (App().CompanyName) says so, and the main window retitles itself.
class ScreenMessages final : public QObject
{
    Q_OBJECT

public:
    // The one instance of the application, created on first use.
    static ScreenMessages &instance();

signals:
    void screenHidden(QWidget *screen);
    void screenShown(QWidget *screen);
    void screenClosed(QWidget *screen);
    void companyNameChanged();

private:
    ScreenMessages() = default;
};
