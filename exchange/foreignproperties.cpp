// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/foreignproperties.h"

#include "exchange/libicalsupport.h"

#include <algorithm>
#include <set>
#include <vector>

namespace foreignproperties {

namespace {

icalcomponent *firstTodo(icalcomponent *c)
{
    if (!c)
        return nullptr;
    return icalcomponent_isa(c) == ICAL_VTODO_COMPONENT ? c : icalcomponent_get_first_component(c, ICAL_VTODO_COMPONENT);
}

bool isOurs(icalproperty *p)
{
    const char *name = icalproperty_get_x_name(p);
    return name && qstrnicmp(name, "X-QUILLET-", 10) == 0;
}

QByteArray carriedTodo(const QByteArray &ours, const QByteArray &theirs)
{
    initLibical();
    const IcalComponent theirCalendar(icalparser_parse_string(theirs.constData()));
    const IcalComponent ourCalendar(icalparser_parse_string(ours.constData()));
    icalcomponent *theirTodo = firstTodo(theirCalendar.get());
    icalcomponent *ourTodo = firstTodo(ourCalendar.get());
    if (!theirTodo || !ourTodo)
        return ours;
    // What the to-do's fields say, and whatever else ours writes (a repeat's DTSTART).
    std::set<icalproperty_kind> mapped{ICAL_SUMMARY_PROPERTY,     ICAL_STATUS_PROPERTY,      ICAL_PRIORITY_PROPERTY,
                                       ICAL_PERCENTCOMPLETE_PROPERTY, ICAL_DESCRIPTION_PROPERTY, ICAL_COMPLETED_PROPERTY,
                                       ICAL_RRULE_PROPERTY,       ICAL_DTSTAMP_PROPERTY,     ICAL_UID_PROPERTY};
    for (icalproperty *p = icalcomponent_get_first_property(ourTodo, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(ourTodo, ICAL_ANY_PROPERTY)) {
        if (icalproperty_isa(p) != ICAL_X_PROPERTY)
            mapped.insert(icalproperty_isa(p));
    }
    std::vector<icalproperty *> replaced;
    for (icalproperty *p = icalcomponent_get_first_property(theirTodo, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(theirTodo, ICAL_ANY_PROPERTY)) {
        if (mapped.count(icalproperty_isa(p)) || (icalproperty_isa(p) == ICAL_X_PROPERTY && isOurs(p)))
            replaced.push_back(p);
    }
    for (icalproperty *p : replaced) {
        icalcomponent_remove_property(theirTodo, p);
        icalproperty_free(p);
    }
    // The reminder is ours: Quillet keeps one, and theirs said the same or was changed here.
    std::vector<icalcomponent *> alarms;
    for (icalcomponent *alarm = icalcomponent_get_first_component(theirTodo, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(theirTodo, ICAL_VALARM_COMPONENT))
        alarms.push_back(alarm);
    for (icalcomponent *alarm : alarms) {
        icalcomponent_remove_component(theirTodo, alarm);
        icalcomponent_free(alarm);
    }
    for (icalproperty *p = icalcomponent_get_first_property(ourTodo, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(ourTodo, ICAL_ANY_PROPERTY))
        icalcomponent_add_property(theirTodo, icalproperty_new_clone(p));
    for (icalcomponent *alarm = icalcomponent_get_first_component(ourTodo, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(ourTodo, ICAL_VALARM_COMPONENT))
        icalcomponent_add_component(theirTodo, icalcomponent_new_clone(alarm));
    char *text = icalcomponent_as_ical_string_r(theirCalendar.get());
    QByteArray merged(text);
    icalmemory_free_buffer(text);
    return merged;
}

/// One property of a card: its lines as they stand (folded or soft-broken), its name and group.
struct CardLine
{
    QByteArray raw;
    QByteArray name;
    QByteArray group;
};

QList<CardLine> cardLines(const QByteArray &text)
{
    QList<CardLine> lines;
    bool softBreak = false;
    for (QByteArray physical : text.split('\n')) {
        if (physical.endsWith('\r'))
            physical.chop(1);
        const bool folded = physical.startsWith(' ') || physical.startsWith('\t');
        if (!lines.isEmpty() && (folded || softBreak)) {
            lines.last().raw += "\r\n" + physical;
        } else if (!physical.isEmpty()) {
            CardLine line;
            line.raw = physical;
            qsizetype end = 0;
            while (end < physical.size() && physical[end] != ':' && physical[end] != ';')
                ++end;
            const QByteArray name = physical.left(end).trimmed().toUpper();
            const qsizetype dot = name.lastIndexOf('.');
            line.group = dot < 0 ? QByteArray() : name.left(dot);
            line.name = name.mid(dot + 1);
            lines.append(line);
        } else {
            continue;
        }
        // 2.1's quoted-printable values go on past a line that ends in "=".
        const QByteArray head = lines.last().raw.left(lines.last().raw.indexOf(':')).toUpper();
        softBreak = head.contains("QUOTED-PRINTABLE") && physical.endsWith('=');
    }
    return lines;
}

QByteArray carriedCard(const QByteArray &ours, const QByteArray &theirs)
{
    const QList<CardLine> their = cardLines(theirs);
    const QList<CardLine> our = cardLines(ours);
    if (their.isEmpty() || their.first().name != "BEGIN" || our.isEmpty())
        return ours;
    std::set<QByteArray> mapped{"N", "FN", "TITLE", "EMAIL", "UID"};
    QList<QByteArray> ourProperties;
    for (const CardLine &line : our) {
        if (line.name != "BEGIN" && line.name != "END" && line.name != "VERSION") {
            mapped.insert(line.name);
            ourProperties.append(line.raw);
        }
    }
    // A label that went with a replaced address ("item1.X-ABLabel") goes with it.
    std::set<QByteArray> replacedGroups;
    QByteArray version;
    for (const CardLine &line : their) {
        if (line.name == "END")
            break;
        if (line.name == "VERSION")
            version = line.raw.mid(line.raw.indexOf(':') + 1).trimmed();
        if (!line.group.isEmpty() && (mapped.count(line.name) || line.name.startsWith("X-QUILLET-")))
            replacedGroups.insert(line.group);
    }
    // Their card keeps its version; ours says a preferred address the way that version does.
    for (QByteArray &property : ourProperties) {
        if (property.startsWith("EMAIL;PREF=1:") && version != "4.0")
            property.replace(0, 13, version == "2.1" ? "EMAIL;PREF:" : "EMAIL;TYPE=pref:");
        // 2.1 takes a value as ASCII unless told otherwise.
        const bool ascii = std::all_of(property.cbegin(), property.cend(), [](char c) { return uchar(c) < 0x80; });
        if (version == "2.1" && !ascii)
            property.insert(property.indexOf(':'), ";CHARSET=UTF-8");
    }
    QByteArray merged;
    bool placed = false;
    for (qsizetype i = 0; i < their.size(); ++i) {
        const CardLine &line = their[i];
        if (line.name == "END") {
            if (!placed)
                merged += ourProperties.join("\r\n") + "\r\n";
            merged += line.raw + "\r\n";
            break;
        }
        const bool replaced = mapped.count(line.name) || line.name.startsWith("X-QUILLET-")
            || (!line.group.isEmpty() && replacedGroups.count(line.group));
        if (!replaced)
            merged += line.raw + "\r\n";
        if (!placed && (line.name == "VERSION" || (line.name == "BEGIN" && (i + 1 >= their.size() || their[i + 1].name != "VERSION")))) {
            merged += ourProperties.join("\r\n") + "\r\n";
            placed = true;
        }
    }
    return merged.toUpper().endsWith("END:VCARD\r\n") ? merged : ours;
}

} // namespace

QByteArray carried(SectionId section, const QByteArray &ours, const QByteArray &theirs)
{
    if (theirs.isEmpty())
        return ours;
    return section == SectionId::Todos ? carriedTodo(ours, theirs) : carriedCard(ours, theirs);
}

} // namespace foreignproperties
