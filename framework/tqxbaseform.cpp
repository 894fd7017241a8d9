#include "tqxbaseform.h"

#include "appvalues.h"
#include "cjkfont.h"
#include "controlkind.h"
#include "databaseengine.h"
#include "fieldbinding.h"
#include "tagproperty.h"
#include "tqxchild.h"
#include "tqxdatasource.h"
#include "tqxdbgrid.h"
#include "tqxndbgrid.h"
#include "tqxfield.h"
#include "tqxquery.h"
#include "tqxquerymodel.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

constexpr Qt::WindowFlags ScreenFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// The dataset a view shows, through any proxy models.
const TQXDataset *datasetOf(const QAbstractItemView *view)
{
    if (const auto *grid = qobject_cast<const DataGridView *>(view))
        return grid->dataSet();
    const QAbstractItemModel *model = view->model();
    while (const auto *proxy = qobject_cast<const QAbstractProxyModel *>(model))
        model = proxy->sourceModel();
    const auto *queryModel = qobject_cast<const TQXQueryModel *>(model);
    return queryModel ? queryModel->dataset() : nullptr;
}

} // namespace

TQXBaseForm::TQXBaseForm(QWidget *owner) : QWidget(owner, ScreenFlags), QXChild(new TQXChild(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(CjkFont(QStringLiteral("宋体"), 9));
    const AppValues &app = App();
    QXChild->DataBaseName = MainDatabaseName;
    QXChild->Language = app.Language;
    QXChild->Color = app.Color;
    QXChild->LabelColor = app.LabelColor;
    QXChild->EditColor = app.EditColor;
    QXChild->ColorOnFocus = app.ColorOnFocus;
    QXChild->SqlType = app.SqlType;
    QXChild->OnShow = [this] { FormShow(); };
    QXChild->OnKeyDown = [this](QKeyEvent *event) { return FormKeyDown(event); };
    QXChild->OnCloseQuery = [this] { return FormCloseQuery(); };
    QXChild->Attach();
    m_live = true;
    QXChild->setLive(true);
    RefreshWorkingDate();
}

TQXBaseForm::~TQXBaseForm()
{
    // The screen's own handlers belong to the part of the screen that is gone already.
    for (TQXDataSource *source : findChildren<TQXDataSource *>()) {
        source->OnStateChange = nullptr;
        source->ActiveColor = false;
    }
    QXChild->ScreenDestroying();
    // The queries outlive this part of the screen: they must not call back into it.
    for (TQXQuery *query : findChildren<TQXQuery *>()) {
        if (query->screenHook() == this)
            query->setScreenHook(nullptr);
    }
}

QString TQXBaseForm::DateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QDate TQXBaseForm::ReadDate(const QString &text)
{
    return TQXField::parseDate(text);
}

void TQXBaseForm::RefreshWorkingDate()
{
    App().TodayText = DateText(QDate::currentDate());
}

void TQXBaseForm::SetupQuery(TQXQuery &query)
{
    const AppValues &app = App();
    query.YYYYMM = app.TodayText.left(4) + app.TodayText.mid(5, 2);
    query.YYYYMMDD = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    query.UserName = app.UserName;
    query.TodayText = app.TodayText;
    query.ColorOnFocus = app.ColorOnFocus;
    query.SqlType = app.SqlType;
    query.setDatabaseName(MainDatabaseName);
    query.setScreenHook(this);
}

void TQXBaseForm::SetupDataSource(TQXDataSource &source)
{
    source.Hook();
    source.RightAdd = Rights.add;
    source.RightEdit = Rights.add;
    source.RightDelete = Rights.add;
    source.RightPrint = Rights.print;
    source.RightCheck = Rights.verify;
    source.ApplyRights();
    const AppValues &app = App();
    source.EditColor = app.EditColor;
    source.BrowseColor = app.Color;
    source.ColorOnFocus = app.ColorOnFocus;
}

void TQXBaseForm::FormShow()
{
    setFont(CjkFont(QStringLiteral("宋体"), 9));
}

bool TQXBaseForm::FormKeyDown(QKeyEvent *)
{
    return false;
}

void TQXBaseForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    if (event->isAccepted()) {
        m_live = false;
        QXChild->setLive(false);
    }
    QWidget::closeEvent(event);
}

QList<TQXDataSource *> TQXBaseForm::dataSourcesOf(const TQXQuery &query) const
{
    QList<TQXDataSource *> sources;
    for (TQXDataSource *source : findChildren<TQXDataSource *>()) {
        if (source->dataSet() == &query)
            sources << source;
    }
    return sources;
}

