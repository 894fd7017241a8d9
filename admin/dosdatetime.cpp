#include "dosdatetime.h"

namespace {

constexpr int FirstYear = 1980;
constexpr int LastYear = FirstYear + 127;

} // namespace

namespace DosDateTime {

quint32 fromDateTime(const QDateTime &time)
{
    QDateTime local = time.toLocalTime();
    const QDateTime first(QDate(FirstYear, 1, 1), QTime(0, 0));
    const QDateTime last(QDate(LastYear, 12, 31), QTime(23, 59, 58));
    if (!local.isValid() || local < first)
        local = first;
    else if (local > last)
        local = last;
    const QDate date = local.date();
    const QTime clock = local.time();
    const quint32 dosDate = quint32(date.year() - FirstYear) << 9 | quint32(date.month()) << 5 | quint32(date.day());
    const quint32 dosTime = quint32(clock.hour()) << 11 | quint32(clock.minute()) << 5 | quint32(clock.second() / 2);
    return dosDate << 16 | dosTime;
}

QDateTime toDateTime(quint32 value)
{
    const quint32 dosDate = value >> 16;
    const quint32 dosTime = value & 0xFFFF;
    const QDate date(FirstYear + int(dosDate >> 9), int(dosDate >> 5 & 0x0F), int(dosDate & 0x1F));
    const QTime clock(int(dosTime >> 11), int(dosTime >> 5 & 0x3F), int(dosTime & 0x1F) * 2);
    if (!date.isValid() || !clock.isValid())
        return {};
    return QDateTime(date, clock);
}

} // namespace DosDateTime
