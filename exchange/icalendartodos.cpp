// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/icalendartodos.h"

#include "core/remindertext.h"
#include "core/todorecord.h"
#include "exchange/floatingicaltime.h"
#include "exchange/libicalsupport.h"
#include "exchange/linereader.h"
#include "exchange/recorduid.h"
#include "store/storedtext.h"

#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QThread>
#include <QTimeZone>
#include <QUrl>

#include <libical/ical.h>

#include <climits>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace icalendartodos {
namespace {

/// A calendar holds to-dos holding alarms; anything much deeper is not a calendar.
constexpr int kDeepestNesting = 16;
/// One item is a few KiB; this bounds what is held while an item's end is looked for.
constexpr qsizetype kLargestItem = 64 * 1024 * 1024;

// What the standard properties cannot say, so that an exported to-do comes back as it went.
const char *const kStatusX = "X-QUILLET-STATUS";
const char *const kCaptionX = "X-QUILLET-CAPTION";
const char *const kSoundX = "X-QUILLET-SOUND";
const char *const kReminderCaptionX = "X-QUILLET-REMINDER-CAPTION";

QString fromUtf8(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

QString xValue(icalcomponent *c, const char *name)
{
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        if (qstricmp(icalproperty_get_x_name(p), name) == 0)
            return fromUtf8(icalproperty_get_x(p));
    }
    return QString();
}

void addX(icalcomponent *c, const char *name, const QString &value)
{
    icalproperty *p = icalproperty_new_x(value.toUtf8().constData());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(c, p);
}

QString tzidOf(icalproperty *p)
{
    icalparameter *zone = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
    return zone ? fromUtf8(icalparameter_get_tzid(zone)) : QString();
}

/// A moment as the file writes it, resolved once every time zone of the file is known.
struct WrittenMoment
{
    icaltimetype time;
    QString tzid;
    int offsetSeconds = 0;
};

std::optional<WrittenMoment> timeOf(icalcomponent *todo, icalproperty_kind kind)
{
    icalproperty *p = icalcomponent_get_first_property(todo, kind);
    if (!p)
        return std::nullopt;
    const icaltimetype time = kind == ICAL_DUE_PROPERTY ? icalproperty_get_due(p) : icalproperty_get_dtstart(p);
    if (icaltime_is_null_time(time))
        return std::nullopt;
    return WrittenMoment{time, tzidOf(p), 0};
}

/// The moment in local time; invalid when the file's date does not exist.
QDateTime localMoment(const WrittenMoment &written, const QHash<QString, icaltimezone *> &zones)
{
    const icaltimetype &t = written.time;
    const QDate date(t.year, t.month, t.day);
    const QTime time = t.is_date ? QTime(0, 0) : QTime(t.hour, t.minute, t.second);
    QDateTime moment;
    if (icaltime_is_utc(t)) {
        moment = QDateTime(date, time, QTimeZone::utc());
    } else if (!t.is_date && !written.tzid.isEmpty()) {
        icaltimezone *zone = zones.value(written.tzid);
        const QByteArray tzid = written.tzid.toUtf8();
        if (!zone)
            zone = icaltimezone_get_builtin_timezone(tzid.constData());
        if (!zone)
            zone = icaltimezone_get_builtin_timezone_from_tzid(tzid.constData());
        if (zone && date.isValid() && time.isValid()) {
            icaltimetype bare = t;
            bare.zone = nullptr;
            moment = QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(bare, zone), QTimeZone::utc());
        } else if (const QTimeZone qtZone(tzid); qtZone.isValid()) {
            moment = QDateTime(date, time, qtZone);
        }
    }
    if (!moment.isValid()) // floating, a date, or a zone nobody knows: the wall clock here
        moment = QDateTime(date, time);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return moment.addSecs(written.offsetSeconds).toLocalTime();
}

int priorityIndex(int value)
{
    if (value >= 1 && value <= 4)
        return 2; // High
    if (value >= 6)
        return 0; // Low, and beyond 9 as 9
    return 1;     // 5, none (0), or below range
}

