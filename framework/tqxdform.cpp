#include "tqxdform.h"

#include "appvalues.h"
#include "databaseengine.h"
#include "exceptionhandler.h"
#include "fieldbinding.h"
#include "messageservice.h"
#include "tqxchild.h"
#include "tqxdatasource.h"
#include "tqxquery.h"

#include <QVBoxLayout>

namespace {

const QString NoRecords = QStringLiteral("没有数据记录");

} // namespace

TQXDForm::TQXDForm(QWidget *owner)
    : TQXAppForm(owner), Query(new TQXQuery(this)), DS(new TQXDataSource(this)), Panel1(new QWidget(this))
{
    Query->setObjectName(QStringLiteral("Query"));
    Query->setStatusEditValue(QStringLiteral("未审核"));
    Query->SqlType = App().SqlType;
    Query->setDatabaseName(MainDatabaseName);
    Query->setSql(QStringLiteral("SELECT  *  FROM  "));
    CurrentQuery = Query;
    NavDataSet = Query;

    DS->setObjectName(QStringLiteral("DS"));
    DS->setDataSet(Query);
    DS->ActiveColor = true;
    DS->ButtonAdd = button_add;
    DS->ButtonEdit = button_edit;
    DS->ButtonPrint = button_print;
    DS->ButtonCheck = button_check;
    DS->ButtonDelete = button_delete;
    DS->ButtonCancel = button_cancel;
    DS->ButtonSave = button_save;
    DS->ButtonFind = button_find;
    DS->ButtonPrior = button_Prior;
    DS->ButtonNext = button_next;
    DS->ButtonFirst = button_First;
    DS->ButtonLast = button_Last;
    button_save->setEnabled(false);
    button_cancel->setEnabled(false);
    button_check->setVisible(false);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    FormLayout()->addWidget(Panel1, 1);
    setFixedSize(754, 473);

    OnClick(button_add, &TQXDForm::button_addClick);
    OnClick(button_edit, &TQXDForm::button_editClick);
    OnClick(button_delete, &TQXDForm::button_deleteClick);
    OnClick(button_cancel, &TQXDForm::button_cancelClick);
    OnClick(button_First, &TQXDForm::button_FirstClick);
    OnClick(button_Prior, &TQXDForm::Button_PriorClick);
    OnClick(button_next, &TQXDForm::Button_NextClick);
    OnClick(button_Last, &TQXDForm::button_LastClick);
}

void TQXDForm::loadRights()
{
    if (ComposeName.isEmpty() || ProgramName.isEmpty()) {
        Rights = TRights{};
        Rights.add = true;
        return;
    }
    try {
        Rights = QXChild->LoadRights(ComposeName, ProgramName, App().UserID);
    } catch (const std::exception &failure) {
        Rights = TRights{};
        HandleException(this, failure);
    }
}

void TQXDForm::FormShow()
{
    TQXAppForm::FormShow();
    loadRights();
    button_add->setEnabled(Rights.add);
    button_edit->setEnabled(Rights.add);
    button_delete->setEnabled(Rights.add);
    button_print->setEnabled(Rights.print);
    button_check->setEnabled(Rights.verify);
    SetupQuery(*Query);
    SetupDataSource(*DS);
    DS->SwitchControls();
}

void TQXDForm::button_addClick()
{
    if (!CurrentQuery || !CurrentQuery->isActive())
        return;
    RefreshWorkingDate();
    CurrentQuery->AppendRecord();
    Adding = true;
    Editing = false;
    Checking = false;
}

void TQXDForm::button_editClick()
{
    if (!CurrentQuery || !CurrentQuery->isActive() || CurrentQuery->isEmpty())
        return;
    RefreshWorkingDate();
    CurrentQuery->EditRecord();
    Adding = false;
    Editing = true;
    Checking = false;
}

void TQXDForm::button_deleteClick()
{
    if (!CurrentQuery || !CurrentQuery->isActive() || CurrentQuery->isEmpty())
        return;
    CurrentQuery->DeleteRecord();
}

void TQXDForm::button_saveClick()
{
    TQXAppForm::button_saveClick();
    if (CurrentQuery && CurrentQuery->isEditing()) {
        // Texts set into bound controls by code (pickers) go to the record as well.
        FieldBinding::commitAll(this, CurrentQuery);
        CurrentQuery->SaveRecord();
    }
}

void TQXDForm::button_cancelClick()
{
    if (CurrentQuery && CurrentQuery->isEditing())
        CurrentQuery->CancelRecord();
}

bool TQXDForm::navigable() const
{
    if (!NavDataSet || NavDataSet->isEmpty()) {
        ShowWarningFor(const_cast<TQXDForm *>(this), NoRecords);
        return false;
    }
    return true;
}

void TQXDForm::button_FirstClick()
{
    if (navigable())
        NavDataSet->first();
}

void TQXDForm::button_LastClick()
{
    if (navigable())
        NavDataSet->last();
}

void TQXDForm::Button_PriorClick()
{
    if (!navigable())
        return;
    NavDataSet->prior();
    if (NavDataSet->bof())
        ShowWarningFor(this, QStringLiteral("已到第一个纪录"));
}

void TQXDForm::Button_NextClick()
{
    if (!navigable())
        return;
    NavDataSet->next();
    if (NavDataSet->eof())
        ShowWarningFor(this, QStringLiteral("已到最后一个纪录"));
}

void TQXDForm::button_checkClick()
{
    if (!Query->isActive() || Query->isEmpty())
        return;
    Adding = false;
    Editing = false;
    TQXAppForm::button_checkClick();
}
