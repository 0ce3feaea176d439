// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/addresslist.h"

#include "store/escapes.h"

namespace addresslist {
namespace {

const QString kTerminator = QStringLiteral("::");

/// Escapes each ":" next to another one or at either end of the entry (where it would touch
/// the terminator), and each "[" that would be read as an escape.
QString escapeEntry(const QString &entry)
{
    return escapes::escapeWhere(entry, [](QStringView text, qsizetype i) {
        return text[i] == u':'
            && (i == 0 || i == text.size() - 1 || text[i - 1] == u':' || text[i + 1] == u':');
    });
}

} // namespace

QString defaultMarker()
{
    return QStringLiteral(" (Default E-Mail)");
}

bool isValidAddress(const QString &text)
{
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    return at >= 0 && text.indexOf(QLatin1Char('.'), at + 1) >= 0;
}

bool hasMarker(const QString &entry)
{
    return entry.contains(defaultMarker());
}

QString withoutMarker(const QString &entry)
{
    return QString(entry).remove(defaultMarker());
}

QString toField(const QStringList &entries)
{
    QString field;
    for (const QString &entry : entries)
        field += escapeEntry(entry) + kTerminator;
    return field;
}

QStringList fromField(const QString &field)
{
    QStringList pieces = field.split(kTerminator);
    pieces.removeLast();
    for (QString &piece : pieces)
        piece = escapes::unescape(piece);
    return pieces;
}

QString defaultAddress(const QString &field)
{
    QString result;
    for (const QString &entry : fromField(field)) {
        if (hasMarker(entry))
            result = withoutMarker(entry);
    }
    return result;
}

QStringList added(QStringList entries, const QString &text)
{
    const bool hasDefault = std::any_of(entries.cbegin(), entries.cend(), hasMarker);
    entries.append(hasDefault ? text : text + defaultMarker());
    return entries;
}

Removal removed(QStringList entries, int index)
{
    if (index < 0 || index >= entries.size())
        return {entries, -1};
    const bool wasDefault = hasMarker(entries.takeAt(index));
    if (entries.isEmpty())
        return {entries, -1};
    const int selected = index > 0 ? index - 1 : 0;
    if (wasDefault)
        entries[selected] += defaultMarker();
    return {entries, selected};
}

QStringList withDefault(QStringList entries, int index)
{
    if (index < 0 || index >= entries.size() || hasMarker(entries[index]))
        return entries;
    const auto marked = std::find_if(entries.begin(), entries.end(), hasMarker);
    if (marked != entries.end())
        *marked = withoutMarker(*marked);
    entries[index] += defaultMarker();
    return entries;
}

QString renamed(const QString &text, bool wasDefault)
{
    return wasDefault ? text + defaultMarker() : text;
}

} // namespace addresslist
