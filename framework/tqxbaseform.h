#pragma once

#include "programrights.h"
#include "screenhook.h"

#include <QWidget>

class QCloseEvent;
class QDate;
class QKeyEvent;
class TQXChild;
class TQXDataSource;
class TQXQuery;

// The base of every screen: a window owned by the main window (above it, not above other
// applications), with the program's colours, fonts and date conventions and its child-screen
// controller QXChild. It is the screen side of its queries (ScreenHook): focus, colours,
// grids and the data sources' colour switch. The screen is freed when it is closed.
//
// A screen builds its controls in its constructor; the look is applied when it is first
// shown, just before FormShow, which runs once. Screens override FormShow, FormCloseQuery,
// FormClose and FormKeyDown and call the base version.
class TQXBaseForm : public QWidget, public ScreenHook
{
    Q_OBJECT

public:
    explicit TQXBaseForm(QWidget *owner = nullptr);
    ~TQXBaseForm() override;

    // Program group and program under which the screen's rights are stored.
    QString ComposeName;
    QString ProgramName;
    TRights Rights;
    TQXChild *const QXChild;

    // From creation until closed.
    bool isLive() const { return m_live; }

    // The program's date conventions: "yyyy-MM-dd" with "-"; a two-digit year falls into
    // the 100 years starting 70 years before the current year.
    static QString DateText(const QDate &date);
    static QDate ReadDate(const QString &text);
    // The working date TodayText := today's local date.
    static void RefreshWorkingDate();

    // Gives a query its context values (user, working date, YYYYMM, YYYYMMDD), the focus
    // colour, dialect and database, and makes this screen its hook.
    void SetupQuery(TQXQuery &query);
    // Hooks a data source, gives it the screen's rights and the program's colours.
    void SetupDataSource(TQXDataSource &source);

    // ScreenHook.
    void focusControl(const QString &name) override;
    void colorControl(const QString &name, quint32 color) override;
    void focusField(const TQXQuery &query, const QString &fieldName) override;
    void focusObject(QObject *control) override;
    QString controlText(QObject *control) const override;
    void setGridsEnabled(const TQXQuery &query, bool enabled) override;
    void refreshFooters(const TQXQuery &query) override;
    void setColorSwitch(const TQXQuery &query, bool on) override;
    void setDisplayUpdates(const TQXQuery &query, bool enabled) override;
    void beforeOpen(const TQXQuery &query) override;
    void afterOpen(const TQXQuery &query) override;
    void setupGridColumns(const TQXQuery &query) override;
    void afterClose(const TQXQuery &query) override;

protected:
    // The first show only.
    virtual void FormShow();
    // False keeps the screen open (after the controller's edit check passed).
    virtual bool FormCloseQuery() { return true; }
    // The screen is closing (it is freed afterwards).
    virtual void FormClose() {}
    // Keys after the controller's key movement; true when the key was used.
    virtual bool FormKeyDown(QKeyEvent *event);

    void closeEvent(QCloseEvent *event) override;

private:
    QList<TQXDataSource *> dataSourcesOf(const TQXQuery &query) const;
    // The framework grids showing `query`.
    template <class Grid>
    QList<Grid *> gridsOf(const TQXQuery &query) const;

    bool m_live = false;
};
