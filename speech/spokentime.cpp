// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/spokentime.h"

namespace spokentime {
namespace {

QString numberFile(int number)
{
    return QStringLiteral("wave/%1.WAV").arg(number);
}

} // namespace

QString openingFile()
{
    return QStringLiteral("wave/time.WAV");
}

QStringList hourFiles(int hour12)
{
    if (hour12 < 1 || hour12 > 12)
        return {};
    return {numberFile(hour12)};
}

QStringList minuteFiles(int minute)
{
    if (minute < 1 || minute > 59)
        return {};
    // 1 to 20 have recordings of their own; above that the tens come first.
    if (minute <= 20)
        return {numberFile(minute)};
    const int tens = minute / 10 * 10;
    QStringList result{numberFile(tens)};
    if (minute > tens)
        result.append(numberFile(minute - tens));
    return result;
}

QStringList designatorFiles(const QString &designator)
{
    if (designator == QLatin1String("AM"))
        return {QStringLiteral("wave/AM.WAV")};
    if (designator == QLatin1String("PM"))
        return {QStringLiteral("wave/pm.WAV")};
    return {};
}

QStringList files(int hour12, int minute, const QString &designator)
{
    return QStringList{openingFile()} + hourFiles(hour12) + minuteFiles(minute)
           + designatorFiles(designator);
}

} // namespace spokentime
