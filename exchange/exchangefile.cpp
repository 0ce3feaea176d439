// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/exchangefile.h"

#include "exchange/bookmarkfile.h"
#include "exchange/icalendartodos.h"
#include "exchange/linereader.h"
#include "exchange/markdownnotes.h"
#include "exchange/recorduid.h"
#include "exchange/vcardcontacts.h"
#include "platform/textfile.h"

#include <QFileInfo>

namespace exchange {
namespace {

QString extensionOf(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

using Writer = std::function<void(const std::function<bool(QByteArrayView)> &)>;

} // namespace

std::optional<SectionId> sectionForImport(const QString &path)
{
    const QString extension = extensionOf(path);
    if (extension == QLatin1String("ics") || extension == QLatin1String("ical") || extension == QLatin1String("ifb"))
        return SectionId::Todos;
    if (extension == QLatin1String("vcf") || extension == QLatin1String("vcard"))
        return SectionId::Contacts;
    if (extension == QLatin1String("html") || extension == QLatin1String("htm"))
        return SectionId::Websites;
    if (extension == QLatin1String("md") || extension == QLatin1String("markdown") || extension == QLatin1String("txt"))
        return SectionId::Notes;
    return std::nullopt;
}

std::optional<SectionId> sectionForExport(const QString &path)
{
    if (path.endsWith(QLatin1Char('/')) || QFileInfo(path).isDir())
        return SectionId::Notes;
    const std::optional<SectionId> section = sectionForImport(path);
    return section == SectionId::Notes ? std::nullopt : section;
}

ImportResult importFile(const QString &path, const ExchangeProgress &progress)
{
    const std::optional<SectionId> section = sectionForImport(path);
    if (!section) {
        return importFailure(SectionId::Todos,
                             linereader::fileMessage(path, QStringLiteral("Quillet reads .ics, .vcf, .html, .md and .txt files")));
    }
    switch (*section) {
    case SectionId::Todos: return icalendartodos::read(path, progress);
    case SectionId::Contacts: return vcardcontacts::read(path, progress);
    case SectionId::Websites: return bookmarkfile::read(path, progress);
    case SectionId::Notes: return markdownnotes::read(path);
    }
    return importFailure(*section, QString());
}

ExportResult exportRecords(SectionId section, const QList<Record> &records, const QString &path, const QDateTime &now,
                           const QList<int> &rows)
{
    ExportResult result;
    result.section = section;
    QList<Record> chosen;
    for (const int row : recorduid::rowsOrAll(rows, records.size()))
        chosen.append(records[row]);
    if (section == SectionId::Notes) {
        const markdownnotes::ExportResult notes = markdownnotes::write(chosen, path);
        result.files = notes.files;
        result.written = int(notes.files.size());
        result.error = notes.error;
        return result;
    }
    Writer writer;
    result.written = int(chosen.size());
    switch (section) {
    case SectionId::Todos:
        writer = [&](const auto &sink) { icalendartodos::write(records, rows, now, sink); };
        break;
    case SectionId::Contacts:
        writer = [&](const auto &sink) { vcardcontacts::write(records, rows, sink); };
        break;
    default:
        writer = [&](const auto &sink) { bookmarkfile::write(chosen, sink); };
        result.written = bookmarkfile::writtenCount(chosen);
        break;
    }
    FileError error;
    if (!writeFileAtomically(path, [&writer](const ByteSink &sink) { writer(sink); }, &error)) {
        result.written = 0;
        result.error = QStringLiteral("Cannot write \"%1\": %2.").arg(QFileInfo(path).fileName(), error.description);
        return result;
    }
    result.files.append(path);
    return result;
}

} // namespace exchange
