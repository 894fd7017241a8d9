#pragma once

class FocusColorKeeper;
class QObject;
class QWidget;

// The framework controls as the data source and the screen controller tell them apart.
// Grids, list combo edits and look-up controls are recognised by class name, so that the
// classes that provide them need not be known here.
enum class ControlKind {
    Grid,          // TQXDBGrid, TQXNDBGrid
    Edit,          // TQXEdit, TQXMEdit
    DBEdit,        // TQXDBEdit
    ComboBox,      // TQXComboBox (plain drop-down list)
    DBComboBox,    // TQXDBComboBox
    DBMemo,        // TQXDBMemo
    ComboEdit,     // TQXComboEdit
    DBComboEdit,   // TQXDBComboEdit
    ListComboEdit, // TQXLComboEdit, TQXLDBComboEdit
    Lookup,        // TQXDBLookupListBox, TQXDBLookupComboBox
    Other,
};

ControlKind KindOf(const QObject *control);

// True for the framework's input controls (every kind but Grid and Other).
bool IsInputKind(ControlKind kind);
// True for the data-bound kinds.
bool IsDataBoundKind(ControlKind kind);
bool IsComboEditKind(ControlKind kind);

// The control's focus colours, or null for a control that keeps none.
FocusColorKeeper *ColorsOf(const QWidget *control);

// Makes the control read-only or writable: through its "readOnly" property; a combo edit
// without direct input stays read-only.
void SetControlReadOnly(QWidget *control, bool readOnly);
