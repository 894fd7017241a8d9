#pragma once

#include <QString>

// Modal option dialogs: each returns the 1-based position of the chosen option, or 0 when
// the dialog is closed without a choice. Options are offered in argument order; `initial`
// is the 1-based option chosen at the start (0: the first).

// Option dialog (TSelectItemForm) with three, four, five or six options.
int ChooseOne(const QString &caption, const QString &option1, const QString &option2, const QString &option3,
              int initial);
int ChooseOne(const QString &caption, const QString &option1, const QString &option2, const QString &option3,
              const QString &option4);
int ChooseOne(const QString &caption, const QString &option1, const QString &option2, const QString &option3,
              const QString &option4, const QString &option5, int initial);
int ChooseOne(const QString &caption, const QString &option1, const QString &option2, const QString &option3,
              const QString &option4, const QString &option5, const QString &option6);

// Query option dialog (TSelectItemQueryForm, with "关闭") with four or two options.
int ChooseOneQuery(const QString &caption, const QString &option1, const QString &option2,
                   const QString &option3, const QString &option4);
int ChooseOneQuery(const QString &caption, const QString &option1, const QString &option2);
