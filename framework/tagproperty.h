#pragma once

#include <QObject>
#include <QVariant>

// The screens mark controls and datasets that need special treatment with a number, the
// dynamic int property "tag" (0 when not set). The data source, the screen controller and
// the document screens read it.
inline int TagOf(const QObject *object)
{
    return object ? object->property("tag").toInt() : 0;
}

inline void SetTag(QObject *object, int tag)
{
    object->setProperty("tag", tag);
}
