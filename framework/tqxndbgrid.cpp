#include "tqxndbgrid.h"

#include "databaseengine.h"
#include "exceptionhandler.h"
#include "footeraggregate.h"
#include "gridfooter.h"
#include "texthelpers.h"
#include "tqxdataset.h"
#include "tqxquerymodel.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSqlQuery>

namespace {

bool isAggregateFooter(const TFieldsData &entry)
{
    return entry.Footer == QLatin1String("@Count") || entry.Footer == QLatin1String("@Sum");
}

// A count written with a display format of the original platform's number formatting:
// "0" and "#" digits, "," thousands, "." decimals, anything else (or quoted) literally;
// only the first of ";"-separated sections is used.
QString formatCount(const QString &format, qint64 count)
{
    const QString section = format.section(QLatin1Char(';'), 0, 0);
    if (section.isEmpty())
        return QString::number(count);
    QString prefix;
    QString suffix;
    QString pattern;
    QChar quote;
    bool inNumber = false;
    bool afterNumber = false;
    for (const QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (afterNumber || inNumber ? suffix : prefix) += c;
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            if (inNumber) {
                inNumber = false;
                afterNumber = true;
            }
        } else if (!afterNumber && QStringLiteral("0#,.").contains(c)) {
            inNumber = true;
            pattern += c;
        } else {
            if (inNumber) {
                inNumber = false;
                afterNumber = true;
            }
            (afterNumber ? suffix : prefix) += c;
        }
    }
    if (pattern.isEmpty())
        return prefix + suffix;
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString integral = point < 0 ? pattern : pattern.left(point);
    const int decimals = point < 0 ? 0 : int(pattern.mid(point + 1).count(QLatin1Char('0')));
    const int minimumDigits = int(integral.count(QLatin1Char('0')));
    QString digits = QString::number(qAbs(count)).rightJustified(minimumDigits, QLatin1Char('0'));
    if (minimumDigits == 0 && count == 0)
        digits.clear();
    if (integral.contains(QLatin1Char(','))) {
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
            digits.insert(at, QLatin1Char(','));
    }
    QString number = (count < 0 ? QStringLiteral("-") : QString()) + digits;
    if (decimals > 0)
        number += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return prefix + number + suffix;
}

} // namespace

TQXNDBGrid::TQXNDBGrid(QWidget *parent) : DataGridView(parent)
{
    m_footer = new GridFooter(this);
    m_footer->raise();
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &TQXNDBGrid::columnResized);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &TQXNDBGrid::columnMoved);
}

TQXNDBGrid::~TQXNDBGrid() = default;

void TQXNDBGrid::SetLayoutOwner(const QString &formName, const QString &userId, const QString &layoutTable,
                                const QString &databaseName)
{
    m_layout.FormName = formName;
    m_layout.UserID = userId;
    m_layout.TableName = layoutTable;
    m_layout.DataBaseName = databaseName;
}

void TQXNDBGrid::dataSetReplaced()
{
    m_columnsSetUp = false;
    m_footer->clearCells();
}

// ---- Layout -------------------------------------------------------------------------------

void TQXNDBGrid::LoadLayout()
{
    m_layout.GridName = objectName();
    try {
        m_layout.Load();
    } catch (...) {
        HandleCurrentException(this);
    }
}

void TQXNDBGrid::ApplyLayoutToFields()
{
    m_layout.ApplyTo(FieldsData());
}

void TQXNDBGrid::BeforeOpen()
{
    LoadLayout();
    ApplyLayoutToFields();
    SetColWidthChange = false;
}

void TQXNDBGrid::AfterOpen()
{
    SetColWidthChange = true;
}

bool TQXNDBGrid::recording() const
{
    const TQXDataset *ds = dataSet();
    return SetColWidthChange && !m_settingUp && m_columnsSetUp && m_layout.isEnabled() && ds && ds->isActive();
}

void TQXNDBGrid::columnResized()
{
    if (recording())
        RecordWidths();
}

void TQXNDBGrid::columnMoved()
{
    if (!recording() || !m_layout.KeepOrder)
        return;
    const QHeaderView *header = horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        m_layout.RecordPosition(queryModel()->headerData(column, Qt::Horizontal, TQXQueryModel::FieldNameRole).toString(),
                                designPixels(header->sectionSize(column)), header->visualIndex(column));
    }
}