int priorityValue(int index)
{
    return index == 2 ? 1 : index == 0 ? 9 : 5;
}

int statusIndex(icalcomponent *todo)
{
    icalproperty *p = icalcomponent_get_first_property(todo, ICAL_STATUS_PROPERTY);
    switch (p ? icalproperty_get_status(p) : ICAL_STATUS_NONE) {
    case ICAL_STATUS_INPROCESS: return 1;
    case ICAL_STATUS_COMPLETED: return 2;
    case ICAL_STATUS_CANCELLED: return 4;
    default: break;
    }
    const QString waiting = xValue(todo, kStatusX).toUpper();
    return waiting == QLatin1String("WAITING") ? 3 : waiting == QLatin1String("DEFERRED") ? 4 : 0;
}

/// A to-do read from the file whose reminder waits for the file's time zones.
struct Draft
{
    QString caption;
    TodoRecord todo;
    std::optional<WrittenMoment> reminder;
};

/// The reminder of the first alarm that says when; false when the to-do has alarms but none
/// of them can be placed in time.
bool readAlarm(icalcomponent *todo, Draft *draft)
{
    bool hadAlarm = false;
    for (icalcomponent *alarm = icalcomponent_get_first_component(todo, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(todo, ICAL_VALARM_COMPONENT)) {
        hadAlarm = true;
        icalproperty *trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (!trigger)
            continue;
        const icaltriggertype when = icalproperty_get_trigger(trigger);
        if (icaltriggertype_is_bad_trigger(when))
            continue;
        std::optional<WrittenMoment> moment;
        if (!icaltime_is_null_time(when.time)) {
            moment = WrittenMoment{when.time, tzidOf(trigger), 0};
        } else {
            icalparameter *related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
            const bool toEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
            moment = timeOf(todo, toEnd ? ICAL_DUE_PROPERTY : ICAL_DTSTART_PROPERTY);
            if (!moment)
                moment = timeOf(todo, toEnd ? ICAL_DTSTART_PROPERTY : ICAL_DUE_PROPERTY);
            if (!moment)
                continue;
            moment->offsetSeconds = icaldurationtype_as_int(when.duration);
        }
        draft->reminder = moment;
        icalproperty *action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
        const bool audio = action && icalproperty_get_action(action) == ICAL_ACTION_AUDIO;
        QString sound = xValue(alarm, kSoundX);
        if (audio && sound.isEmpty()) {
            icalproperty *attach = icalcomponent_get_first_property(alarm, ICAL_ATTACH_PROPERTY);
            icalattach *file = attach ? icalproperty_get_attach(attach) : nullptr;
            if (file && icalattach_get_is_url(file)) {
                const QUrl url(fromUtf8(icalattach_get_url(file)));
                sound = url.isLocalFile() ? url.toLocalFile() : url.toString();
            }
        }
        draft->todo.sound = sound;
        draft->todo.playFlag = audio ? QStringLiteral("1") : QStringLiteral("0");
        draft->todo.reminderCaption = xValue(alarm, kReminderCaptionX);
        return true;
    }
    return !hadAlarm;
}

Draft readTodo(icalcomponent *todo, bool *alarmLost)
{
    Draft draft;
    TodoRecord &record = draft.todo;
    record.subject = fromUtf8(icalcomponent_get_summary(todo));
    const QString caption = xValue(todo, kCaptionX);
    draft.caption = !caption.isEmpty() ? caption : !record.subject.isEmpty() ? record.subject : todotext::newTodo;
    record.status = statusIndex(todo);
    if (icalproperty *p = icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY))
        record.priority = priorityIndex(icalproperty_get_priority(p));
    if (icalproperty *p = icalcomponent_get_first_property(todo, ICAL_PERCENTCOMPLETE_PROPERTY))
        record.percent = QString::number(std::clamp(icalproperty_get_percentcomplete(p), 0, 100)) + QLatin1Char('%');
    record.description = storedtext::fromBox(fromUtf8(icalcomponent_get_description(todo)));
    if (icalproperty *p = icalcomponent_get_first_property(todo, ICAL_RRULE_PROPERTY)) {
        char *rule = icalproperty_get_value_as_string_r(p);
        record.repeatRule = fromUtf8(rule);
        icalmemory_free_buffer(rule);
    }
    record.uid = fromUtf8(icalcomponent_get_uid(todo));
    *alarmLost = !readAlarm(todo, &draft);
    return draft;
}

