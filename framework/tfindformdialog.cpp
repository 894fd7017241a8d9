#include "tfindformdialog.h"

#include "tqxfindform.h"

TFindFormDialog::TFindFormDialog(QWidget *owner) : TFindDialogBase(owner, new TQXFindForm(owner))
{
}

TQXFindForm *TFindFormDialog::window() const
{
    return static_cast<TQXFindForm *>(m_findWindow.data());
}

void TFindFormDialog::SetFieldsData(const TFieldsDataArray &fields)
{
    Clear();
    window()->editors().setFieldsData(fields);
}

void TFindFormDialog::Clear()
{
    window()->Clear();
}

QStringList TFindFormDialog::Conditions() const
{
    return window()->sqlLines();
}

QString TFindFormDialog::ConditionText() const
{
    return window()->displayLines().join(QString());
}
