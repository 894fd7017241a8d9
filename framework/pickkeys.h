#pragma once

#include <functional>

class QDialog;
class QKeyEvent;

// The keys of a pick list: F3 and Enter choose, F12 closes the dialog. True when the key
// was one of them (and has been handled).
bool HandlePickKeys(QDialog &dialog, QKeyEvent *event, const std::function<void()> &choose);
