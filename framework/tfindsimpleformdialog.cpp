#include "tfindsimpleformdialog.h"

#include "cjkfont.h"
#include "tqxfindsimpleform.h"
#include "uihelpers.h"

#include <QComboBox>

TFindSimpleFormDialog::TFindSimpleFormDialog(QWidget *owner) : QObject(owner), m_window(new TQXFindSimpleForm(owner))
{
}

TFindSimpleFormDialog::~TFindSimpleFormDialog()
{
    delete m_window;
}

void TFindSimpleFormDialog::SetFieldsData(const TFieldsDataArray &fields)
{
    m_window->editors().clear();
    m_window->editors().setFieldsData(fields);
}

void TFindSimpleFormDialog::Prepare()
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
    // The simple dialog and its calendar use the language's font.
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

bool TFindSimpleFormDialog::Execute()
{
    Prepare();
    return m_window->exec() == QDialog::Accepted;
}

QString TFindSimpleFormDialog::Condition() const
{
    return m_window->condition();
}

bool TFindSimpleFormDialog::AllData() const
{
    return m_window->allData();
}
