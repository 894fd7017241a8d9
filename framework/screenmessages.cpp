#include "screenmessages.h"

ScreenMessages &ScreenMessages::instance()
{
    static ScreenMessages messages;
    return messages;
}
