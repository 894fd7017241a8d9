#include "tfinddialogbase.h"

#include "cjkfont.h"
#include "tfindwindowbase.h"
#include "uihelpers.h"

#include <QComboBox>

TFindDialogBase::TFindDialogBase(QWidget *owner, TFindWindowBase *window) : QObject(owner), m_findWindow(window)
{
}

TFindDialogBase::~TFindDialogBase()
{
    delete m_findWindow;
}

void TFindDialogBase::Prepare()
{
    FindEditors &editors = m_findWindow->editors();
    editors.PopupWindow = PopupWindow;
    editors.SelectSQL = SelectSQL;
    editors.Color = Color;
    editors.applyColors(ColorNotOnFocus, ColorOnFocus);
    if (Color.isValid()) {
        QPalette face = m_findWindow->palette();
        face.setColor(QPalette::Window, Color);
        m_findWindow->setPalette(face);
    }
    // The window and its calendar use the language's font.
    m_findWindow->setFont(Language == GB ? CjkFont(QStringLiteral("宋体"), 9) : CjkFont(QStringLiteral("新細明體"), 11));
    ApplyInputMethod(m_findWindow, ImeName);
    m_findWindow->SqlType = SqlType;
    m_findWindow->setWindowTitle(Caption + QStringLiteral("查找窗口"));
    m_findWindow->setAllDataOffered(!BaseSQL.isEmpty());
    editors.prepareForShow();
    if (FieldIndex != -1)
        editors.fieldBox->setCurrentIndex(FieldIndex);
    if (ConnectionIndex != -1)
        editors.operatorBox->setCurrentIndex(ConnectionIndex);
}

bool TFindDialogBase::Execute()
{
    Prepare();
    return m_findWindow->exec() == QDialog::Accepted;
}

bool TFindDialogBase::AllData() const
{
    return m_findWindow->allData();
}
