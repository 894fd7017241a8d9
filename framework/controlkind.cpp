#include "controlkind.h"

#include "focuscolorkeeper.h"
#include "tqxcombobox.h"
#include "tqxcomboedit.h"
#include "tqxdbcombobox.h"
#include "tqxdbcomboedit.h"
#include "tqxdbedit.h"
#include "tqxdbmemo.h"
#include "tqxedit.h"
#include "tqxmedit.h"

ControlKind KindOf(const QObject *control)
{
    if (!control)
        return ControlKind::Other;
    if (control->inherits("TQXDBGrid") || control->inherits("TQXNDBGrid"))
        return ControlKind::Grid;
    if (qobject_cast<const TQXDBEdit *>(control))
        return ControlKind::DBEdit;
    if (qobject_cast<const TQXEdit *>(control) || qobject_cast<const TQXMEdit *>(control))
        return ControlKind::Edit;
    if (qobject_cast<const TQXDBComboBox *>(control))
        return ControlKind::DBComboBox;
    if (qobject_cast<const TQXComboBox *>(control))
        return ControlKind::ComboBox;
    if (qobject_cast<const TQXDBMemo *>(control))
        return ControlKind::DBMemo;
    if (qobject_cast<const TQXDBComboEdit *>(control))
        return ControlKind::DBComboEdit;
    if (qobject_cast<const TQXComboEdit *>(control))
        return ControlKind::ComboEdit;
    if (control->inherits("TQXLComboEdit") || control->inherits("TQXLDBComboEdit"))
        return ControlKind::ListComboEdit;
    if (control->inherits("TQXDBLookupListBox") || control->inherits("TQXDBLookupComboBox"))
        return ControlKind::Lookup;
    return ControlKind::Other;
}

bool IsInputKind(ControlKind kind)
{
    return kind != ControlKind::Grid && kind != ControlKind::Other;
}

bool IsDataBoundKind(ControlKind kind)
{
    switch (kind) {
    case ControlKind::DBEdit:
    case ControlKind::DBComboBox:
    case ControlKind::DBMemo:
    case ControlKind::DBComboEdit:
    case ControlKind::Lookup:
        return true;
    default:
        return false;
    }
}

bool IsComboEditKind(ControlKind kind)
{
    return kind == ControlKind::ComboEdit || kind == ControlKind::DBComboEdit;
}

FocusColorKeeper *ColorsOf(const QWidget *control)
{
    return control ? control->findChild<FocusColorKeeper *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void SetControlReadOnly(QWidget *control, bool readOnly)
{
    if (auto *comboEdit = qobject_cast<TQXComboEdit *>(control)) {
        comboEdit->setReadOnly(readOnly || !comboEdit->directInput());
        return;
    }
    control->setProperty("readOnly", readOnly);
}
