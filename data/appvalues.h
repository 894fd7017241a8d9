#pragma once

#include "tsqltype.h"

#include <QString>
#include <QtGlobal>

// The process-wide application values, written at start-up and sign-on, read everywhere.
struct AppValues
{
    QString UserID = QStringLiteral("G001");
    QString UserName = QStringLiteral("系统用户");
    bool IsSystemUser = false;
    QString CompanyName = QStringLiteral("本单位");
    QString CompanyPhone;
    QString CompanyFax;
    QString CompanyAddress;
    QString TodayText;  // the working date, "yyyy-MM-dd"
    QString BaseDir;
    QString DataDir;
    QString TempDir;
    QString HelpFile;
    QString ImeName;
    int ScreenWidth = 1024;
    static constexpr int ChildMaxTop = 90;
    // Colours as 0xRRGGBB.
    static constexpr quint32 Color = 0xFEFAF1;
    static constexpr quint32 LabelColor = 0xBEFDB7;
    static constexpr quint32 EditColor = 0xEEFDFD;
    static constexpr quint32 ColorOnFocus = 0xC7F7F8;
    const QString Language = QStringLiteral("GB");
    const TSqlType SqlType = urStandard;
};

// The one set of application values.
AppValues &App();
