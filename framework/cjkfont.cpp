#include "cjkfont.h"

#include <QStringList>

namespace {

const QStringList &songFamilies()
{
    static const QStringList families{QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                                      QStringLiteral("WenQuanYi Zen Hei")};
    return families;
}

const QStringList &heiFamilies()
{
    static const QStringList families{QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC"),
                                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Serif CJK SC")};
    return families;
}

} // namespace

QFont CjkFont(const QString &designFamily, qreal pointSize, bool bold)
{
    QStringList families;
    if (designFamily == QStringLiteral("黑体")) {
        families = heiFamilies();
    } else {
        if (!designFamily.isEmpty() && designFamily != QStringLiteral("宋体"))
            families << designFamily;
        families << songFamilies();
    }
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
