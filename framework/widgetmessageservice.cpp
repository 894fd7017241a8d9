#include "widgetmessageservice.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString InfoCaption = QStringLiteral("提示信息");
const QString ErrorCaption = QStringLiteral("错误信息");

// Message boxes size themselves to their text; keep them wide enough for the caption,
// which the desktop extends with the program's title.
void keepCaptionReadable(QMessageBox &box)
{
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(320, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1, grid->columnCount());
}

void showBox(QMessageBox::Icon icon, const QString &caption, const QString &text, QObject *owner)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, WidgetMessageService::ownerWindow(owner));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    keepCaptionReadable(box);
    box.exec();
}

} // namespace

QWidget *WidgetMessageService::ownerWindow(QObject *owner)
{
    QWidget *window = nullptr;
    if (auto *widget = qobject_cast<QWidget *>(owner))
        window = widget->window();
    if (!window)
        window = QApplication::activeWindow();
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
    return window;
}

void WidgetMessageService::warning(const QString &text, QObject *owner)
{
    showBox(QMessageBox::Warning, InfoCaption, text, owner);
}

void WidgetMessageService::error(const QString &text, QObject *owner)
{
    showBox(QMessageBox::Critical, ErrorCaption, text, owner);
}

bool WidgetMessageService::question(const QString &text, QObject *owner)
{
    QMessageBox box(QMessageBox::Question, InfoCaption, text, QMessageBox::Yes | QMessageBox::No,
                    ownerWindow(owner));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.setDefaultButton(QMessageBox::Yes);
    keepCaptionReadable(box);
    return box.exec() == QMessageBox::Yes;
}

QString WidgetMessageService::openFileName(const QString &caption, const QString &filter, QObject *owner)
{
    return QFileDialog::getOpenFileName(ownerWindow(owner), caption, QString(), filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QString WidgetMessageService::saveFileName(const QString &caption, const QString &filter, QObject *owner)
{
    return QFileDialog::getSaveFileName(ownerWindow(owner), caption, QString(), filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QString WidgetMessageService::existingDirectory(const QString &caption, const QString &start, QObject *owner)
{
    return QFileDialog::getExistingDirectory(ownerWindow(owner), caption, start,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}
