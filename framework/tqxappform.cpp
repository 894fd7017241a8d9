#include "tqxappform.h"

#include "exceptionhandler.h"
#include "fieldbinding.h"
#include "tagproperty.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QWidget *makeToolBar(QFrame *coolBar)
{
    auto *bar = new QWidget(coolBar);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    // Takes the focus from code only (on show and before a save), never by Tab.
    bar->setFocusPolicy(Qt::NoFocus);
    auto *coolLayout = new QHBoxLayout(coolBar);
    coolLayout->setContentsMargins(2, 2, 2, 2);
    coolLayout->addWidget(bar);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return bar;
}

QFrame *makeCoolBar(QWidget *screen)
{
    auto *coolBar = new QFrame(screen);
    coolBar->setObjectName(QStringLiteral("CoolBar1"));
    coolBar->setFrameShape(QFrame::StyledPanel);
    coolBar->setFrameShadow(QFrame::Raised);
    return coolBar;
}

QToolButton *makeButton(QWidget *bar, const char *name, const QString &caption, const QIcon &icon, bool visible, int tag)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setIcon(icon);
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFixedSize(49, 51);
    button->setFocusPolicy(Qt::NoFocus);
    SetTag(button, tag);
    static_cast<QHBoxLayout *>(bar->layout())->addWidget(button);
    button->setVisible(visible);
    return button;
}

QIcon standardIcon(const QWidget *screen, QStyle::StandardPixmap pixmap)
{
    return screen->style()->standardIcon(pixmap);
}

} // namespace

TQXAppForm::TQXAppForm(QWidget *owner)
    : TQXBaseForm(owner), CoolBar1(makeCoolBar(this)), ToolBar1(makeToolBar(CoolBar1)),
      button_add(makeButton(ToolBar1, "button_add", QStringLiteral("增加F5"), standardIcon(this, QStyle::SP_FileIcon), true, 0)),
      button_edit(makeButton(ToolBar1, "button_edit", QStringLiteral("编辑F6"),
                             standardIcon(this, QStyle::SP_FileDialogDetailedView), true, 0)),
      button_delete(makeButton(ToolBar1, "button_delete", QStringLiteral("删除F7"), standardIcon(this, QStyle::SP_TrashIcon), true, 0)),
      button_save(makeButton(ToolBar1, "button_save", QStringLiteral("保存F8"), standardIcon(this, QStyle::SP_DialogSaveButton), true, 0)),
      button_cancel(makeButton(ToolBar1, "button_cancel", QStringLiteral("取消F9"),
                               standardIcon(this, QStyle::SP_DialogCancelButton), true, 0)),
      button_find(makeButton(ToolBar1, "button_find", QStringLiteral("查找F10"),
                             standardIcon(this, QStyle::SP_FileDialogContentsView), true, 0)),
      button_First(makeButton(ToolBar1, "button_First", QStringLiteral("头一条"),
                              standardIcon(this, QStyle::SP_MediaSkipBackward), false, 0)),
      button_Prior(makeButton(ToolBar1, "button_Prior", QStringLiteral("前一条 "),
                              standardIcon(this, QStyle::SP_MediaSeekBackward), false, 0)),
      button_next(makeButton(ToolBar1, "button_next", QStringLiteral("下一条"),
                             standardIcon(this, QStyle::SP_MediaSeekForward), false, 0)),
      button_Last(makeButton(ToolBar1, "button_Last", QStringLiteral("末一条"),
                             standardIcon(this, QStyle::SP_MediaSkipForward), false, 0)),
      Button_Other(makeButton(ToolBar1, "Button_Other", QStringLiteral("补充"),
                              standardIcon(this, QStyle::SP_FileDialogInfoView), false, 0)),
      button_check(makeButton(ToolBar1, "button_check", QStringLiteral("确认"),
                              standardIcon(this, QStyle::SP_DialogApplyButton), true, 1)),
      button_print(makeButton(ToolBar1, "button_print", QStringLiteral("打印F11"),
                              QIcon::fromTheme(QStringLiteral("document-print"), standardIcon(this, QStyle::SP_ComputerIcon)),
                              true, 0)),
      button_close(makeButton(ToolBar1, "button_close", QStringLiteral("关闭F12"),
                              standardIcon(this, QStyle::SP_DialogCloseButton), true, 1)),
      m_layout(new QVBoxLayout(this))
{
    static_cast<QHBoxLayout *>(ToolBar1->layout())->addStretch();
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(CoolBar1);

    OnClick(button_save, &TQXAppForm::button_saveClick);
    OnClick(button_close, &TQXAppForm::button_closeClick);
    OnClick(button_check, &TQXAppForm::button_checkClick);
    OnClick(button_find, &TQXAppForm::button_findClick);
    OnClick(button_print, &TQXAppForm::button_printClick);
}

QToolButton *TQXAppForm::FunctionKeyButton(int key) const
{
    switch (key) {
    case Qt::Key_F5: return button_add;
    case Qt::Key_F6: return button_edit;
    case Qt::Key_F7: return button_delete;
    case Qt::Key_F8: return button_save;
    case Qt::Key_F9: return button_cancel;
    case Qt::Key_F10: return button_find;
    case Qt::Key_F11: return button_print;
    case Qt::Key_F12: return button_close;
    default: return nullptr;
    }
}

void TQXAppForm::FormShow()
{
    TQXBaseForm::FormShow();
    if (CoolBar1->isVisible())
        ToolBar1->setFocus(Qt::OtherFocusReason);
}

bool TQXAppForm::FormKeyDown(QKeyEvent *event)
{
    if (TQXBaseForm::FormKeyDown(event))
        return true;
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    QToolButton *button = FunctionKeyButton(event->key());
    if (!button || !button->isEnabled() || !button->isVisible())
        return false;
    button->click();
    return true;
}

void TQXAppForm::RunCommand(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &failure) {
        HandleException(this, failure);
    }
}

void TQXAppForm::button_saveClick()
{
    Checking = false;
    // The control being edited hands its text to the field before the save (also when
    // the window is not active and so loses no focus).
    if (FieldBinding *binding = FieldBinding::of(focusWidget()))
        binding->commit();
    ToolBar1->setFocus(Qt::OtherFocusReason);
}

void TQXAppForm::button_closeClick()
{
    close();
}

void TQXAppForm::button_checkClick()
{
    Checking = true;
}