void TQXNDBGrid::RecordWidths()
{
    if (!queryModel())
        return;
    m_layout.GridName = objectName();
    const QHeaderView *header = horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        m_layout.RecordWidth(queryModel()->headerData(column, Qt::Horizontal, TQXQueryModel::FieldNameRole).toString(),
                             designPixels(header->sectionSize(column)), header->visualIndex(column));
    }
}

void TQXNDBGrid::SaveLayout()
{
    m_layout.GridName = objectName();
    m_layout.Save();
}

bool TQXNDBGrid::DeleteColumnRow(const QString &fieldName)
{
    m_layout.GridName = objectName();
    return m_layout.DeleteColumnRow(fieldName);
}

bool TQXNDBGrid::RestoreDefaults()
{
    m_layout.GridName = objectName();
    return m_layout.RestoreDefaults();
}

// ---- Columns --------------------------------------------------------------------------------

void TQXNDBGrid::applyWidthRule(int column, const TFieldsData &entry)
{
    if (entry.Width == -1) {
        setColumnHidden(column, true);
        horizontalHeader()->resizeSection(column, 0);
    } else if (entry.Width == -2) {
        setColumnHidden(column, true);
    }
}

void TQXNDBGrid::SetupColumns()
{
    TQXDataset *ds = dataSet();
    if (m_columnsSetUp || !ds || ds->state() == TQXDataset::State::Inactive || !queryModel())
        return;
    m_settingUp = true;
    m_footersActive = false;
    QHeaderView *header = horizontalHeader();

    // Fields the rules do not name stay as the query left them (hidden when it has rules).
    for (int column = 0; column < ds->fieldCount(); ++column) {
        const TQXField &field = ds->field(column);
        setColumnHidden(column, !field.isVisible());
        if (field.isVisible())
            header->resizeSection(column, pixelsForCharacters(field.displayWidth()));
    }
    for (const TFieldsData &entry : FieldsData()) {
        const int column = columnOf(entry.FieldName);
        if (column < 0)
            continue;
        if (!entry.Caption.isEmpty())
            ds->field(column).setDisplayLabel(entry.Caption);
        if (entry.Width == -1 || entry.Width == -2) {
            applyWidthRule(column, entry);
            continue;
        }
        setColumnHidden(column, !entry.Visible);
        const int characters = entry.Width > 0 ? entry.Width : ds->field(column).displayWidth();
        header->resizeSection(column, pixelsForCharacters(characters));
    }
    emit queryModel()->headerDataChanged(Qt::Horizontal, 0, std::max(0, queryModel()->columnCount() - 1));

    if (m_layout.isEnabled() && queryModel()->columnCount() > 1) {
        LoadLayout();
        for (const TFieldsData &entry : FieldsData()) {
            const int column = columnOf(entry.FieldName);
            const GridLayoutColumn *saved = m_layout.find(entry.FieldName);
            if (column < 0 || !entry.Visible || !saved)
                continue;
            if (saved->width > 10) {
                setColumnHidden(column, false);
                header->resizeSection(column, screenPixels(saved->width));
            } else if (isAggregateFooter(entry)) {
                setColumnHidden(column, false);
                header->resizeSection(column, 0);
            } else {
                header->resizeSection(column, 0);
                setColumnHidden(column, true);
            }
        }
        if (m_layout.KeepOrder) {
            for (const GridLayoutColumn &saved : m_layout.columns()) {
                const int column = columnOf(saved.fieldName);
                if (column >= 0 && saved.order >= 0 && saved.order < header->count())
                    header->moveSection(header->visualIndex(column), saved.order);
            }
        }
    }
    for (const TFieldsData &entry : FieldsData()) {
        const int column = columnOf(entry.FieldName);
        if (column >= 0)
            applyWidthRule(column, entry);
    }
    setFooters();
    keepCurrentShown();
    m_settingUp = false;
    m_footersActive = true;
    m_columnsSetUp = true;
    RefreshFooters();
}

void TQXNDBGrid::ForgetSetup()
{
    m_columnsSetUp = false;
}

// ---- Footer ---------------------------------------------------------------------------------

