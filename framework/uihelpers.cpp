#include "uihelpers.h"

#include "dataset.h"
#include "messageservice.h"
#include "searchtarget.h"
#include "tqxthread.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>

namespace {

const QString ScreenSizeWarning = QStringLiteral("系统需要1024 × 768的屏幕分辨率才能正常显示,系统要调整分辨率到1024 × 768，您以后在运行本软件前请将屏幕分辨率设定为：1024 × 768,此时屏幕会闪一下出现黑屏");
constexpr int LeaveAloneTag = 100;
const QString GuardName = QStringLiteral("inputMethodGuard");

// Line edits turn their input method back on whenever they become editable; this keeps it
// off on the controls it watches.
class InputMethodGuard final : public QObject
{
public:
    explicit InputMethodGuard(QObject *parent) : QObject(parent) { setObjectName(GuardName); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ReadOnlyChange || event->type() == QEvent::EnabledChange) {
            if (auto *widget = qobject_cast<QWidget *>(watched))
                widget->setAttribute(Qt::WA_InputMethodEnabled, false);
        }
        return false;
    }
};

QObject *guardOf(QWidget *screen)
{
    if (QObject *guard = screen->findChild<QObject *>(GuardName, Qt::FindDirectChildrenOnly))
        return guard;
    return new InputMethodGuard(screen);
}

bool hasLeaveAloneTag(const QWidget *widget)
{
    bool ok = false;
    const int tag = widget->property("tag").toInt(&ok);
    return ok && tag == LeaveAloneTag;
}

// The edit kind of the nearest control (the widget or an ancestor) that declares one.
QString editKindOf(const QWidget *widget, const QWidget *screen)
{
    for (const QWidget *w = widget; w; w = w == screen ? nullptr : w->parentWidget()) {
        const QVariant kind = w->property("editKind");
        if (kind.isValid())
            return kind.toString();
    }
    return {};
}

enum class InputMethod { Untouched, On, Off };

InputMethod inputMethodFor(QWidget *widget, const QWidget *screen)
{
    bool inSpinBox = false;
    bool inEditableCombo = false;
    for (const QWidget *w = widget; w; w = w == screen ? nullptr : w->parentWidget()) {
        if (hasLeaveAloneTag(w))
            return InputMethod::Untouched;
        if (qobject_cast<const QAbstractItemView *>(w))
            return InputMethod::Off;
        inSpinBox = inSpinBox || qobject_cast<const QAbstractSpinBox *>(w);
        if (auto *combo = qobject_cast<const QComboBox *>(w))
            inEditableCombo = inEditableCombo || combo->isEditable();
    }
    if (inSpinBox)
        return InputMethod::Off;
    auto *lineEdit = qobject_cast<QLineEdit *>(widget);
    const bool textInput = lineEdit || inEditableCombo || qobject_cast<QTextEdit *>(widget)
                           || qobject_cast<QPlainTextEdit *>(widget);
    if (!textInput)
        return InputMethod::Untouched;
    if (lineEdit && lineEdit->echoMode() != QLineEdit::Normal)
        return InputMethod::Off;
    const QString kind = editKindOf(widget, screen);
    return kind.isEmpty() || kind == QLatin1String("text") ? InputMethod::On : InputMethod::Off;
}

bool isReadOnly(const QWidget *widget)
{
    if (auto *lineEdit = qobject_cast<const QLineEdit *>(widget))
        return lineEdit->isReadOnly();
    if (auto *textEdit = qobject_cast<const QTextEdit *>(widget))
        return textEdit->isReadOnly();
    if (auto *plainEdit = qobject_cast<const QPlainTextEdit *>(widget))
        return plainEdit->isReadOnly();
    return false;
}

} // namespace

void FillComboItems(QComboBox *list, Dataset &dataset, const QString &column)
{
    list->clear();
    dataset.first();
    while (!dataset.eof()) {
        list->addItem(dataset.text(column));
        dataset.next();
    }
}

int CheckScreenSize(QObject *owner)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    const int width = screen->geometry().width();
    if (width < 1024)
        ShowWarningFor(owner, ScreenSizeWarning);
    return width;
}

void ApplyInputMethod(QWidget *screen, const QString &inputMethod)
{
    // Desktop input methods (IBus, Fcitx) are chosen system-wide, not per control.
    Q_UNUSED(inputMethod);
    QObject *guard = guardOf(screen);
    const QList<QWidget *> widgets = screen->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        switch (inputMethodFor(widget, screen)) {
        case InputMethod::Untouched:
            break;
        case InputMethod::On:
            // Editable controls take the input method; read-only ones turn it on themselves
            // when they become editable.
            widget->removeEventFilter(guard);
            widget->setAttribute(Qt::WA_InputMethodEnabled, !isReadOnly(widget));
            break;
        case InputMethod::Off:
            widget->setAttribute(Qt::WA_InputMethodEnabled, false);
            widget->installEventFilter(guard);
            break;
        }
    }
}

void RunSearch(SearchTarget &query, const QString &sql)
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    TQXThread progress;
    progress.setCaption(QStringLiteral("正在读取数据，请稍候....."));
    try {
        progress.ShowProgress();
        query.closeQuery();
        query.setSqlText(sql);
        query.openQuery();
    } catch (...) {
        progress.HideProgress();
        QApplication::restoreOverrideCursor();
        throw;
    }
    progress.HideProgress();
    QApplication::restoreOverrideCursor();

    const int count = query.recordCount();
    if (count > 0)
        ShowWarningFor(qApp, QStringLiteral("共找到 ") + QString::number(count) + QStringLiteral(" 个符合条件的纪录"));
    else
        ShowWarningFor(qApp, QStringLiteral("没有找到符合条件的纪录"));
}

void CenterOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
