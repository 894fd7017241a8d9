#pragma once

#include "helpfile.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// The enrolment dialog: registers the organisation and its first system user on a
// database that has none, gives that user every right, shows the numbering settings and
// the help. Ends with "OK" once enrolled, leaving UserID, UserName, IsSystemUser, ImeName
// and CompanyName set.
class TEnrolForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TEnrolForm(QWidget *parent = nullptr, HelpOpener helpOpener = OpenHelpFile);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Button_OkClick();
    // The first check that fails warns and focuses its box.
    bool checkInputs();
    // The organisation row 'G001', updated or added.
    bool writeCompany();
    // The user row and its rights rows, all or nothing.
    bool writeUser();
    QString text(const QLineEdit *edit) const;

    QLineEdit *m_companyName;
    QLineEdit *m_postcode;
    QLineEdit *m_fax;
    QLineEdit *m_phone;
    QLineEdit *m_address;
    QComboBox *m_inputMethod;
    QLineEdit *m_userID;
    QLineEdit *m_userName;
    QLineEdit *m_password;
    QLineEdit *m_confirmation;
    QPushButton *m_buttonOk;
    QPushButton *m_buttonClose;
    HelpOpener m_helpOpener;
};
