#pragma once

#include "tqxdataset.h"
#include "tqxdform.h"

class QLabel;
class TQXDBComboBox;
class TQXDBEdit;
class TQXNDBGrid;
class TQXPageControl;
class UserRightsPage;

// The user administration screen ("用户管理", system users only): the user list with its
// record commands on the first page, each user's rights per program on the second. The
// system user can be neither stopped nor deleted; a new user starts valid, not a system
// user, with the default password (stored hashed). Closing the screen removes rights and
// grid layouts of users that no longer exist.
class TUserForm final : public TQXDForm
{
    Q_OBJECT

public:
    explicit TUserForm(QWidget *owner = nullptr);

    static const QString DefaultPassword;
    // User names are written into the text(10) audit columns of every table.
    static constexpr int MaxNameWidth = 10;

    TQXPageControl *PageControl1;
    TQXDBEdit *DBEditUserId;
    TQXDBEdit *DBEditUserName;
    TQXDBComboBox *DBComboBoxStatus;
    TQXDBEdit *DBEditNote;
    TQXNDBGrid *DBGrid1;
    UserRightsPage *RightsPage;

protected:
    void FormShow() override;
    void FormClose() override;

    void button_addClick() override;
    void button_editClick() override;
    void button_saveClick() override;
    void button_deleteClick() override;
    void button_findClick() override;
    void button_printClick() override;

private:
    void declareQuery();
    QWidget *buildListPage();
    void stateChanged(TQXDataset::State state);
    void pageChanged(int page);
    bool isSystemUserRow() const;
};
