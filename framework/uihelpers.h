#pragma once

#include <QString>

class Dataset;
class QComboBox;
class QObject;
class QWidget;
class SearchTarget;

// Replaces the items of `list` with the text of `column` of every row of `dataset`,
// in dataset order from the first row.
void FillComboItems(QComboBox *list, Dataset &dataset, const QString &column);

// The primary screen's width in pixels (0 when there is no screen). Below 1024 it warns
// once, owned by `owner`; the display mode is left as it is.
int CheckScreenSize(QObject *owner);

// Sets up the input method of the screen's input controls: text boxes, editable drop-down
// lists and memos keep it, numeric, date and time controls, password boxes and grids get
// none. A control with the dynamic int property "tag" = 100 is left alone; a line edit's
// kind is its dynamic property "editKind" ("number", "date", ...; empty or "text": text).
// The input method itself is chosen by the desktop, so `inputMethod` only names the user's
// preference.
void ApplyInputMethod(QWidget *screen, const QString &inputMethod);

// Runs `sql` on `query` behind the progress window and the busy cursor, then tells how
// many records were found. A failure to open passes on, with cursor and window restored.
void RunSearch(SearchTarget &query, const QString &sql);

// Moves a top-level window to the middle of its screen.
void CenterOnScreen(QWidget *window);
