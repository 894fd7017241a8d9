// The record grid over a big fleet database, each figure beside the engine running the
// same SQL directly through the SQLite C API (a separate connection to the same file):
//   footer_sums_all    the grid's footer (a count and three sums) over every work task,
//                      beside the hand-written "SELECT COUNT(*),SUM(..)" of the table
//   footer_sums_find   the same for a find result, beside the aggregate over its FROM/WHERE
//   find_run           a find by category subtree and date range as a screen runs it: the
//                      conditions built (find dialog and subtree), the statement opened in
//                      the grid's query (first page), columns set up, footer computed;
//                      beside the engine stepping the first page of that statement and
//                      computing the same aggregate
//   scroll_to_last     Ctrl+End on the whole list until the last row is painted, beside the
//                      engine stepping every row of the same statement
// Usage: bench_grid [--tasks N] [--dir DIR] [--shots DIR]
// The database is generated into DIR (default /tmp) and reused when present. With --shots
// the grid and the find dialog are also saved as pictures into that directory.

#include "cjkfont.h"
#include "databaseengine.h"
#include "dbhelpers.h"
#include "descendantcondition.h"
#include "findcondition.h"
#include "findeditors.h"
#include "fleetgenerator.h"
#include "gridfooter.h"
#include "gridscreenhook.h"
#include "sqliteengine.h"
#include "texthelpers.h"
#include "tfindformdialog.h"
#include "tqxcomboedit.h"
#include "tqxedit.h"
#include "tqxfindform.h"
#include "tqxndbgrid.h"
#include "tqxquery.h"
#include "tqxquerymodel.h"
#include "treetable.h"

#include "benchsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

const QString Join = QStringLiteral(
    "SELECT A.*,B.CAR_ID FROM QX_CAR_WORK_TABLE A,QX_CAR_TABLE B WHERE A.CAR_RECORD_ID = B.CAR_RECORD_ID");
const QString SortTail = QStringLiteral(" ORDER BY A.WORK_ID");

TFieldsDataArray workFields()
{
    const auto field = [](const char *name, const char *caption, int width, const char *footer, const char *kind,
                          const char *findKind) {
        return TFieldsData{.FieldName = QString::fromLatin1(name), .Caption = QString::fromUtf8(caption), .Width = width,
                           .Footer = QString::fromUtf8(footer), .DataKind = QString::fromLatin1(kind),
                           .TableAlias = QStringLiteral("A"), .FindKind = QString::fromLatin1(findKind)};
    };
    TFieldsDataArray fields{
        field("WORK_ID", "工作编号", 10, "@Count", "C", "T"),
        field("CAR_ID", "车辆牌号", 9, "", "C", "T"),
        field("STATUS", "工作状态", 8, "", "C", "B"),
        field("WORK_START_DATE", "起始日期", 10, "", "D", "D"),
        field("WORK_END_DATE", "结束日期", 10, "", "D", "D"),
        field("WORK_PLACE", "工作地点", 12, "", "C", "DT"),
        field("WORK_CONTENT", "工作内容", 14, "", "C", "T"),
        field("WORK_COMPANY", "工作单位", 16, "", "C", "DT"),
        field("WORK_NUMBER", "工作次数", 8, "@Sum", "N", "T"),
        field("WORK_MONEY", "收费金额", 14, "@Sum", "N", "T"),
        field("WORK_PAY_MONEY", "已收金额", 14, "@Sum", "N", "T"),
        field("WORK_OWE_MONEY", "未收金额", 14, "@Sum", "N", "T"),
        field("NOTE", "备注", 30, "", "C", "T"),
    };
    fields[0].FooterFormat = QStringLiteral("共#,##0条");
    fields[1].TableAlias = QStringLiteral("B");
    fields[2].KeyField = QStringLiteral("未完工;已完工");
    return fields;
}

// The work-task list as a screen shows it: the query, its grid and the screen hook.
struct WorkList
{
    QWidget window;
    TQXQuery query;
    GridScreenHook hook{&window};
    TQXNDBGrid *grid = new TQXNDBGrid(&window);

    WorkList()
    {
        window.setWindowTitle(QStringLiteral("车辆工作任务管理"));
        window.resize(1000, 560);
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addWidget(grid);
        grid->setObjectName(QStringLiteral("DBGrid1"));
        query.FieldsData = workFields();
        query.setScreenHook(&hook);
        grid->SetFieldsData(query.FieldsData);
        grid->setDataSet(&query);
        hook.addGrid(grid);
    }
    void open(const QString &sql)
    {
        query.CloseQuery();
        query.setSql(sql);
        query.OpenQuery();
    }
};

QString sumsOf(const QString &from)
{
    return QStringLiteral("SELECT COUNT(*),SUM(A.WORK_NUMBER),SUM(A.WORK_MONEY),SUM(A.WORK_PAY_MONEY),SUM(A.WORK_OWE_MONEY) ")
        + from;
}

