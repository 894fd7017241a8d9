#include "gridlayoutstore.h"

#include "dbhelpers.h"
#include "messageservice.h"
#include "sqldialect.h"
#include "texthelpers.h"

#include <algorithm>
#include <cmath>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isAggregateFooter(const TFieldsData &entry)
{
    return entry.Footer == QLatin1String("@Count") || entry.Footer == QLatin1String("@Sum");
}

} // namespace

int GridLayoutStore::characters(int pixels)
{
    return int(std::lround(pixels * 0.16));
}

QString GridLayoutStore::ownerCondition() const
{
    return QStringLiteral("USE_ID = ") + sqlText(UserID) + QStringLiteral(" AND FORM_NAME = ") + sqlText(FormName)
        + QStringLiteral(" AND DBGRID_NAME = ") + sqlText(GridName);
}

const GridLayoutColumn *GridLayoutStore::find(const QString &fieldName) const
{
    for (const GridLayoutColumn &column : m_columns) {
        if (sameName(column.fieldName, fieldName))
            return &column;
    }
    return nullptr;
}

GridLayoutColumn *GridLayoutStore::entry(const QString &fieldName)
{
    for (GridLayoutColumn &column : m_columns) {
        if (sameName(column.fieldName, fieldName))
            return &column;
    }
    return nullptr;
}

const GridLayoutColumn *GridLayoutStore::loaded(const QString &fieldName) const
{
    for (const GridLayoutColumn &column : m_loaded) {
        if (sameName(column.fieldName, fieldName))
            return &column;
    }
    return nullptr;
}

void GridLayoutStore::Load()
{
    if (!isEnabled() || !m_columns.isEmpty())
        return;
    const QString columns = KeepOrder ? QStringLiteral("SELECT FIELD_WIDTH,FIELD_NAME,FIELD_ORDER FROM ")
                                      : QStringLiteral("SELECT FIELD_WIDTH,FIELD_NAME FROM ");
    const auto rows = OpenSQL(DataBaseName, columns + TableName + QStringLiteral(" WHERE ") + ownerCondition()
                                                + QStringLiteral(" ORDER BY FIELD_NAME"));
    m_loaded.clear();
    for (; !rows->eof(); rows->next()) {
        const QString name = rows->text(1);
        if (name.isEmpty())
            continue;
        GridLayoutColumn column{name, int(ReadAmount(rows->text(0))), KeepOrder ? int(ReadAmount(rows->text(2))) : 0};
        m_columns << column;
        m_loaded << column;
    }
}

void GridLayoutStore::ApplyTo(TFieldsDataArray &fields)
{
    if (m_columns.isEmpty() || !fields.isAssigned())
        return;
    if (KeepOrder)
        std::stable_sort(m_columns.begin(), m_columns.end(),
                         [](const GridLayoutColumn &a, const GridLayoutColumn &b) { return a.order < b.order; });
    const QList<GridLayoutColumn> saved = m_columns;
    for (const GridLayoutColumn &column : saved) {
        for (TFieldsData &field : fields) {
            if (!sameName(field.FieldName, column.fieldName) || field.Width == -1)
                continue;
            const int d = characters(column.width);
            if (d >= 2) {
                field.Width = d;
                continue;
            }
            field.Width = 0;
            if (!isAggregateFooter(field)) {
                field.Visible = false;
                DeleteColumnRow(field.FieldName);
            }
        }
    }
    for (TFieldsData &field : fields) {
        if (!find(field.FieldName))
            field.Visible = false;
    }
}

void GridLayoutStore::RecordWidth(const QString &fieldName, int width, int position)
{
    if (fieldName.isEmpty())
        return;
    GridLayoutColumn *column = entry(fieldName);
    if (!column) {
        m_columns << GridLayoutColumn{fieldName, width, position};
        return;
    }
    const int now = characters(width);
    if (std::abs(now - characters(column->width)) >= 2 || now <= 10)
        column->width = width;
}

void GridLayoutStore::RecordPosition(const QString &fieldName, int width, int position)
{
    if (fieldName.isEmpty())
        return;
    if (GridLayoutColumn *column = entry(fieldName))
        column->order = position;
    else
        m_columns << GridLayoutColumn{fieldName, width, position};
}

