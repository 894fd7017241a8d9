#pragma once

#include "tcategoryform.h"
#include "tinsertdata.h"

// The organisation and its departments (SYS_COMPANY_TABLE): the department tree, rooted
// at the organisation, on the left; on the right the organisation panel ("单位资料") when
// the root is selected, the department panel ("部门资料") otherwise.
//
// The organisation row has the fixed identifiers COMPANY_ID "G001" and PRIOR_ID "G002";
// editing with the root selected edits it (or creates it when there is none yet) and
// saving it renames the root and the organisation (App().CompanyName). Departments nest to
// any depth and are refused deletion while sub-departments or records filed under them
// exist.
class TDeptForm final : public TCategoryForm
{
    Q_OBJECT

public:
    explicit TDeptForm(QWidget *owner = nullptr);

    static TCategorySetup Setup();
    static const QString OrganisationParent;  // "G002"

    // Set by an edit with the root selected, cleared by add and by department edits: the
    // save then writes the organisation row from the organisation panel.
    bool OrganisationMode() const { return m_organisationMode; }

    TQXDBEdit *const DBEditPhone;
    QWidget *const CompanyPanel;
    TQXDBEdit *const DBEditCompanyName;
    TQXDBEdit *const DBEditCompanyAddress;
    TQXDBEdit *const DBEditCompanyPostcode;
    TQXDBEdit *const DBEditCompanyPhone;
    TQXDBEdit *const DBEditCompanyFax;
    TQXDBEdit *const DBEditAccountNumber;
    TQXDBEdit *const DBEditCompanyBank;
    TQXDBEdit *const DBEditCompanyNote;
    TQXDBEdit *const DBEditCompanyEmail;

protected:
    void FormShow() override;
    void QXTreeViewChange(QTreeWidgetItem *node) override;
    void DSStateChange(TQXDataset::State state) override;
    void button_addClick() override;
    void button_editClick() override;
    void button_saveClick() override;

private:
    void setUpQuery();
    void layOutCompanyPanel();
    // Brings the panel of the selected node's level to the front.
    void ShowMatchingPanel();
    // The name box focused on add and edit and when the name is missing on save.
    void useNameBox(TQXDBEdit *box);

    bool m_organisationMode = false;
    // New departments are numbered "B" + time; the organisation row gets its fixed
    // identifier instead, so nothing redraws it as a department number.
    TInsertDataArray m_departmentInsertData;
    TInsertDataArray m_organisationInsertData;
};
