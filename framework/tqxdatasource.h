#pragma once

#include "tqxdataset.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QWidget;

// The link between one dataset and the controls of a screen. Once hooked (when the screen
// is shown) every state change of the dataset, while ActiveColor is set, switches the
// framework controls of the owner form between browse look (read-only, BrowseColor) and
// edit look (writable, EditColor, focused control in ColorOnFocus), enables the governed
// command buttons by state and then applies the user's rights to them. Screens declare
// which buttons belong to it and give controls a tag (see TagOf) where they need an
// exception. It never starts an edit by itself: records are edited through the commands.
//
// Tags (default mode): 1 grid left alone; 2 always read-only (look-up lists stay usable,
// plain drop-down lists stay enabled); 3, 4 data-bound edit box read-only and out of the
// Tab order; 5, 30 usable only in browse; 6 combo-edit button only in browse; 7 combo edit
// read-only, button only in browse; 100 never touched; 200 look-up never read-only.
// IS_MASTER_CHANGE switches only controls tagged below 500; IS_DETAIL_CHANGE only those
// tagged 500 and above, reading 502, 503, 504, 506 and 507 as 2, 3, 4, 6 and 7.
class TQXDataSource : public QObject
{
    Q_OBJECT

public:
    // The owner form is the nearest widget among the ancestors.
    explicit TQXDataSource(QObject *parent = nullptr);

    TQXDataset *dataSet() const { return m_dataset; }
    void setDataSet(TQXDataset *dataset);
    QWidget *ownerForm() const;
    void setOwnerForm(QWidget *form) { m_ownerForm = form; }

    // Colours as 0xRRGGBB.
    quint32 BrowseColor = 0xF8FCE2;
    quint32 EditColor = 0xFFFFFF;
    quint32 ColorOnFocus = 0x000000;
    // While off, state changes run only OnStateChange.
    bool ActiveColor = false;

    // Tool-bar buttons.
    QPointer<QAbstractButton> ButtonNew, ButtonAdd, ButtonEdit, ButtonPrint, ButtonCheck, ButtonDelete, ButtonCancel,
        ButtonSave, ButtonFind, ButtonOther, ButtonPrior, ButtonNext, ButtonFirst, ButtonLast;
    // Push buttons of the pop-up editors.
    QPointer<QAbstractButton> Button_Add, Button_New, Button_Edit, Button_Delete, Button_Find, Button_Prior, Button_Next,
        Button_First, Button_Last, Button_Check, Button_Print, Button_Save, Button_Cancel, Button_Close;
    // Further buttons usable only in browse state.
    QPointer<QAbstractButton> SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5;

    bool RightAdd = true;
    bool RightEdit = true;
    bool RightPrint = true;
    bool RightCheck = true;
    bool RightDelete = true;

    bool IS_MASTER_CHANGE = false;
    bool IS_DETAIL_CHANGE = false;

    // The screen's own state-change handler; runs after this data source's work.
    std::function<void(TQXDataset::State)> OnStateChange;

    // Chains the state change (once) and performs one state switch at once.
    void Hook();
    bool isHooked() const { return m_hooked; }
    // Any state other than edit and insert (a closed dataset included).
    bool isBrowse() const;
    // Enables the governed buttons by state (the table of the class comment).
    void SetButtons();
    // Keeps a governed button enabled only when it is enabled and its right is held.
    void ApplyRights();
    // Switches every framework control of the owner form to the look of the state.
    void SwitchControls();

    // Display updates of the bound controls, suspended during programmatic changes.
    bool displayUpdates() const { return m_displayUpdates; }
    void setDisplayUpdates(bool enabled);

signals:
    void dataSetChanged();
    // Display updates were resumed: bound controls show their fields again.
    void displayResumed();

private:
    void stateChanged(TQXDataset::State state);

    QPointer<TQXDataset> m_dataset;
    QMetaObject::Connection m_stateLink;
    QPointer<QWidget> m_ownerForm;
    bool m_hooked = false;
    bool m_displayUpdates = true;
};
