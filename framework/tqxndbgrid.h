#pragma once

#include "datagridview.h"
#include "gridlayoutstore.h"

class GridFooter;

// The main record grid: columns from the query's field rules (captions, widths, visibility,
// -1/-2 widths), a footer row under the columns ("@Sum", "@Count" with FooterFormat, fixed
// texts) and the column widths each user sets, kept per screen and grid in a layout table.
//
// Footer sums and counts are one SQL aggregate over the query's whole statement, computed
// when the footers are refreshed (after each open, save, cancel and delete) - never sums of
// the rows loaded so far, and never while the user scrolls.
//
// How a document screen drives it (its ScreenHook forwards the query's requests):
//   setGridsEnabled  -> SetQueryEnabled(enabled)       (tag 1: left alone)
//   refreshFooters   -> RefreshFooters()
//   beforeOpen       -> BeforeOpen()   load and apply the saved layout, stop recording widths
//   afterOpen        -> AfterOpen()    record widths again
//   setupGridColumns -> SetupColumns() once after each open
//   afterClose       -> ForgetSetup()
//   screen destroyed -> SaveLayout()
// The component name (objectName) is the grid name stored in DBGRID_NAME; a right mouse
// button press asks to restore the default layout when a form name is set.
class TQXNDBGrid : public DataGridView
{
    Q_OBJECT

public:
    explicit TQXNDBGrid(QWidget *parent = nullptr);
    ~TQXNDBGrid() override;

    // While false, width changes are not recorded (the query turns it off while opening).
    bool SetColWidthChange = true;

    // Layout owner: form name (empty: no layout kept), user, layout table and database.
    void SetLayoutOwner(const QString &formName, const QString &userId, const QString &layoutTable,
                        const QString &databaseName = MainDatabaseName);
    GridLayoutStore &Layout() { return m_layout; }
    const GridLayoutStore &Layout() const { return m_layout; }

    // ---- What the editable query asks of its grid -----------------------------------------
    // Loads the saved layout (once) and applies it to FieldsData; stops width recording.
    void BeforeOpen();
    // Records width changes again.
    void AfterOpen();
    // Captions, visibility, widths and footers of the columns; runs once after each open.
    void SetupColumns();
    // The next SetupColumns sets the columns up again.
    void ForgetSetup();
    bool columnsSetUp() const { return m_columnsSetUp; }
    // Recomputes the footer row (nothing while the dataset is being edited or inserted).
    void RefreshFooters();

    // ---- Layout operations ---------------------------------------------------------------
    // Reads the saved layout (database errors go to the failure handler).
    void LoadLayout();
    // Adjusts Width and Visible of FieldsData to the layout.
    void ApplyLayoutToFields();
    // Records the current column widths (and, with order keeping, positions).
    void RecordWidths();
    bool DeleteColumnRow(const QString &fieldName);
    // Asks "是否恢复默认显示设置" and deletes the saved layout of this grid.
    bool RestoreDefaults();

    // ---- Footer ---------------------------------------------------------------------------
    GridFooter *footer() const { return m_footer; }
    // The footer text under a field's column.
    QString footerText(const QString &fieldName) const;
    Qt::Alignment footerAlignment(const QString &fieldName) const;
    // How many aggregate statements the footer has run (one per refresh with footers).
    int footerQueries() const { return m_footerQueries; }

public slots:
    // Writes the changed widths (when the screen goes).
    void SaveLayout();

protected:
    void dataSetReplaced() override;
    // The footer lies over the bottom of the cell area; the scroll range grows by its
    // height, so the last row can always be shown above it.
    void updateGeometries() override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void placeFooter();
    void columnResized();
    void columnMoved();
    bool recording() const;
    void applyWidthRule(int column, const TFieldsData &entry);
    void setFooters();

    GridLayoutStore m_layout;
    GridFooter *m_footer = nullptr;
    bool m_columnsSetUp = false;
    bool m_settingUp = false;
    bool m_footersActive = true;
    int m_footerQueries = 0;
};
