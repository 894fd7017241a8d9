#include "chooseone.h"

#include "tselectitemform.h"
#include "tselectitemqueryform.h"

#include <QApplication>
#include <QStringList>

namespace {

int run(TSelectItemForm &form, const QString &caption, const QStringList &options, int initial)
{
    form.setWindowTitle(caption);
    for (const QString &option : options)
        form.addOption(option);
    form.setItemIndex(initial > 0 ? initial - 1 : 0);
    form.exec();
    return form.choice();
}

int choose(const QString &caption, const QStringList &options, int initial)
{
    TSelectItemForm form(QApplication::activeWindow());
    return run(form, caption, options, initial);
}

int chooseQuery(const QString &caption, const QStringList &options)
{
    TSelectItemQueryForm form(QApplication::activeWindow());
    return run(form, caption, options, 1);
}

} // namespace

int ChooseOne(const QString &caption, const QString &option1, const QString &option2, const QString &option3,
              int initial)
{
    return choose(caption, {option1, option2, option3}, initial);
}

int ChooseOne(const QString &caption, const QString &option1, const QString &option2, const QString &option3,
              const QString &option4)
{
    return choose(caption, {option1, option2, option3, option4}, 1);
}

int ChooseOne(const QString &caption, const QString &option1, const QString &option2, const QString &option3,
              const QString &option4, const QString &option5, int initial)
{
    return choose(caption, {option1, option2, option3, option4, option5}, initial);
}

int ChooseOne(const QString &caption, const QString &option1, const QString &option2, const QString &option3,
              const QString &option4, const QString &option5, const QString &option6)
{
    return choose(caption, {option1, option2, option3, option4, option5, option6}, 1);
}

int ChooseOneQuery(const QString &caption, const QString &option1, const QString &option2,
                   const QString &option3, const QString &option4)
{
    return chooseQuery(caption, {option1, option2, option3, option4});
}

int ChooseOneQuery(const QString &caption, const QString &option1, const QString &option2)
{
    return chooseQuery(caption, {option1, option2});
}
