#include "core/remindertext.h"

#include "platform/clocktext.h"

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

qint64 pack(const Fields &f)
{
    return ((((qint64(f.year) * 100 + f.month) * 100 + f.day) * 100 + f.hour) * 100 + f.minute) * 100
        + f.second;
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
    return text;
}

QDateTime read(QStringView text)
{
    const std::optional<Fields> f = parse(text);
    if (!f)
        return {};
    return QDateTime(QDate(f->year, f->month, f->day), QTime(f->hour, f->minute, f->second));
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
