#include "shownpreview.h"

#include "tprevform.h"
#include "tqxexcel.h"
#include "tselectitemform.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

ShownPreview ShownPreview::capture(const std::function<void()> &command, const QString &directory, int option,
                                   const std::function<void(TPrevForm &)> &inspect)
{
    ShownPreview result;
    // The print commands wait in event loops of their own: the windows are watched from a
    // timer meanwhile.
    QTimer pump;
    QObject::connect(&pump, &QTimer::timeout, &pump, [&] {
        if (auto *choice = qobject_cast<TSelectItemForm *>(QApplication::activeModalWidget())) {
            result.choiceTitle = choice->windowTitle();
            choice->setItemIndex(option);
            choice->confirm();
        }
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *preview = qobject_cast<TPrevForm *>(widget);
            if (!preview || !preview->isVisible())
                continue;
            result.shown = true;
            result.window = preview;
            result.pages = preview->pageCount();
            result.exportShown = preview->exportAction()->isVisible();
            if (inspect)
                inspect(*preview);
            preview->QXExcel->OutputDirectory = directory;
            preview->QXExcel->OpenWorkbook = [](const QString &) { return true; };
            preview->exportAction()->trigger();
            result.workbook = preview->QXExcel->fileName();
            preview->close();
        }
    });
    pump.start(20);
    command();
    return result;
}
