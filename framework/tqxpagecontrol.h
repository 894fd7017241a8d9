#pragma once

#include <QPointer>
#include <QTabWidget>
#include <functional>

class TQXDataSource;
class TQXQuery;

// The page control of the document screens (list page, detail pages). Once hooked, the user
// cannot change the page while one of its data sources is being edited ("必须先保存或取消
// 新增的数据或修改后的数据"), nor leave the first page while the master query has no record
// ("没有主档数据记录，不能改变页面"); otherwise OnChanging decides. Page changes made by the
// program are not checked.
class TQXPageControl : public QTabWidget
{
    Q_OBJECT

public:
    explicit TQXPageControl(QWidget *parent = nullptr);

    QPointer<TQXDataSource> DataSource1, DataSource2, DataSource3, DataSource4, DataSource5, DataSource6, DataSource7;
    QPointer<TQXQuery> QyMaster;
    quint32 Color = 0xFEFAF1;
    // The screen's own check of a change to page `target`; false keeps the page.
    std::function<bool(int target)> OnChanging;

    // Starts checking page changes; the tabs get a hand cursor.
    void Hook();
    bool isHooked() const { return m_hooked; }
    // The check a change to `target` goes through (showing its warning when refused).
    bool CanChangePage(int target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The page a key would move to, or -1.
    int keyTarget(const QKeyEvent *event, bool onTabBar) const;

    bool m_hooked = false;
};
