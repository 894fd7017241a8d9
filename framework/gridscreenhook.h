#pragma once

#include "screenhook.h"

#include <QList>
#include <QPointer>

class QWidget;
class TQXNDBGrid;
class TQXDBGrid;

// The screen side of an editable query for windows that are not document screens (the
// pickers): forwards the query's grid requests to the grids shown over it and focuses and
// colours the window's controls by name.
class GridScreenHook final : public ScreenHook
{
public:
    explicit GridScreenHook(QWidget *form);

    void addGrid(TQXNDBGrid *grid);
    void addGrid(TQXDBGrid *grid);

    void focusControl(const QString &name) override;
    void colorControl(const QString &name, quint32 color) override;
    void setGridsEnabled(const TQXQuery &query, bool enabled) override;
    void refreshFooters(const TQXQuery &query) override;
    void beforeOpen(const TQXQuery &query) override;
    void afterOpen(const TQXQuery &query) override;
    void setupGridColumns(const TQXQuery &query) override;
    void afterClose(const TQXQuery &query) override;

private:
    QPointer<QWidget> m_form;
    QList<QPointer<TQXNDBGrid>> m_footerGrids;
    QList<QPointer<TQXDBGrid>> m_plainGrids;
};
