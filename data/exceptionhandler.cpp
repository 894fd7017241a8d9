#include "exceptionhandler.h"

#include "messageservice.h"

namespace {

bool errorShown = false;

struct Translation
{
    int code;
    int category;
    int subcode;
    const char *message;
};

const Translation translations[] = {
    {9734, 38, 6, "其它的数据库表中存在对该纪录的引用,纪录不能删除"},
    {10770, 42, 18, "数据库打开过程发生错误"},
    {9729, 38, 1, "数据库主键重复"},
    {10763, 42, 11, "数据已被其它用户修改,请重新查找刷新该记录,查看其它用户修改后的数据"},
    {10029, 39, 45, "数据太大,不能保存数据"},
    {10243, 40, 3, "有未关闭的数据表"},
};

void handleEngineError(const EngineError &failure)
{
    QString text;
    QString details = QStringLiteral("ErrorCode:");
    const EngineErrorEntry &entry = failure.entry();
    text = entry.message + QLatin1Char('\r');
    details = QStringLiteral("ErrorCode: (%1,%2,%3,%4)").arg(entry.code).arg(entry.category).arg(entry.subcode).arg(entry.nativeCode);
    TranslateEngineError(entry);
    ShowErrorOnce(failure.kindName() + QLatin1Char(':') + details + QLatin1Char('\t') + text);
}

void handleConvertError(const ConvertError &failure)
{
    const QString &message = failure.message();
    if (message.contains(QLatin1String("is not a valid date")))
        ShowWarning(QStringLiteral("请按格式YYYY%1MM%1DD 输入日期").arg(QLatin1Char('-')));
    else if (message.contains(QLatin1String("Format '%d' invalid or incompatible with argument")))
        ShowWarning(QStringLiteral("指定的格式与参数类型不匹配!"));
    else
        ShowWarning(message);
    errorShown = true;
}

} // namespace

bool ErrorShown()
{
    return errorShown;
}

void TranslateEngineError(const EngineErrorEntry &entry)
{
    errorShown = true;
    if (entry.nativeCode == 0) {
        for (const Translation &t : translations) {
            if (t.code == entry.code && t.category == entry.category && t.subcode == entry.subcode) {
                ShowWarning(QString::fromUtf8(t.message));
                return;
            }
        }
    }
    ShowWarning(QStringLiteral("数据库操作错误"));
    errorShown = false;
}

void ShowErrorOnce(const QString &text)
{
    if (!errorShown)
        ShowError(text);
    errorShown = false;
}

void HandleException(QObject *, const std::exception &failure)
{
    errorShown = false;
    if (const auto *engine = dynamic_cast<const EngineError *>(&failure)) {
        handleEngineError(*engine);
    } else if (const auto *convert = dynamic_cast<const ConvertError *>(&failure)) {
        handleConvertError(*convert);
    } else if (dynamic_cast<const AbortError *>(&failure)) {
        return;
    } else if (const auto *app = dynamic_cast<const AppError *>(&failure)) {
        ShowErrorOnce(app->kindName() + QLatin1Char(':') + app->message());
    } else {
        ShowErrorOnce(QStringLiteral("Exception:") + QString::fromLocal8Bit(failure.what()));
    }
}

void HandleCurrentException(QObject *sender)
{
    try {
        throw;
    } catch (const std::exception &failure) {
        HandleException(sender, failure);
    } catch (...) {
        errorShown = false;
        ShowErrorOnce(QStringLiteral("Exception:unknown failure"));
    }
}
