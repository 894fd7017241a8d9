#include "tqxdatasource.h"

#include "controlkind.h"
#include "focuscolorkeeper.h"
#include "tagproperty.h"
#include "tqxcomboedit.h"

#include <QAbstractButton>
#include <QColor>
#include <QWidget>
#include <optional>

namespace {

enum class Group { Add, Edit, Delete, Print, Check, BrowseOnly, EditOnly };

struct Governed
{
    QPointer<QAbstractButton> TQXDataSource::*button;
    Group group;
};

using DS = TQXDataSource;
constexpr Governed GovernedButtons[] = {
    {&DS::ButtonNew, Group::Add},         {&DS::ButtonAdd, Group::Add},         {&DS::Button_Add, Group::Add},
    {&DS::Button_New, Group::Add},        {&DS::ButtonEdit, Group::Edit},       {&DS::Button_Edit, Group::Edit},
    {&DS::ButtonDelete, Group::Delete},   {&DS::Button_Delete, Group::Delete},  {&DS::ButtonPrint, Group::Print},
    {&DS::Button_Print, Group::Print},    {&DS::ButtonCheck, Group::Check},     {&DS::Button_Check, Group::Check},
    {&DS::ButtonFind, Group::BrowseOnly}, {&DS::Button_Find, Group::BrowseOnly}, {&DS::ButtonOther, Group::BrowseOnly},
    {&DS::ButtonPrior, Group::BrowseOnly}, {&DS::ButtonNext, Group::BrowseOnly}, {&DS::ButtonFirst, Group::BrowseOnly},
    {&DS::ButtonLast, Group::BrowseOnly}, {&DS::Button_Prior, Group::BrowseOnly}, {&DS::Button_Next, Group::BrowseOnly},
    {&DS::Button_First, Group::BrowseOnly}, {&DS::Button_Last, Group::BrowseOnly}, {&DS::Button_Close, Group::BrowseOnly},
    {&DS::SpeedButton1, Group::BrowseOnly}, {&DS::SpeedButton2, Group::BrowseOnly}, {&DS::SpeedButton3, Group::BrowseOnly},
    {&DS::SpeedButton4, Group::BrowseOnly}, {&DS::SpeedButton5, Group::BrowseOnly}, {&DS::ButtonSave, Group::EditOnly},
    {&DS::ButtonCancel, Group::EditOnly}, {&DS::Button_Save, Group::EditOnly}, {&DS::Button_Cancel, Group::EditOnly},
};

// Tags without a special meaning in a mode read as 0.
constexpr int Plain = 0;

// The tag a control is switched by in the data source's mode; nothing when the mode skips it.
std::optional<int> effectiveTag(const TQXDataSource &source, int tag, ControlKind kind)
{
    if (source.IS_MASTER_CHANGE) {
        if (tag >= 500 || (tag == 5 && IsComboEditKind(kind)))
            return std::nullopt;
        if (tag == 5 || tag == 30 || tag == 100)
            return Plain;
        return tag;
    }
    if (source.IS_DETAIL_CHANGE) {
        if (tag < 500)
            return std::nullopt;
        switch (tag) {
        case 502:
        case 503:
        case 504:
        case 506:
        case 507:
            return tag - 500;
        default:
            return Plain;
        }
    }
    return tag;
}

void setColors(QWidget *control, const QColor &normal, const QColor &focus)
{
    if (FocusColorKeeper *colors = ColorsOf(control)) {
        colors->setNormalColor(normal);
        colors->setColorOnFocus(focus);
    }
}

// The class rules for a control the tag rules left to them.
void applyClassRules(QWidget *control, ControlKind kind, int tag, bool browse)
{
    switch (kind) {
    case ControlKind::Edit:
    case ControlKind::DBEdit:
    case ControlKind::DBComboBox:
    case ControlKind::DBMemo:
        SetControlReadOnly(control, browse || tag == 2);
        break;
    case ControlKind::ComboEdit:
    case ControlKind::DBComboEdit: {
        SetControlReadOnly(control, browse || tag == 2 || tag == 7);
        const bool buttonInBrowse = tag == 6 || tag == 7;
        static_cast<TQXComboEdit *>(control)->setButtonEnabled(buttonInBrowse ? browse : !browse);
        break;
    }
    case ControlKind::ListComboEdit:
        SetControlReadOnly(control, browse || tag == 2 || tag == 7);
        break;
    case ControlKind::Lookup:
        SetControlReadOnly(control, tag != 200 && browse && tag != 2);
        break;
    case ControlKind::ComboBox:
        control->setEnabled(browse || tag == 2);
        break;
    case ControlKind::Grid:
    case ControlKind::Other:
        break;
    }
}

QColor rgb(quint32 value)
{
    return QColor::fromRgb(QRgb(value));
}

} // namespace

