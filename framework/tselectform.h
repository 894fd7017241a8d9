#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

class QPushButton;
class QTableView;
class TQXDataset;
class TQXQueryModel;

// The data selection window ("数据选择窗口"): a modal grid over a query the caller has
// filled, used to pick one row. "确认[F3]" (also F3 and Enter, or a double click on a row
// while the query has rows) ends with OK, the chosen row being the query's current record;
// "关闭[F12]" (F12) cancels. On showing, the columns' display widths are fitted to about
// 102 characters. The query is closed when the window goes.
class TSelectForm final : public QDialog
{
    Q_OBJECT

public:
    // `query` (not owned) is open, or opened by the caller before the window shows.
    explicit TSelectForm(TQXDataset *query, QWidget *parent = nullptr);
    ~TSelectForm() override;

    QTableView *grid() const { return m_grid; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *closeButton() const { return m_close; }

    // Display widths (characters) of the shown columns fitted to a total of about 102:
    // wide sets lose a share per column by size, narrow sets gain an equal share.
    static QList<int> FitDisplayWidths(const QList<int> &widths);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fitColumns();
    void gridDoubleClicked();

    QPointer<TQXDataset> m_query;
    TQXQueryModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_close = nullptr;
};
