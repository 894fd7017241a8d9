#pragma once

#include <QObject>
#include <functional>

// Runs one command of a window on its query: a refusal (AbortError) has shown its message
// already and ends the command silently; any other failure goes to the failure handler.
// True when the command completed.
bool RunQueryCommand(QObject *sender, const std::function<void()> &command);
