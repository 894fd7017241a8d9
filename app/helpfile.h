#pragma once

#include <QString>
#include <functional>

// Opens a help file; the program passes OpenHelpFile, tests pass a recorder.
using HelpOpener = std::function<void(const QString &file)>;

// Opens the file with the desktop's default viewer, or warns "帮助文件不存在" when it is
// missing. Nothing is opened on the offscreen platform, which has no desktop.
void OpenHelpFile(const QString &file);