void GridLayoutStore::saveColumn(const GridLayoutColumn &column)
{
    const QString where = QStringLiteral(" WHERE  ") + ownerCondition() + QStringLiteral(" AND FIELD_NAME = ")
        + sqlText(column.fieldName);
    const QString select = KeepOrder ? QStringLiteral("SELECT FIELD_WIDTH,FIELD_ORDER FROM ")
                                     : QStringLiteral("SELECT FIELD_WIDTH FROM ");
    const auto row = OpenSQL(DataBaseName, select + TableName + where);
    const QString width = QString::number(column.width);
    const QString order = QString::number(column.order);
    if (row->eof()) {
        const QString names = KeepOrder ? QStringLiteral("(USE_ID,FORM_NAME,DBGRID_NAME,FIELD_NAME,FIELD_WIDTH,FIELD_ORDER) VALUES")
                                        : QStringLiteral("(USE_ID,FORM_NAME,DBGRID_NAME,FIELD_NAME,FIELD_WIDTH) VALUES");
        ExecuteSQL(DataBaseName, QStringLiteral("INSERT INTO ") + TableName + names + QLatin1Char('(') + sqlText(UserID)
                                     + QLatin1Char(',') + sqlText(FormName) + QLatin1Char(',') + sqlText(GridName)
                                     + QLatin1Char(',') + sqlText(column.fieldName) + QLatin1Char(',') + width
                                     + (KeepOrder ? QLatin1Char(',') + order : QString()) + QLatin1Char(')'));
        return;
    }
    const bool widthDiffers = int(ReadAmount(row->text(0))) != column.width;
    const bool orderDiffers = KeepOrder && int(ReadAmount(row->text(1))) != column.order;
    if (!widthDiffers && !orderDiffers)
        return;
    const QString set = KeepOrder ? QStringLiteral(" SET FIELD_WIDTH = ") + width + QStringLiteral(",FIELD_ORDER = ") + order
                                  : QStringLiteral(" SET FIELD_WIDTH = ") + width;
    ExecuteSQL(DataBaseName, QStringLiteral("UPDATE ") + TableName + set + where);
}

void GridLayoutStore::Save()
{
    if (!isEnabled() || m_defaultsRestored) {
        Clear();
        return;
    }
    for (const GridLayoutColumn &column : std::as_const(m_columns)) {
        if (column.fieldName.isEmpty())
            continue;
        if (const GridLayoutColumn *before = loaded(column.fieldName)) {
            const int now = characters(column.width);
            const bool sameOrder = !KeepOrder || before->order == column.order;
            if (std::abs(now - characters(before->width)) < 2 && now > 10 && sameOrder)
                continue;
        }
        try {
            saveColumn(column);
        } catch (const std::exception &) {
            // A layout that cannot be written is simply not remembered.
        }
    }
    Clear();
}

bool GridLayoutStore::DeleteColumnRow(const QString &fieldName)
{
    m_columns.removeIf([&](const GridLayoutColumn &column) { return sameName(column.fieldName, fieldName); });
    m_loaded.removeIf([&](const GridLayoutColumn &column) { return sameName(column.fieldName, fieldName); });
    if (!ExecuteSQL(DataBaseName, QStringLiteral("DELETE FROM ") + TableName + QStringLiteral(" WHERE  ") + ownerCondition()
                                      + QStringLiteral(" AND FIELD_NAME = ") + sqlText(fieldName))) {
        ShowWarning(QStringLiteral("隐藏字段删除过程发生错误"));
        return false;
    }
    return true;
}

bool GridLayoutStore::RestoreDefaults()
{
    if (!isEnabled() || !AskYesNo(QStringLiteral("是否恢复默认显示设置")))
        return false;
    if (!ExecuteSQL(DataBaseName, QStringLiteral("DELETE FROM ") + TableName + QStringLiteral(" WHERE  ") + ownerCondition())) {
        ShowWarning(QStringLiteral("恢复默认显示设置过程发生错误"));
        return false;
    }
    ShowWarning(QStringLiteral("请关闭窗口后再重新打开"));
    m_defaultsRestored = true;
    return true;
}

void GridLayoutStore::Clear()
{
    m_columns.clear();
    m_loaded.clear();
}