// The footer texts the raw aggregate gives, in the grid's format.
QStringList expectedFooter(const QList<double> &raw)
{
    return {QStringLiteral("共%1条").arg(FormatMoney(10, false, raw.value(0))), FormatMoney(2, false, raw.value(1)),
            FormatMoney(2, false, raw.value(2)), FormatMoney(2, false, raw.value(3)), FormatMoney(2, false, raw.value(4))};
}

QStringList shownFooter(const TQXNDBGrid &grid)
{
    return {grid.footerText(QStringLiteral("WORK_ID")), grid.footerText(QStringLiteral("WORK_NUMBER")),
            grid.footerText(QStringLiteral("WORK_MONEY")), grid.footerText(QStringLiteral("WORK_PAY_MONEY")),
            grid.footerText(QStringLiteral("WORK_OWE_MONEY"))};
}

void settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

// The window as the screen shows it, decorations included when a window manager runs.
void saveShot(QWidget &window, const QString &path)
{
    window.show();
    window.raise();
    window.activateWindow();
    settle(700);
    QImage shot;
    if (QGuiApplication::platformName() == QLatin1String("xcb") && window.screen())
        shot = window.screen()->grabWindow(0, window.frameGeometry().x(), window.frameGeometry().y(),
                                           window.frameGeometry().width(), window.frameGeometry().height()).toImage();
    if (shot.isNull())
        shot = window.grab().toImage();
    std::printf("# %s %s\n", qPrintable(path), shot.save(path) ? "saved" : "NOT saved");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(CjkFont(QStringLiteral("宋体"), 9));
    FleetCounts counts;
    QString baseDir = QStringLiteral("/tmp");
    QString shots;
    const QStringList arguments = app.arguments();
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == QLatin1String("--tasks"))
            counts.tasks = arguments[i + 1].toInt();
        else if (arguments[i] == QLatin1String("--dir"))
            baseDir = arguments[i + 1];
        else if (arguments[i] == QLatin1String("--shots"))
            shots = arguments[i + 1];
    }
    const QString dataDir = FleetGenerator::ensure(baseDir, counts);
    std::printf("# database %s (%d tasks), platform %s\n", qPrintable(dataDir), counts.tasks,
                qPrintable(QGuiApplication::platformName()));
    DatabaseEngine &engine = DatabaseEngine::add(std::make_unique<SqliteEngine>(MainDatabaseName, dataDir));
    engine.connect();
    RawConnection raw(SqliteEngine::filePath(dataDir));

    // A category subtree to search: two sub-categories (and one below them) under W1, added
    // for the run and removed afterwards.
    const QString addCategory = QStringLiteral("INSERT INTO QX_WORK_TYPE_TABLE(WORK_TYPE_ID,WORK_TYPE_NAME,PRIOR_ID,ORDER_ID) "
                                               "VALUES(?,?,?,?)");
    engine.run(QStringLiteral("DELETE FROM QX_WORK_TYPE_TABLE WHERE WORK_TYPE_ID LIKE 'BENCH%'"));
    engine.run(addCategory, {"BENCH1", "市内运输", "W1", 90});
    engine.run(addCategory, {"BENCH2", "长途运输", "W1", 91});
    engine.run(addCategory, {"BENCH11", "零担运输", "BENCH1", 1});

    WorkList list;
    list.window.show();
    TQXNDBGrid &grid = *list.grid;

    // ---- Footer over every task --------------------------------------------------------------
    list.open(Join + SortTail);
    const QString allFrom = QStringLiteral("FROM QX_CAR_WORK_TABLE A,QX_CAR_TABLE B WHERE A.CAR_RECORD_ID = B.CAR_RECORD_ID");
    QList<double> rawAll;
    const double rawFooterAll = median([&] { rawAll = raw.read(sumsOf(allFrom), 1); }, 5);
    const double ourFooterAll = median([&] { grid.RefreshFooters(); }, 5);
    report("footer_sums_all", ourFooterAll, "ms", "sqlite3_count_sum", rawFooterAll);
    std::printf("# footer over %s rows (%d held): %s; exact: %s\n", qPrintable(grid.footerText(QStringLiteral("WORK_ID"))),
                list.query.loadedRowCount(), qPrintable(grid.footerText(QStringLiteral("WORK_MONEY"))),
                shownFooter(grid) == expectedFooter(rawAll) ? "yes" : "NO");

    // ---- A find by category subtree and date range -------------------------------------------
    QString statement;
    QString treeCondition;
    const auto buildFind = [&] {
        const TFieldsDataArray fields = workFields();
        const FindCondition find(urStandard, &engine.dialect());
        treeCondition = DescendantCondition::Subtree(TreeTable::WorkType(), QStringLiteral("W1"), QStringLiteral("A"));
        const QStringList lines{find.build(fields[3], QStringLiteral(">= "), QStringLiteral("2005-01-01")),
                                QStringLiteral(" and ") + find.build(fields[3], QStringLiteral("<= "), QStringLiteral("2005-12-31"))};
        statement = Join + QStringLiteral(" AND ") + treeCondition + QStringLiteral(" AND (") + lines.join(QString())
            + QLatin1Char(')') + SortTail;
    };
    buildFind();
    const QString findFrom = statement.mid(statement.indexOf(QLatin1String("FROM ")));
    const QString findAggregate = sumsOf(findFrom.left(findFrom.indexOf(SortTail)));
    QList<double> rawFind;
    const double rawRun = median([&] {
        raw.read(statement, TQXDataset::FirstPageSize);
        rawFind = raw.read(findAggregate, 1);
    }, 5);
    const double ourRun = median([&] {
        buildFind();
        list.open(statement);
    }, 5);
    report("find_run", ourRun, "ms", "sqlite3_first_page_and_aggregate", rawRun);
    const double rawFooterFind = median([&] { rawFind = raw.read(findAggregate, 1); }, 5);
    const double ourFooterFind = median([&] { grid.RefreshFooters(); }, 5);
    report("footer_sums_find", ourFooterFind, "ms", "sqlite3_count_sum", rawFooterFind);
    std::printf("# find %s: %s tasks, money %s; exact: %s\n# statement: %s\n", qPrintable(treeCondition),
                qPrintable(grid.footerText(QStringLiteral("WORK_ID"))), qPrintable(grid.footerText(QStringLiteral("WORK_MONEY"))),
                shownFooter(grid) == expectedFooter(rawFind) ? "yes" : "NO", qPrintable(statement));

    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        grid.setFocus();
        saveShot(list.window, QDir(shots).filePath(QStringLiteral("grid-footer.png")));
        TFindFormDialog dialog(&list.window);
        dialog.SetFieldsData(workFields());
        dialog.Caption = QStringLiteral("车辆工作任务");
        dialog.BaseSQL = Join;
        dialog.Prepare();
        TQXFindForm &form = *dialog.window();
        FindEditors &editors = form.editors();
        const auto add = [&](const QString &caption, const QString &relation, const QString &value) {
            editors.fieldBox->setCurrentIndex(editors.fieldBox->findText(caption));
            editors.operatorBox->setCurrentIndex(editors.operatorBox->findText(relation));
            if (editors.valueStack->currentWidget() == editors.textBox)
                editors.textBox->setText(value);
            else
                editors.popupBox->setText(value);
            form.AddCondition();
        };
        form.show();
        add(QStringLiteral("起始日期"), QStringLiteral("大于等于"), QStringLiteral("2005-01-01"));
        form.andButton()->setChecked(true);
        add(QStringLiteral("起始日期"), QStringLiteral("小于等于"), QStringLiteral("2005-12-31"));
        form.orButton()->setChecked(true);
        add(QStringLiteral("工作内容"), QStringLiteral("相似"), QStringLiteral("50%吊装"));
        add(QStringLiteral("收费金额"), QStringLiteral("大于等于"), QStringLiteral("1000"));
        saveShot(form, QDir(shots).filePath(QStringLiteral("grid-find.png")));
        for (const QString &line : form.sqlLines())
            std::printf("# find line: %s\n", qPrintable(line));
        form.hide();
    }

    // ---- Ctrl+End over every task --------------------------------------------------------------
    const double rawLast = milliseconds([&] { raw.read(Join + SortTail, INT_MAX); });
    list.open(Join + SortTail);
    const double before = rssMegabytes();
    const double ourLast = milliseconds([&] {
        grid.GoLast();
        grid.viewport()->repaint();
    });
    report("scroll_to_last", ourLast, "ms", "sqlite3_step_every_row", rawLast);
    const QModelIndex last = grid.queryModel()->index(list.query.currentRow(), grid.columnOf(QStringLiteral("WORK_ID")));
    const QRect cell = grid.visualRect(last);
    std::printf("# last row %d of %d shown: %s (cell bottom %d, footer top %d); memory %.0f MB -> %.0f MB\n",
                list.query.currentRow() + 1, list.query.loadedRowCount(),
                cell.isValid() && cell.bottom() < grid.viewport()->height() - grid.footer()->height() ? "yes" : "NO",
                cell.bottom(), grid.viewport()->height() - grid.footer()->height(), before, rssMegabytes());
    if (!shots.isEmpty())
        saveShot(list.window, QDir(shots).filePath(QStringLiteral("grid-last.png")));

    list.query.CloseQuery();
    engine.run(QStringLiteral("DELETE FROM QX_WORK_TYPE_TABLE WHERE WORK_TYPE_ID LIKE 'BENCH%'"));
    DatabaseEngine::remove(MainDatabaseName);
    return 0;
}
