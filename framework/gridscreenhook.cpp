#include "gridscreenhook.h"

#include "controlkind.h"
#include "focuscolorkeeper.h"
#include "tqxdbgrid.h"
#include "tqxndbgrid.h"
#include "tqxquery.h"

#include <QWidget>

GridScreenHook::GridScreenHook(QWidget *form) : m_form(form)
{
}

void GridScreenHook::addGrid(TQXNDBGrid *grid)
{
    m_footerGrids << grid;
}

void GridScreenHook::addGrid(TQXDBGrid *grid)
{
    m_plainGrids << grid;
}

void GridScreenHook::focusControl(const QString &name)
{
    if (!m_form)
        return;
    if (auto *control = m_form->findChild<QWidget *>(name); control && control->isEnabled())
        control->setFocus();
}

void GridScreenHook::colorControl(const QString &name, quint32 color)
{
    if (!m_form)
        return;
    if (auto *control = m_form->findChild<QWidget *>(name)) {
        if (FocusColorKeeper *colors = ColorsOf(control))
            colors->setNormalColor(QColor::fromRgb(color));
    }
}

void GridScreenHook::setGridsEnabled(const TQXQuery &query, bool enabled)
{
    for (const auto &grid : std::as_const(m_footerGrids)) {
        if (grid && grid->dataSet() == &query)
            grid->SetQueryEnabled(enabled);
    }
    for (const auto &grid : std::as_const(m_plainGrids)) {
        if (grid && grid->dataSet() == &query)
            grid->SetQueryEnabled(enabled);
    }
}

void GridScreenHook::refreshFooters(const TQXQuery &query)
{
    for (const auto &grid : std::as_const(m_footerGrids)) {
        if (grid && grid->dataSet() == &query)
            grid->RefreshFooters();
    }
}

void GridScreenHook::beforeOpen(const TQXQuery &query)
{
    for (const auto &grid : std::as_const(m_footerGrids)) {
        if (grid && grid->dataSet() == &query)
            grid->BeforeOpen();
    }
}

void GridScreenHook::afterOpen(const TQXQuery &query)
{
    for (const auto &grid : std::as_const(m_footerGrids)) {
        if (grid && grid->dataSet() == &query)
            grid->AfterOpen();
    }
}

// The plain grid sets its columns up only when the query has no footer grid.
void GridScreenHook::setupGridColumns(const TQXQuery &query)
{
    bool footerGrid = false;
    for (const auto &grid : std::as_const(m_footerGrids))
        footerGrid = footerGrid || (grid && grid->dataSet() == &query);
    if (!footerGrid) {
        for (const auto &grid : std::as_const(m_plainGrids)) {
            if (grid && grid->dataSet() == &query)
                grid->SetupColumns();
        }
    }
    for (const auto &grid : std::as_const(m_footerGrids)) {
        if (grid && grid->dataSet() == &query)
            grid->SetupColumns();
    }
}

void GridScreenHook::afterClose(const TQXQuery &query)
{
    for (const auto &grid : std::as_const(m_footerGrids)) {
        if (grid && grid->dataSet() == &query)
            grid->ForgetSetup();
    }
    for (const auto &grid : std::as_const(m_plainGrids)) {
        if (grid && grid->dataSet() == &query)
            grid->ForgetSetup();
    }
}
