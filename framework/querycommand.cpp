#include "querycommand.h"

#include "apperror.h"
#include "exceptionhandler.h"

bool RunQueryCommand(QObject *sender, const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const AbortError &) {
        return false;
    } catch (...) {
        HandleCurrentException(sender);
        return false;
    }
}
