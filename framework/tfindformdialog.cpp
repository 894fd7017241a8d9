#include "tfindformdialog.h"

#include "cjkfont.h"
#include "tqxfindform.h"
#include "uihelpers.h"

#include <QComboBox>
#include <QPushButton>

TFindFormDialog::TFindFormDialog(QWidget *owner) : QObject(owner), m_window(new TQXFindForm(owner))
{
}

TFindFormDialog::~TFindFormDialog()
{
    delete m_window;
}

void TFindFormDialog::SetFieldsData(const TFieldsDataArray &fields)
{
    Clear();
    m_window->editors().setFieldsData(fields);
}

void TFindFormDialog::Clear()
{
    m_window->Clear();
}

void TFindFormDialog::Prepare()
{
    FindEditors &editors = m_window->editors();
    editors.PopupWindow = PopupWindow;
    editors.SelectSQL = SelectSQL;
    editors.Color = Color;
    editors.applyColors(ColorNotOnFocus, ColorOnFocus);
    if (Color.isValid()) {
        QPalette face = m_window->palette();
        face.setColor(QPalette::Window, Color);
        m_window->setPalette(face);
    }
    m_window->setFont(Language == GB ? CjkFont(QStringLiteral("宋体"), 9) : CjkFont(QStringLiteral("新細明體"), 11));
    ApplyInputMethod(m_window, ImeName);
    m_window->SqlType = SqlType;
    m_window->setWindowTitle(Caption + QStringLiteral("查找窗口"));
    m_window->setAllDataOffered(!BaseSQL.isEmpty());
    editors.prepareForShow();
    if (FieldIndex != -1)
        editors.fieldBox->setCurrentIndex(FieldIndex);
    if (ConnectionIndex != -1)
        editors.operatorBox->setCurrentIndex(ConnectionIndex);
}

bool TFindFormDialog::Execute()
{
    Prepare();
    return m_window->exec() == QDialog::Accepted;
}

QStringList TFindFormDialog::Conditions() const
{
    return m_window->sqlLines();
}

QString TFindFormDialog::ConditionText() const
{
    return m_window->displayLines().join(QString());
}

bool TFindFormDialog::AllData() const
{
    return m_window->allData();
}
