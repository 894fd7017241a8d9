#include "tfindsimpleformdialog.h"

#include "tqxfindsimpleform.h"

TFindSimpleFormDialog::TFindSimpleFormDialog(QWidget *owner) : TFindDialogBase(owner, new TQXFindSimpleForm(owner))
{
}

TQXFindSimpleForm *TFindSimpleFormDialog::window() const
{
    return static_cast<TQXFindSimpleForm *>(m_findWindow.data());
}

void TFindSimpleFormDialog::SetFieldsData(const TFieldsDataArray &fields)
{
    window()->editors().clear();
    window()->editors().setFieldsData(fields);
}

QString TFindSimpleFormDialog::Condition() const
{
    return window()->condition();
}
