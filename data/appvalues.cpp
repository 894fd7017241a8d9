#include "appvalues.h"

AppValues &App()
{
    static AppValues values;
    return values;
}