icaltimetype utcTime(const QDateTime &moment)
{
    return icaltime_from_timet_with_zone(time_t(moment.toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone());
}

/// A reminder's moment: its local wall-clock date and time (held as a zone-less value) and the
/// same moment in UTC.
struct Due
{
    QDateTime wall;
    QDateTime utc;
};

/// Turns reminder texts into moments. Every conversion of a local time asks the system, which
/// reads the zone file again each time; each day's offset from UTC is asked for once instead
/// (each hour's, on a day the clocks change).
class DueReader
{
public:
    std::optional<Due> read(const QString &text)
    {
        const std::optional<qint64> stamp = remindertext::readStamp(text);
        if (!stamp)
            return std::nullopt;
        const qint64 s = *stamp;
        const QDate date(int(s / 10000000000), int(s / 100000000 % 100), int(s / 1000000 % 100));
        const QTime time(int(s / 10000 % 100), int(s / 100 % 100), int(s % 100));
        const QDateTime wall(date, time, QTimeZone::utc());
        return Due{wall, wall.addSecs(-offsetAt(s, date, time.hour()))};
    }

private:
    /// A day whose clocks change: its hours are asked for one by one.
    static constexpr int kChanging = INT_MIN;

    int offsetAt(qint64 stamp, const QDate &date, int hour)
    {
        auto day = m_days.constFind(stamp / 1000000);
        if (day == m_days.constEnd()) {
            const QDateTime first(date, QTime(0, 0));
            const QDateTime last(date, QTime(23, 0));
            day = m_days.insert(stamp / 1000000, first.isValid() && last.isValid() && first.offsetFromUtc() == last.offsetFromUtc()
                                                     ? first.offsetFromUtc()
                                                     : kChanging);
        }
        if (*day != kChanging)
            return *day;
        auto offset = m_hours.constFind(stamp / 10000);
        if (offset == m_hours.constEnd())
            offset = m_hours.insert(stamp / 10000, QDateTime(date, QTime(hour, 0)).offsetFromUtc());
        return *offset;
    }

    QHash<qint64, int> m_days;
    QHash<qint64, int> m_hours;
};

icalcomponent *alarmOf(const TodoRecord &todo, const QDateTime &due, const QString &summary)
{
    icalcomponent *alarm = icalcomponent_new_valarm();
    const bool audio = todo.playFlag == QLatin1String("1");
    icalproperty *action = icalproperty_new_action(audio ? ICAL_ACTION_AUDIO : ICAL_ACTION_DISPLAY);
    icalcomponent_add_property(alarm, action);
    icaltriggertype trigger = icaltriggertype_from_int(0);
    trigger.time = utcTime(due);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    if (audio && QFileInfo(todo.sound).isAbsolute()) {
        const QByteArray url = QUrl::fromLocalFile(todo.sound).toEncoded();
        icalattach *file = icalattach_new_from_url(url.constData());
        icalcomponent_add_property(alarm, icalproperty_new_attach(file));
        icalattach_unref(file);
    }
    if (!audio)
        icalcomponent_add_property(alarm, icalproperty_new_description(summary.toUtf8().constData()));
    if (!todo.sound.isEmpty())
        addX(alarm, kSoundX, todo.sound);
    addX(alarm, kReminderCaptionX, todo.reminderCaption);
    return alarm;
}

IcalComponent todoComponent(const Record &record, const TodoRecord &todo, const QString &uid, icaltimetype stamp,
                        DueReader &dues)
{
    IcalComponent c(icalcomponent_new_vtodo());
    icalcomponent *vtodo = c.get();
    icalcomponent_add_property(vtodo, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(vtodo, icalproperty_new_dtstamp(stamp));
    const QString summary = todo.subject.isEmpty() ? record.caption : todo.subject;
    icalcomponent_add_property(vtodo, icalproperty_new_summary(summary.toUtf8().constData()));
    if (record.caption != summary)
        addX(vtodo, kCaptionX, record.caption);
    static const icalproperty_status statuses[] = {ICAL_STATUS_NEEDSACTION, ICAL_STATUS_INPROCESS,
                                                   ICAL_STATUS_COMPLETED, ICAL_STATUS_NEEDSACTION,
                                                   ICAL_STATUS_NEEDSACTION};
    icalcomponent_add_property(vtodo, icalproperty_new_status(statuses[todo.status]));
    if (todo.status == 2)
        icalcomponent_add_property(vtodo, icalproperty_new_completed(stamp));
    if (todo.status >= 3)
        addX(vtodo, kStatusX, todo.status == 3 ? QStringLiteral("WAITING") : QStringLiteral("DEFERRED"));
    icalcomponent_add_property(vtodo, icalproperty_new_priority(priorityValue(todo.priority)));
    // As the percent box reads its text: a whole number from 0 to 100, "%" signs aside.
    bool isNumber = false;
    const int percent = QString(todo.percent).remove(QLatin1Char('%')).toInt(&isNumber);
    if (isNumber && percent >= 0 && percent <= 100)
        icalcomponent_add_property(vtodo, icalproperty_new_percentcomplete(percent));
    if (!todo.description.isEmpty())
        icalcomponent_add_property(vtodo, icalproperty_new_description(
                                              storedtext::toBox(todo.description).toUtf8().constData()));
    const std::optional<Due> due = dues.read(todo.reminder);
    if (!todo.repeatRule.isEmpty() && due) {
        const icalrecurrencetype rule = icalrecurrencetype_from_string(todo.repeatRule.toUtf8().constData());
        if (rule.freq != ICAL_NO_RECURRENCE) {
            // The wall-clock time of a repeating reminder stays put across time-zone changes.
            icalcomponent_add_property(vtodo, icalproperty_new_dtstart(floatingIcalTime(due->wall.date(), due->wall.time())));
            icalcomponent_add_property(vtodo, icalproperty_new_rrule(rule));
        }
    }
    if (due)
        icalcomponent_add_component(vtodo, alarmOf(todo, due->utc, summary));
    return c;
}

/// The line folded every 75 octets, never inside a UTF-8 sequence, each piece ended by CR LF.
void appendFolded(QByteArray &out, QByteArrayView line)
{
    constexpr qsizetype kFoldAt = 75;
    qsizetype room = kFoldAt;
    while (line.size() > room) {
        qsizetype end = room;
        while (end > 0 && (uchar(line[end]) & 0xC0) == 0x80)
            --end;
        out += line.first(end);
        out += "\r\n ";
        line = line.sliced(end);
        room = kFoldAt - 1;
    }
    out += line;
    out += "\r\n";
}

/// libical writes an X- property's value as it is, but reads "\," and "\;" back as "," and ";";
/// other readers (a server's among them) take a bare comma as a list separator and keep only
/// the first part. Quillet's own properties hold text, so their commas and semicolons are
/// escaped here. libical never escapes either itself, so each one found is a bare one.
QByteArray withEscapedXValues(const QByteArray &text)
{
    QByteArray out;
    qsizetype copied = 0; // what comes before this is in out
    qsizetype from = 0;
    while ((from = text.indexOf("\nX-QUILLET-", from)) >= 0) {
        const qsizetype start = from + 1;
        // The property goes on over folded lines, which start with a blank.
        qsizetype end = start;
        while ((end = text.indexOf("\r\n", end)) >= 0 && end + 2 < text.size() && text[end + 2] == ' ')
            end += 2;
        if (end < 0)
            end = text.size();
        from = end;
        QByteArray line = text.mid(start, end - start);
        line.replace("\r\n ", "");
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || (line.indexOf(',', colon) < 0 && line.indexOf(';', colon) < 0))
            continue; // nothing to escape: as libical wrote it
        QByteArray value = line.sliced(colon + 1);
        value.replace(',', "\\,").replace(';', "\\;");
        if (out.isEmpty())
            out.reserve(text.size() + 64);
        out += QByteArrayView(text).sliced(copied, start - copied);
        appendFolded(out, line.first(colon + 1) + value);
        copied = std::min(end + 2, text.size());
    }
    if (copied == 0)
        return text;
    out += QByteArrayView(text).sliced(copied);
    return out;
}

/// The VTODO text of one to-do.
QByteArray todoText(const Record &record, int twins, icaltimetype stamp, DueReader &dues)
{
    const TodoRecord todo = TodoRecord::fromTag(record.tag);
    const QString uid = todo.uid.isEmpty() ? recorduid::made(SectionId::Todos, record, twins) : todo.uid;
    const IcalComponent component = todoComponent(record, todo, uid, stamp, dues);
    char *text = icalcomponent_as_ical_string_r(component.get());
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return withEscapedXValues(bytes);
}

/// Reads the content lines of one file: the calendar's frame and its time zones here, each
/// to-do handed to libical whole.
class CalendarReader
{
public:
    ~CalendarReader()
    {
        for (icaltimezone *zone : std::as_const(m_zones))
            icaltimezone_free(zone, 1);
    }
    QString line(QByteArrayView raw);
    QString finish();
    ImportResult takeResult();

private:
    QString endItem();

    QList<QByteArray> m_open;
    QByteArray m_item;
    bool m_sawCalendar = false;
    qsizetype m_lineNumber = 0;
    QList<Draft> m_drafts;
    QHash<QString, icaltimezone *> m_zones;
    QMap<QString, int> m_skipped;
    QHash<QString, int> m_twins;
};

QString CalendarReader::line(QByteArrayView raw)
{
    ++m_lineNumber;
    QByteArrayView line = raw;
    if (m_lineNumber == 1 && line.startsWith("\xEF\xBB\xBF"))
        line = line.sliced(3);
    if (line.trimmed().isEmpty())
        return QString();
    const qsizetype colon = line.indexOf(':');
    const qsizetype semicolon = line.indexOf(';');
    const qsizetype nameEnd = semicolon >= 0 && (colon < 0 || semicolon < colon) ? semicolon : colon;
    const QByteArray name = line.first(std::max<qsizetype>(nameEnd, 0)).toByteArray().toUpper();
    const bool nameOk = nameEnd > 0 && colon > 0
        && std::all_of(name.begin(), name.end(), [](char c) { return std::isalnum(uchar(c)) || c == '-'; });
    if (!nameOk) {
        return m_sawCalendar ? QStringLiteral("line %1 is not an iCalendar line").arg(m_lineNumber)
                             : QStringLiteral("it is not an iCalendar file");
    }
    const QByteArray value = line.sliced(colon + 1).trimmed().toByteArray().toUpper();
    if (m_open.isEmpty()) {
        if (name != "BEGIN" || value != "VCALENDAR")
            return m_sawCalendar ? QStringLiteral("line %1 is outside the calendar").arg(m_lineNumber)
                                 : QStringLiteral("it is not an iCalendar file");
        m_sawCalendar = true;
        m_open.append(value);
        return QString();
    }
    const auto inItem = [this] { return m_open.size() >= 2 && (m_open[1] == "VTODO" || m_open[1] == "VTIMEZONE"); };
    bool collect = inItem();
    if (name == "BEGIN") {
        if (m_open.size() >= kDeepestNesting)
            return QStringLiteral("its items are nested more than %1 deep").arg(kDeepestNesting);
        m_open.append(value);
        collect = inItem();
        if (m_open.size() == 2 && !collect)
            ++m_skipped[QString::fromLatin1(value)];
    } else if (name == "END") {
        if (m_open.last() != value)
            return QStringLiteral("line %1 ends %2 where %3 is open")
                .arg(m_lineNumber).arg(QString::fromLatin1(value), QString::fromLatin1(m_open.last()));
        m_open.removeLast();
    }
    if (collect) {
        if (m_item.size() + line.size() > kLargestItem)
            return QStringLiteral("an item is larger than %1 MiB").arg(kLargestItem / (1024 * 1024));
        // libical reads UTF-8: a line in another code page is taken as Windows-1252.
        bool plain = std::all_of(line.begin(), line.end(), [](char c) { return uchar(c) < 0x80; });
        if (!plain) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString decoded = utf8(line);
            if (utf8.hasError())
                decoded = QStringDecoder("windows-1252")(line);
            m_item += decoded.toUtf8();
        } else {
            m_item += line;
        }
        m_item += "\r\n";
    }
    if (collect && name == "END" && m_open.size() == 1)
        return endItem();
    return QString();
}

