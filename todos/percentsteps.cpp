// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/percentsteps.h"

#include <QString>

namespace percent {
namespace {

std::optional<int> wholeNumber(QStringView text)
{
    QString digits = text.toString();
    digits.remove(QLatin1Char('%'));
    if (digits.isEmpty())
        return std::nullopt;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int number = digits.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

std::optional<int> value(QStringView text)
{
    const std::optional<int> number = wholeNumber(text);
    if (number && *number <= 100)
        return number;
    return std::nullopt;
}

int stepStart(QStringView text)
{
    return wholeNumber(text).value_or(0);
}

int stepDown(int p)
{
    if (p >= 100)
        return 75;
    const int target = p - 25;
    return target < 0 ? p : target / 25 * 25;
}

int stepUp(int p)
{
    const int target = p + 2;
    if (target > 100)
        return p;
    return (target + 24) / 25 * 25;
}

} // namespace percent
