#pragma once

#include "engineerror.h"

#include <QObject>
#include <exception>

// The one handler of failures that nobody else handles: translates the common engine
// conditions into Chinese messages and shows any other failure with its kind and text.
void HandleException(QObject *sender, const std::exception &failure);
// The same for whatever is currently being caught (call inside a catch block).
void HandleCurrentException(QObject *sender);

// Shows the plain message of a recognised engine condition; for other entries shows
// "数据库操作错误" and leaves the technical details to follow.
void TranslateEngineError(const EngineErrorEntry &entry);
// Shows an error box unless a translated message was already shown for this failure.
void ShowErrorOnce(const QString &text);

// True while a translated message has been shown for the failure being handled.
bool ErrorShown();
