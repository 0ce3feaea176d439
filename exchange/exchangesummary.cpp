// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/exchangesummary.h"

#include <QDir>
#include <QFileInfo>

namespace exchangesummary {
namespace {

QString counted(int count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

/// "2 events" for what the file held that Quillet does not keep.
QString skippedKind(const QString &kind, int count)
{
    struct Name
    {
        const char *kind;
        const char *one;
        const char *many;
    };
    static const Name names[] = {
        {"VEVENT", "event", "events"},
        {"VJOURNAL", "journal entry", "journal entries"},
        {"VFREEBUSY", "free/busy list", "free/busy lists"},
        {"VALARM", "reminder that gives no time", "reminders that give no time"},
        {"AGENT", "card inside a card", "cards inside cards"},
    };
    for (const Name &name : names) {
        if (kind == QLatin1String(name.kind))
            return counted(count, QString::fromLatin1(name.one), QString::fromLatin1(name.many));
    }
    if (kind.endsWith(QLatin1String("link")) || kind.endsWith(QLatin1String("address")))
        return counted(count, kind, QString(kind).replace(QStringLiteral("link"), QStringLiteral("links")));
    return counted(count, QStringLiteral("other item"), QStringLiteral("other items"));
}

QString shownName(const QString &path)
{
    const QFileInfo info(path);
    return path.endsWith(QLatin1Char('/')) || info.isDir() ? QDir(path).dirName() + QLatin1Char('/') : info.fileName();
}

} // namespace

QString records(SectionId section, int count)
{
    switch (section) {
    case SectionId::Todos: return counted(count, QStringLiteral("to-do"), QStringLiteral("to-dos"));
    case SectionId::Contacts: return counted(count, QStringLiteral("contact"), QStringLiteral("contacts"));
    case SectionId::Websites: return counted(count, QStringLiteral("website"), QStringLiteral("websites"));
    case SectionId::Notes: return counted(count, QStringLiteral("note"), QStringLiteral("notes"));
    }
    return QString();
}

QString imported(const ImportResult &result, const mergeimport::Counts &counts, const QString &path)
{
    QStringList notes;
    if (counts.updated > 0)
        notes.append(QStringLiteral("%1 updated").arg(counts.updated));
    if (counts.unchanged > 0)
        notes.append(QStringLiteral("%1 already there").arg(counts.unchanged));
    for (auto it = result.skipped.cbegin(); it != result.skipped.cend(); ++it)
        notes.append(skippedKind(it.key(), it.value()) + QStringLiteral(" skipped"));
    QString line = QStringLiteral("Imported %1 from %2").arg(records(result.section, counts.total()), shownName(path));
    if (!notes.isEmpty())
        line += QStringLiteral(" (%1)").arg(notes.join(QStringLiteral(", ")));
    return line;
}

QString exported(const exchange::ExportResult &result, const QString &path)
{
    return QStringLiteral("Exported %1 to %2").arg(records(result.section, result.written), shownName(path));
}

} // namespace exchangesummary