// The fixed texts; the aggregates are filled in by RefreshFooters.
void TQXNDBGrid::setFooters()
{
    m_footer->clearCells();
    for (const TFieldsData &entry : FieldsData()) {
        const int column = columnOf(entry.FieldName);
        if (column < 0 || entry.Footer.isEmpty())
            continue;
        if (isAggregateFooter(entry))
            m_footer->setCell(column, QString(), Qt::AlignRight);
        else
            m_footer->setCell(column, entry.Footer, entry.DataKind == QLatin1String("N") ? Qt::AlignRight : Qt::AlignLeft);
    }
}

void TQXNDBGrid::RefreshFooters()
{
    TQXDataset *ds = dataSet();
    if (!m_footersActive || !m_columnsSetUp || !ds || ds->isEditing())
        return;
    if (ds->state() == TQXDataset::State::Inactive) {
        setFooters();
        return;
    }
    struct Aggregate
    {
        int column;
        int value;  // index in the result row
        bool count;
    };
    QList<Aggregate> aggregates;
    QStringList sumFields;
    for (const TFieldsData &entry : FieldsData()) {
        const int column = columnOf(entry.FieldName);
        if (column < 0)
            continue;
        if (entry.Footer == QLatin1String("@Count")) {
            aggregates << Aggregate{column, 0, true};
        } else if (entry.Footer == QLatin1String("@Sum")) {
            const QString name = entry.FooterField.isEmpty() ? entry.FieldName : entry.FooterField;
            if (const TQXField *field = ds->findField(name)) {
                sumFields << field->fieldName();
                aggregates << Aggregate{column, int(sumFields.size()), false};
            }
        }
    }
    if (aggregates.isEmpty())
        return;
    try {
        QSqlQuery result = DatabaseEngine::byName(ds->databaseName()).run(FooterAggregateSql(ds->sql(), sumFields));
        ++m_footerQueries;
        const bool found = result.next();
        for (const Aggregate &aggregate : std::as_const(aggregates)) {
            const TFieldsData *entry = nullptr;
            for (const TFieldsData &candidate : FieldsData()) {
                if (columnOf(candidate.FieldName) == aggregate.column)
                    entry = &candidate;
            }
            const QVariant value = found ? result.value(aggregate.value) : QVariant(0);
            const QString text = aggregate.count ? formatCount(entry ? entry->FooterFormat : QString(), value.toLongLong())
                                                 : FormatMoney(2, false, value.toDouble());
            m_footer->setCell(aggregate.column, text, Qt::AlignRight);
        }
    } catch (...) {
        HandleCurrentException(this);
    }
}

QString TQXNDBGrid::footerText(const QString &fieldName) const
{
    return m_footer->text(columnOf(fieldName));
}

Qt::Alignment TQXNDBGrid::footerAlignment(const QString &fieldName) const
{
    return m_footer->alignment(columnOf(fieldName));
}

// ---- Geometry and mouse -------------------------------------------------------------------

void TQXNDBGrid::updateGeometries()
{
    // The table view sets a range without the footer and clamps the position to it; the
    // position is kept once the range includes the footer again.
    QScrollBar *bar = verticalScrollBar();
    const int position = bar->value();
    DataGridView::updateGeometries();
    if (!m_footer)
        return;
    const int height = m_footer->preferredHeight();
    bar->setRange(0, std::max(0, verticalHeader()->length() - viewport()->height() + height));
    if (position > bar->value())
        bar->setValue(std::min(position, bar->maximum()));
    placeFooter();
}

void TQXNDBGrid::placeFooter()
{
    const int height = m_footer->preferredHeight();
    const QRect area = viewport()->geometry();
    m_footer->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
    m_footer->raise();
}

void TQXNDBGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    DataGridView::scrollTo(index, hint);
    if (!index.isValid())
        return;
    const QRect cell = visualRect(index);
    const int limit = viewport()->height() - m_footer->preferredHeight();
    if (cell.isValid() && cell.bottom() >= limit && cell.height() < limit)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + cell.bottom() - limit + 1);
}

void TQXNDBGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && m_layout.isEnabled()) {
        RestoreDefaults();
        return;
    }
    DataGridView::mousePressEvent(event);
}
