#pragma once

#include <QPointer>
#include <QString>
#include <functional>

class TPrevForm;

// What a print command showed: the print choice window it asked (answered with a given
// option) and its preview window, whose data was exported with "导到Excel" into a
// directory before the window was closed.
struct ShownPreview
{
    QString choiceTitle;  // empty: no print choice window was shown
    bool shown = false;
    int pages = -1;
    bool exportShown = false;
    QString workbook;     // the file the export wrote; empty when it wrote none
    QPointer<TPrevForm> window;  // the last preview shown; null once it has been deleted

    // Runs `command`, which returns when its preview window has gone. A print choice window
    // is answered with `option`; a preview window is handed to `inspect`, its data exported
    // into `directory` (the workbook is not opened) and closed.
    static ShownPreview capture(const std::function<void()> &command, const QString &directory, int option = 0,
                                const std::function<void(TPrevForm &)> &inspect = {});
};