QString CalendarReader::endItem()
{
    IcalComponent item(icalparser_parse_string(m_item.constData()));
    m_item.truncate(0);
    if (!item)
        return QStringLiteral("line %1 ends an item that cannot be read").arg(m_lineNumber);
    if (icalcomponent_isa(item.get()) == ICAL_VTIMEZONE_COMPONENT) {
        icalproperty *tzid = icalcomponent_get_first_property(item.get(), ICAL_TZID_PROPERTY);
        const QString id = tzid ? fromUtf8(icalproperty_get_tzid(tzid)) : QString();
        if (id.isEmpty() || m_zones.contains(id))
            return QString();
        icaltimezone *zone = icaltimezone_new();
        if (icaltimezone_set_component(zone, item.get())) {
            item.release(); // the zone owns it now
            m_zones.insert(id, zone);
        } else {
            icaltimezone_free(zone, 1);
        }
        return QString();
    }
    if (icalcomponent_isa(item.get()) != ICAL_VTODO_COMPONENT)
        return QString();
    bool alarmLost = false;
    m_drafts.append(readTodo(item.get(), &alarmLost));
    if (alarmLost)
        ++m_skipped[QStringLiteral("VALARM")];
    return QString();
}

QString CalendarReader::finish()
{
    if (!m_sawCalendar)
        return QStringLiteral("it is not an iCalendar file");
    if (!m_open.isEmpty())
        return QStringLiteral("it is cut short (%1 is not ended)").arg(QString::fromLatin1(m_open.last()));
    return QString();
}