TQXDataSource::TQXDataSource(QObject *parent) : QObject(parent)
{
}

void TQXDataSource::setDataSet(TQXDataset *dataset)
{
    if (m_dataset == dataset)
        return;
    if (m_stateLink)
        disconnect(m_stateLink);
    m_dataset = dataset;
    if (dataset)
        m_stateLink = connect(dataset, &TQXDataset::stateChanged, this, &TQXDataSource::stateChanged);
    emit dataSetChanged();
}

QWidget *TQXDataSource::ownerForm() const
{
    if (m_ownerForm)
        return m_ownerForm;
    for (QObject *object = parent(); object; object = object->parent()) {
        if (auto *widget = qobject_cast<QWidget *>(object))
            return widget->window();
    }
    return nullptr;
}

bool TQXDataSource::isBrowse() const
{
    return !m_dataset || !m_dataset->isEditing();
}

void TQXDataSource::Hook()
{
    if (m_hooked)
        return;
    m_hooked = true;
    stateChanged(m_dataset ? m_dataset->state() : TQXDataset::State::Inactive);
}

void TQXDataSource::stateChanged(TQXDataset::State state)
{
    if (m_hooked && ActiveColor) {
        SwitchControls();
        SetButtons();
        ApplyRights();
    }
    if (OnStateChange)
        OnStateChange(state);
}

void TQXDataSource::SetButtons()
{
    const bool browse = isBrowse();
    for (const Governed &entry : GovernedButtons) {
        if (QAbstractButton *button = this->*entry.button)
            button->setEnabled(entry.group == Group::EditOnly ? !browse : browse);
    }
}

void TQXDataSource::ApplyRights()
{
    for (const Governed &entry : GovernedButtons) {
        QAbstractButton *button = this->*entry.button;
        if (!button)
            continue;
        bool right = true;
        switch (entry.group) {
        case Group::Add: right = RightAdd; break;
        case Group::Edit: right = RightEdit; break;
        case Group::Delete: right = RightDelete; break;
        case Group::Print: right = RightPrint; break;
        case Group::Check: right = RightCheck; break;
        case Group::BrowseOnly:
        case Group::EditOnly: continue;
        }
        // The button's own state: a disabled tool bar must not count as a refusal.
        const bool enabled = !button->testAttribute(Qt::WA_ForceDisabled);
        button->setEnabled(enabled && right);
    }
}

void TQXDataSource::SwitchControls()
{
    QWidget *form = ownerForm();
    if (!form)
        return;
    const bool browse = isBrowse();
    const QColor normal = rgb(browse ? BrowseColor : EditColor);
    const QColor focus = rgb(browse ? BrowseColor : ColorOnFocus);
    const bool defaultMode = !IS_MASTER_CHANGE && !IS_DETAIL_CHANGE;
    for (QWidget *control : form->findChildren<QWidget *>()) {
        // Dialogs the screen owns (find, pickers) keep their own controls as they are.
        if (control->window() != form->window())
            continue;
        const ControlKind kind = KindOf(control);
        const int tag = TagOf(control);
        if (kind == ControlKind::Grid) {
            if (tag != 1)
                control->setEnabled(browse);
            continue;
        }
        const std::optional<int> effective = effectiveTag(*this, tag, kind);
        if (!effective)
            continue;
        switch (*effective) {
        case 5:
        case 30:
            if (defaultMode) {
                control->setEnabled(browse);
                continue;
            }
            break;
        case 100:
            if (defaultMode)
                continue;
            break;
        case 3:
        case 4:
            // Derived values: shown, never typed into.
            if (kind == ControlKind::DBEdit) {
                SetControlReadOnly(control, true);
                control->setFocusPolicy(Qt::ClickFocus);
            }
            continue;
        default:
            break;
        }
        if (!IsInputKind(kind))
            continue;
        setColors(control, normal, focus);
        applyClassRules(control, kind, *effective, browse);
    }
}

void TQXDataSource::setDisplayUpdates(bool enabled)
{
    if (m_displayUpdates == enabled)
        return;
    m_displayUpdates = enabled;
    if (enabled)
        emit displayResumed();
}
