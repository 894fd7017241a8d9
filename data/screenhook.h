#pragma once

#include <QObject>
#include <QString>

class TQXQuery;

// What an editable query needs from the screen that owns it: focusing and colouring
// controls, enabling its grids, refreshing footers, laying out grid columns around an
// open, and the data source's colour switch. The data layer has no widgets; the screen
// implements this (every member defaults to doing nothing) and hands it to its queries.
class ScreenHook
{
public:
    virtual ~ScreenHook() = default;

    // Focus the screen's first windowed control named `name` whose tag is not 5.
    virtual void focusControl(const QString &name) { Q_UNUSED(name) }
    // Give the first edit-like control named `name` the background `color` (0xRRGGBB).
    virtual void colorControl(const QString &name, quint32 color) { Q_UNUSED(name) Q_UNUSED(color) }
    // Focus the first data-entry control (tag 0, 2, 500 or 502) bound to `query`'s field.
    virtual void focusField(const TQXQuery &query, const QString &fieldName) { Q_UNUSED(query) Q_UNUSED(fieldName) }
    // Focus a control named by a rule record.
    virtual void focusObject(QObject *control) { Q_UNUSED(control) }
    // The text a control shows (a required field passes when its focus control has one).
    virtual QString controlText(QObject *control) const { Q_UNUSED(control) return {}; }

    // Enable or disable the grids bound to `query` (grids with tag 1 are left alone).
    virtual void setGridsEnabled(const TQXQuery &query, bool enabled) { Q_UNUSED(query) Q_UNUSED(enabled) }
    // Recompute the footer sums of the grid bound to `query` (it reads TQXQuery::sums()).
    virtual void refreshFooters(const TQXQuery &query) { Q_UNUSED(query) }
    // Turn the data source's colour switch (ActiveColor) on or off.
    virtual void setColorSwitch(const TQXQuery &query, bool on) { Q_UNUSED(query) Q_UNUSED(on) }
    // Suspend (false) or resume (true) display updates of the controls bound to `query`.
    virtual void setDisplayUpdates(const TQXQuery &query, bool enabled) { Q_UNUSED(query) Q_UNUSED(enabled) }

    // Before opening: the grid applies its saved layout to FieldsData and stops recording
    // width changes. afterOpen runs whether or not the open succeeded (record widths again);
    // setupGridColumns only after a successful open; afterClose when the query is closed
    // (the grids set their columns up again at the next open).
    virtual void beforeOpen(const TQXQuery &query) { Q_UNUSED(query) }
    virtual void afterOpen(const TQXQuery &query) { Q_UNUSED(query) }
    virtual void setupGridColumns(const TQXQuery &query) { Q_UNUSED(query) }
    virtual void afterClose(const TQXQuery &query) { Q_UNUSED(query) }
};