ImportResult CalendarReader::takeResult()
{
    ImportResult result;
    result.section = SectionId::Todos;
    result.skipped = m_skipped;
    result.records.reserve(m_drafts.size());
    for (Draft &draft : m_drafts) {
        TodoRecord &todo = draft.todo;
        if (draft.reminder) {
            const QDateTime due = localMoment(*draft.reminder, m_zones);
            if (due.isValid()) {
                todo.reminder = remindertext::write(due);
                if (todo.reminderCaption.isEmpty())
                    todo.reminderCaption = remindertext::snoozeCaption(due);
            } else {
                ++result.skipped[QStringLiteral("VALARM")];
            }
        }
        if (todo.reminder.isEmpty()) {
            todo.sound.clear();
            todo.playFlag.clear();
            todo.reminderCaption = todotext::reminderNotSet;
        }
        Record record{draft.caption, QString()};
        if (todo.uid.isEmpty()) {
            // An item without a UID gets the same one at every import of the file.
            record.tag = todo.toTag();
            int &twins = m_twins[record.caption + QChar(0x1F) + record.tag];
            todo.uid = recorduid::derived(SectionId::Todos, record, twins++);
        }
        record.tag = todo.toTag();
        result.records.append(record);
    }
    return result;
}

} // namespace

ImportResult read(const QString &path, const ExchangeProgress &progress)
{
    initLibical();
    CalendarReader reader;
    linereader::Unfolder unfolder([&reader](QByteArrayView line) { return reader.line(line); });
    QString error = linereader::readLines(path, [&unfolder](QByteArrayView line) { return unfolder.add(line); },
                                          progress);
    if (error.isEmpty()) {
        QString what = unfolder.finish();
        if (what.isEmpty())
            what = reader.finish();
        if (!what.isEmpty())
            error = linereader::fileMessage(path, what);
    }
    if (!error.isEmpty())
        return importFailure(SectionId::Todos, error);
    return reader.takeResult();
}

