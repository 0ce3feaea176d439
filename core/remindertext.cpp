// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/remindertext.h"

#include "platform/clocktext.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QTimeZone>

#include <atomic>

namespace remindertext {
namespace {

struct Fields
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

/// Reads 1 or 2 digits without a leading zero at pos, moving pos past them.
bool readShort(QStringView text, qsizetype &pos, int &value)
{
    if (pos >= text.size() || !isDigit(text[pos]) || text[pos] == u'0')
        return false;
    value = text[pos++].unicode() - '0';
    if (pos < text.size() && isDigit(text[pos]))
        value = value * 10 + (text[pos++].unicode() - '0');
    return true;
}

/// Reads exactly count digits at pos.
bool readFixed(QStringView text, qsizetype &pos, int count, int &value)
{
    value = 0;
    for (int i = 0; i < count; ++i, ++pos) {
        if (pos >= text.size() || !isDigit(text[pos]))
            return false;
        value = value * 10 + (text[pos].unicode() - '0');
    }
    return true;
}

bool expect(QStringView text, qsizetype &pos, QStringView what)
{
    if (!text.mid(pos).startsWith(what))
        return false;
    pos += what.size();
    return true;
}

/// The fields of a text in exactly the form write() gives; none for anything else.
std::optional<Fields> parse(QStringView text)
{
    Fields f;
    qsizetype pos = 0;
    if (!readShort(text, pos, f.month) || !expect(text, pos, u"/") || !readShort(text, pos, f.day)
        || !expect(text, pos, u"/") || !readFixed(text, pos, 4, f.year))
        return std::nullopt;
    if (f.month > 12 || !QDate::isValid(f.year, f.month, f.day))
        return std::nullopt;
    if (pos == text.size())
        return f; // midnight
    int hour12 = 0;
    if (!expect(text, pos, u" ") || !readShort(text, pos, hour12) || hour12 > 12
        || !expect(text, pos, u":") || !readFixed(text, pos, 2, f.minute) || f.minute > 59
        || !expect(text, pos, u":") || !readFixed(text, pos, 2, f.second) || f.second > 59
        || !expect(text, pos, u" "))
        return std::nullopt;
    bool pm = false;
    if (expect(text, pos, u"PM"))
        pm = true;
    else if (!expect(text, pos, u"AM"))
        return std::nullopt;
    if (pos != text.size())
        return std::nullopt;
    f.hour = hour12 % 12 + (pm ? 12 : 0);
    // Midnight is only ever written as the date alone.
    if (f.hour == 0 && f.minute == 0 && f.second == 0)
        return std::nullopt;
    return f;
}

/// The local zone's offset from UTC all through a day, or none when the clocks change that day.
/// Kept per day, as every to-do's reminder is read this way (again when the zone changes).
std::optional<int> steadyOffset(const QDate &date)
{
    thread_local QHash<qint64, std::optional<int>> days;
    thread_local QByteArray zone;
    const QByteArray current = qgetenv("TZ");
    if (current != zone || days.size() > 10000) {
        days.clear();
        zone = current;
    }
    const auto found = days.constFind(date.toJulianDay());
    if (found != days.cend())
        return *found;
    const QDateTime start = date.startOfDay();
    const QDateTime end = date.addDays(1).startOfDay();
    std::optional<int> offset;
    if (start.isValid() && end.isValid() && start.time() == QTime(0, 0) && start.secsTo(end) == 86400
        && start.offsetFromUtc() == end.offsetFromUtc())
        offset = start.offsetFromUtc();
    days.insert(date.toJulianDay(), offset);
    return offset;
}

qint64 pack(const Fields &f)
{
    return ((((qint64(f.year) * 100 + f.month) * 100 + f.day) * 100 + f.hour) * 100 + f.minute) * 100
        + f.second;
}

/// The seconds since the epoch of a wall-clock time: the first of two in a repeated hour, or the
/// second when later; the moment the clocks jump for one that the spring change skips.
qint64 resolve(const QDate &date, const QTime &time, bool later)
{
    constexpr qint64 kUnixEpochDay = 2440588;
    const qint64 asUtc = (date.toJulianDay() - kUnixEpochDay) * 86400 + time.msecsSinceStartOfDay() / 1000;
    if (const std::optional<int> offset = steadyOffset(date))
        return asUtc - *offset; // the clocks do not change that day: the usual case
    // The wall-clock time can only be one of these two offsets, the zone's a day before and after.
    const QDateTime dayBefore = QDateTime(date.addDays(-1), time);
    const QDateTime dayAfter = QDateTime(date.addDays(1), time);
    const int offsets[] = {dayBefore.isValid() ? dayBefore.offsetFromUtc() : 0,
                           dayAfter.isValid() ? dayAfter.offsetFromUtc() : 0};
    std::optional<qint64> first;
    std::optional<qint64> last;
    for (const int offset : offsets) {
        const qint64 candidate = asUtc - offset;
        const QDateTime local = QDateTime::fromSecsSinceEpoch(candidate);
        if (local.date() != date || local.time() != time)
            continue;
        first = first ? qMin(*first, candidate) : candidate;
        last = last ? qMax(*last, candidate) : candidate;
    }
    if (first)
        return later ? *last : *first;
    // Skipped: the clocks jump over it, from before it to after it.
    const qint64 before = asUtc - qMax(offsets[0], offsets[1]);
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QTimeZone::OffsetData jump = zone.nextTransition(QDateTime::fromSecsSinceEpoch(before, Qt::UTC));
    return jump.atUtc.isValid() ? jump.atUtc.toSecsSinceEpoch() : asUtc - offsets[1];
}

/// Texts written this run for the second pass of a repeated hour. Imports and exports read and
/// write reminder texts on worker threads, so the set is guarded; almost always it is empty, and
/// that is known without the lock.
class LaterPassTexts
{
public:
    bool contains(QStringView text)
    {
        if (!m_any.load(std::memory_order_acquire))
            return false;
        const QMutexLocker lock(&m_mutex);
        return m_texts.contains(text.toString());
    }
    void mark(const QString &text, bool later)
    {
        if (!later && !m_any.load(std::memory_order_acquire))
            return;
        const QMutexLocker lock(&m_mutex);
        if (later)
            m_texts.insert(text);
        else
            m_texts.remove(text); // the latest meaning of a text holds
        m_any.store(!m_texts.isEmpty(), std::memory_order_release);
    }

private:
    QMutex m_mutex;
    QSet<QString> m_texts;
    std::atomic<bool> m_any = false;
};

LaterPassTexts &laterPassTexts()
{
    static LaterPassTexts texts;
    return texts;
}

qint64 instantOf(QStringView text, const Fields &f)
{
    const bool later = laterPassTexts().contains(text);
    return resolve(QDate(f.year, f.month, f.day), QTime(f.hour, f.minute, f.second), later);
}

} // namespace

QString write(const QDateTime &moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    QString text = QStringLiteral("%1/%2/%3")
                       .arg(date.month())
                       .arg(date.day())
                       .arg(date.year(), 4, 10, QLatin1Char('0'));
    if (time.hour() != 0 || time.minute() != 0 || time.second() != 0) {
        text += QStringLiteral(" %1:%2:%3 %4")
                    .arg(hour12(time))
                    .arg(time.minute(), 2, 10, QLatin1Char('0'))
                    .arg(time.second(), 2, 10, QLatin1Char('0'))
                    .arg(amPm(time));
    }
    // Only a local moment can be the later of two; another stands for its date and time as named.
    const QTime whole(time.hour(), time.minute(), time.second());
    const bool later = moment.isValid() && moment.timeSpec() == Qt::LocalTime
        && resolve(date, whole, false) != moment.toSecsSinceEpoch();
    laterPassTexts().mark(text, later);
    return text;
}

QDateTime read(QStringView text)
{
    const std::optional<Fields> f = parse(text);
    if (!f)
        return {};
    const QDateTime named(QDate(f->year, f->month, f->day), QTime(f->hour, f->minute, f->second));
    // A time the clocks skip stays as named (Qt holds it invalid, with its date and time): a
    // series keeps its time of day, and the watcher rings it when the clocks jump.
    if (!named.isValid())
        return named;
    return QDateTime::fromSecsSinceEpoch(instantOf(text, *f));
}

QDateTime wallClock(const QDate &date, const QTime &time)
{
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime::fromSecsSinceEpoch(resolve(date, time, false));
}

qint64 stamp(const QDateTime &moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    return pack({date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()});
}

std::optional<qint64> readStamp(QStringView text)
{
    const std::optional<Fields> f = parse(text);
    return f ? std::optional<qint64>(pack(*f)) : std::nullopt;
}

qint64 instant(const QDateTime &moment)
{
    return moment.toSecsSinceEpoch();
}

std::optional<qint64> readInstant(QStringView text)
{
    const std::optional<Fields> f = parse(text);
    return f ? std::optional<qint64>(instantOf(text, *f)) : std::nullopt;
}

QString snoozeCaption(const QDateTime &moment)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    return QStringLiteral("%1 %2,%3 %4:%5 %6")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(hour12(time), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(amPm(time));
}

} // namespace remindertext
