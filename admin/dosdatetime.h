#pragma once

#include <QDateTime>

// File times in the archive are 32-bit DOS date-times in local time: the date in the high
// 16 bits (years since 1980, month, day), the time in the low 16 bits (hours, minutes,
// seconds ÷ 2). Compared as unsigned numbers they order like the times they stand for.
namespace DosDateTime {

// Times before 1980 or after 2107 are clamped to the first or last representable second.
quint32 fromDateTime(const QDateTime &time);
// An invalid QDateTime when the fields do not form a valid date and time.
QDateTime toDateTime(quint32 value);

} // namespace DosDateTime
