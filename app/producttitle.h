#pragma once

#include <QString>

// The product's name: main-window caption, splash screen, application title, help file.
inline const QString ProductTitle = QStringLiteral("路威车辆管理系统");
// The help document next to the executable.
inline const QString HelpFileName = ProductTitle + QStringLiteral("帮助") + QStringLiteral(".html");
