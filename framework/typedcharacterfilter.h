#pragma once

#include <QString>

// What an input box accepts; a number, date or time box filters the typed characters.
enum TEditTypes { etString, etInteger, etFloat, etDate, etTime, etPhone };

// Decides one typed character for a box of `type` holding `text` with the selection
// [selectionStart, selectionStart + selectionLength). Returns false to reject it; may
// replace `typed` (a "," typed into a decimal box becomes "."). Backspace is "\b", Enter
// "\r". Numbers always use "." as the decimal separator, whatever the system locale.
bool AcceptTypedCharacter(TEditTypes type, const QString &text, int selectionStart, int selectionLength, QString &typed);

// The maximum length a box takes when it gets the focus (0: unchanged).
int LengthLimitOnEntry(TEditTypes type, const QString &text, int maxLength);

// True for the types whose boxes keep the input method on (Chinese text entry).
bool UsesInputMethod(TEditTypes type);
