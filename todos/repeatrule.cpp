// SPDX-License-Identifier: GPL-3.0-or-later
#include "todos/repeatrule.h"

#include "todos/icalrecurrence.h"

#include <array>

namespace {

constexpr std::array<const char *, 7> kDayCodes = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

const QString kDaily = QStringLiteral("FREQ=DAILY");
const QString kWeekdays = QStringLiteral("FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR");
const QString kWeekly = QStringLiteral("FREQ=WEEKLY;BYDAY=");
const QString kMonthly = QStringLiteral("FREQ=MONTHLY;BYMONTHDAY=");
const QString kYearlyStart = QStringLiteral("FREQ=YEARLY;");
const QString kByMonth = QStringLiteral("BYMONTH=");
const QString kByMonthDay = QStringLiteral("BYMONTHDAY=");

/// 1 to max, written as forKind() writes it (no sign, no leading zero); 0 for anything else.
int smallNumber(QStringView text, int max)
{
    if (text.isEmpty() || text.size() > 2 || text.front() == u'0')
        return 0;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= max ? value : 0;
}

/// 1 (Monday) to 7 for a two-letter day code; 0 for anything else.
int dayOfCode(QStringView code)
{
    for (size_t i = 0; i < kDayCodes.size(); ++i) {
        if (code == QLatin1String(kDayCodes[i]))
            return int(i) + 1;
    }
    return 0;
}

/// An RRULE value is plain printable ASCII; anything else (a NUL would even cut the text short
/// on its way to libical) is refused before libical sees it.
bool isPrintableAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x21 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

} // namespace

RepeatRule RepeatRule::fromText(const QString &text)
{
    RepeatRule rule;
    rule.m_text = text;
    if (text.isEmpty())
        return rule;
    const QStringView view(text);
    if (text == kDaily) {
        rule.m_kind = Kind::Daily;
    } else if (text == kWeekdays) {
        rule.m_kind = Kind::Weekdays;
    } else if (text.startsWith(kWeekly) && (rule.m_weekday = dayOfCode(view.mid(kWeekly.size())))) {
        rule.m_kind = Kind::Weekly;
    } else if (text.startsWith(kMonthly) && (rule.m_monthDay = smallNumber(view.mid(kMonthly.size()), 31))) {
        rule.m_kind = Kind::Monthly;
    } else if (text.startsWith(kYearlyStart)) {
        // Either order: libical writes the month day first when it passes the rule on.
        const QList<QStringView> parts = view.mid(kYearlyStart.size()).split(u';');
        int month = 0;
        int day = 0;
        if (parts.size() == 2) {
            for (const QStringView part : parts) {
                if (part.startsWith(kByMonthDay))
                    day = smallNumber(part.mid(kByMonthDay.size()), 31);
                else if (part.startsWith(kByMonth))
                    month = smallNumber(part.mid(kByMonth.size()), 12);
            }
        }
        // 29 February is a day of the rule; 30 February is none.
        if (month > 0 && day > 0 && day <= QDate(2000, month, 1).daysInMonth()) {
            rule.m_kind = Kind::Yearly;
            rule.m_month = month;
            rule.m_monthDay = day;
        }
    }
    if (rule.m_kind == Kind::Never) {
        rule.m_kind = isPrintableAscii(text) && IcalRecurrence::isRule(text) ? Kind::Custom : Kind::Invalid;
    }
    return rule;
}

RepeatRule RepeatRule::forKind(Kind kind, const QDateTime &start)
{
    const QDate date = start.date();
    if (!date.isValid())
        return {};
    switch (kind) {
    case Kind::Daily:
        return fromText(kDaily);
    case Kind::Weekdays:
        return fromText(kWeekdays);
    case Kind::Weekly:
        return fromText(kWeekly + QLatin1String(kDayCodes[size_t(date.dayOfWeek() - 1)]));
    case Kind::Monthly:
        return fromText(kMonthly + QString::number(date.day()));
    case Kind::Yearly:
        return fromText(kYearlyStart + kByMonth + QString::number(date.month()) + QLatin1Char(';') + kByMonthDay
                        + QString::number(date.day()));
    case Kind::Never:
    case Kind::Custom:
    case Kind::Invalid:
        break;
    }
    return {};
}