ImportResult readText(QByteArrayView text)
{
    initLibical();
    CalendarReader reader;
    linereader::Unfolder unfolder([&reader](QByteArrayView line) { return reader.line(line); });
    QString what = linereader::readLinesOf(text, [&unfolder](QByteArrayView line) { return unfolder.add(line); });
    if (what.isEmpty())
        what = unfolder.finish();
    if (what.isEmpty())
        what = reader.finish();
    if (!what.isEmpty())
        return importFailure(SectionId::Todos, what);
    return reader.takeResult();
}

void write(const QList<Record> &todos, const QList<int> &rows, const QDateTime &now,
           const std::function<bool(QByteArrayView)> &sink)
{
    initLibical();
    const QList<int> twins = recorduid::twinCounts(todos);
    const QList<int> order = recorduid::rowsOrAll(rows, todos.size());
    const icaltimetype stamp = utcTime(now);
    if (!sink("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quillet//Quillet//EN\r\n"))
        return;
    // A full list takes libical a while: the workers make one block of to-dos after another
    // (libical keeps its scratch memory per thread), and this thread writes each block, in
    // order, as soon as it is made, while the workers go on with the next ones.
    constexpr qsizetype kBlock = 512;
    const qsizetype blockCount = (order.size() + kBlock - 1) / kBlock;
    const int workers = int(std::clamp<qsizetype>(QThread::idealThreadCount(), 1, std::max<qsizetype>(1, std::min<qsizetype>(4, blockCount))));
    // Made but not written yet, at most this many blocks: a slow disk holds the workers back.
    const qsizetype ahead = 4 * workers;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<QByteArray>> blocks(static_cast<size_t>(blockCount));
    qsizetype taken = 0;
    qsizetype written = 0;
    bool stopped = false;
    std::vector<DueReader> dues(static_cast<size_t>(workers));
    const auto produce = [&](int worker) {
        for (;;) {
            qsizetype block = 0;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return stopped || taken >= blockCount || taken - written < ahead; });
                if (stopped || taken >= blockCount)
                    return;
                block = taken++;
            }
            QByteArray part;
            for (qsizetype k = block * kBlock; k < std::min(order.size(), (block + 1) * kBlock); ++k)
                part += todoText(todos[order[k]], twins[order[k]], stamp, dues[size_t(worker)]);
            std::lock_guard lock(mutex);
            blocks[size_t(block)] = std::move(part);
            changed.notify_all();
        }
    };
    std::vector<std::thread> helpers;
    for (int worker = 0; worker < workers && blockCount > 0; ++worker)
        helpers.emplace_back(produce, worker);
    bool ok = true;
    for (qsizetype block = 0; block < blockCount && ok; ++block) {
        QByteArray part;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return blocks[size_t(block)].has_value(); });
            part = std::move(*blocks[size_t(block)]);
            blocks[size_t(block)].reset();
        }
        ok = sink(part);
        std::lock_guard lock(mutex);
        written = block + 1;
        stopped = !ok;
        changed.notify_all();
    }
    for (std::thread &helper : helpers)
        helper.join();
    if (!ok)
        return;
    sink("END:VCALENDAR\r\n");
}

} // namespace icalendartodos
