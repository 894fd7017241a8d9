#pragma once

#include "tqxappform.h"

#include <QPointer>

class TQXDataset;
class TQXDataSource;
class TQXQuery;

// The document screen: one editable query Query with its data source DS governing the
// tool bar, the screen's rights, and the standard behaviour of every command. A business
// screen sets ComposeName and ProgramName, the query's table, statements and rule arrays,
// lays out its controls in Panel1 (bound to DS) and overrides only the commands whose
// behaviour differs, calling the base command where its own part says so.
//
// Rights are looked up when the screen is shown: add, edit and delete follow the add right,
// print the print right, verify the verify right; a screen without ComposeName and
// ProgramName has add, edit and delete but neither print nor verify. A function key acts
// only through an enabled button, so a command without its right is refused.
class TQXDForm : public TQXAppForm
{
    Q_OBJECT

public:
    explicit TQXDForm(QWidget *owner = nullptr);

    TQXQuery *const Query;
    TQXDataSource *const DS;
    QWidget *const Panel1;

    // The query the commands act on and the dataset the navigation commands move.
    QPointer<TQXQuery> CurrentQuery;
    QPointer<TQXDataset> NavDataSet;
    bool Adding = false;
    bool Editing = false;

protected:
    void FormShow() override;

    virtual void button_addClick();
    virtual void button_editClick();
    virtual void button_deleteClick();
    void button_saveClick() override;
    virtual void button_cancelClick();
    virtual void button_FirstClick();
    virtual void Button_PriorClick();
    virtual void Button_NextClick();
    virtual void button_LastClick();
    void button_checkClick() override;

private:
    // Rights of the screen: looked up, or all but print and verify when it names no program.
    void loadRights();
    bool navigable() const;
};