void TQXBaseForm::focusControl(const QString &name)
{
    for (QWidget *control : findChildren<QWidget *>(name)) {
        if (TagOf(control) != 5) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void TQXBaseForm::colorControl(const QString &name, quint32 color)
{
    for (QWidget *control : findChildren<QWidget *>(name)) {
        if (IsInputKind(KindOf(control)) || qobject_cast<QListView *>(control)) {
            // Until the control next gains or loses the focus.
            QPalette palette = control->palette();
            palette.setColor(QPalette::Base, QColor::fromRgb(QRgb(color)));
            control->setPalette(palette);
            return;
        }
    }
}

void TQXBaseForm::focusField(const TQXQuery &query, const QString &fieldName)
{
    for (QWidget *control : findChildren<QWidget *>()) {
        const ControlKind kind = KindOf(control);
        const int tag = TagOf(control);
        if (kind != ControlKind::DBEdit && kind != ControlKind::DBComboBox && kind != ControlKind::DBComboEdit
            && kind != ControlKind::Lookup)
            continue;
        if (tag != 0 && tag != 2 && tag != 500 && tag != 502)
            continue;
        const FieldBinding *binding = FieldBinding::of(control);
        if (binding && binding->dataSet() == &query && binding->dataField().compare(fieldName, Qt::CaseInsensitive) == 0) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void TQXBaseForm::focusObject(QObject *control)
{
    if (auto *widget = qobject_cast<QWidget *>(control))
        widget->setFocus(Qt::OtherFocusReason);
}

QString TQXBaseForm::controlText(QObject *control) const
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (const auto *list = qobject_cast<const QComboBox *>(control))
        return list->currentText();
    if (const auto *memo = qobject_cast<const QPlainTextEdit *>(control))
        return memo->toPlainText();
    if (const auto *text = qobject_cast<const QTextEdit *>(control))
        return text->toPlainText();
    return {};
}

template <class Grid>
QList<Grid *> TQXBaseForm::gridsOf(const TQXQuery &query) const
{
    QList<Grid *> grids;
    for (Grid *grid : findChildren<Grid *>()) {
        if (grid->dataSet() == &query)
            grids << grid;
    }
    return grids;
}

void TQXBaseForm::setGridsEnabled(const TQXQuery &query, bool enabled)
{
    for (QAbstractItemView *view : findChildren<QAbstractItemView *>()) {
        if (datasetOf(view) != &query)
            continue;
        if (auto *grid = qobject_cast<DataGridView *>(view))
            grid->SetQueryEnabled(enabled);
        else if (TagOf(view) != 1)
            view->setEnabled(enabled);
    }
}

void TQXBaseForm::refreshFooters(const TQXQuery &query)
{
    for (TQXNDBGrid *grid : gridsOf<TQXNDBGrid>(query))
        grid->RefreshFooters();
}

void TQXBaseForm::beforeOpen(const TQXQuery &query)
{
    for (TQXNDBGrid *grid : gridsOf<TQXNDBGrid>(query))
        grid->BeforeOpen();
}

void TQXBaseForm::afterOpen(const TQXQuery &query)
{
    for (TQXNDBGrid *grid : gridsOf<TQXNDBGrid>(query))
        grid->AfterOpen();
}

void TQXBaseForm::setupGridColumns(const TQXQuery &query)
{
    for (TQXNDBGrid *grid : gridsOf<TQXNDBGrid>(query))
        grid->SetupColumns();
    for (TQXDBGrid *grid : gridsOf<TQXDBGrid>(query))
        grid->SetupColumns();
}

void TQXBaseForm::afterClose(const TQXQuery &query)
{
    for (TQXNDBGrid *grid : gridsOf<TQXNDBGrid>(query))
        grid->ForgetSetup();
    for (TQXDBGrid *grid : gridsOf<TQXDBGrid>(query))
        grid->ForgetSetup();
}

void TQXBaseForm::setColorSwitch(const TQXQuery &query, bool on)
{
    for (TQXDataSource *source : dataSourcesOf(query))
        source->ActiveColor = on;
}

void TQXBaseForm::setDisplayUpdates(const TQXQuery &query, bool enabled)
{
    for (TQXDataSource *source : dataSourcesOf(query))
        source->setDisplayUpdates(enabled);
}
