// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/exchangeverbs.h"

#include "core/document.h"
#include "exchange/exchangefile.h"
#include "exchange/exchangesummary.h"
#include "exchange/mergeimport.h"
#include "store/datafilereader.h"

#include <QFileInfo>

namespace exchangeverbs {

namespace {

verbs::Result refused(const QString &why)
{
    return {1, QString(), why + QLatin1Char('\n')};
}

verbs::Result done(const QString &line)
{
    return {0, line + QLatin1Char('\n'), QString()};
}

} // namespace

void add()
{
    verbs::add({QStringLiteral("import"), QStringLiteral("file"),
                QStringLiteral("Add the to-dos (.ics), contacts (.vcf), websites (bookmark .html) or "
                               "note (.md, .txt) of <file> to the data, and end."),
                true, [](Document &document, const QString &path) { return importInto(document, path); }, true});
    verbs::add({QStringLiteral("export"), QStringLiteral("file"),
                QStringLiteral("Write the to-dos (.ics), contacts (.vcf) or websites (.html) to <file>, "
                               "or each note as a .md file into the folder <file>/, and end."),
                false, [](Document &document, const QString &path) { return exportFrom(document.path(), path); },
                true});
}

verbs::Result importInto(Document &document, const QString &path)
{
    // Read whole before the data is touched: a bad file leaves everything as it was.
    const ImportResult read = exchange::importFile(path);
    if (!read.ok())
        return refused(read.error);
    const bool here = !document.isOpen();
    if (here) {
        document.load();
        if (!document.loadProblem().isEmpty()) {
            return refused(QStringLiteral("Your saved data could not be read completely (%1), so nothing was "
                                          "imported and it is left as it is.")
                               .arg(document.loadProblem()));
        }
    }
    const mergeimport::Counts counts = mergeimport::mergeInto(*document.model(read.section), read.section, read.records,
                                                                   document.undoStack());
    // A window's document keeps the records as any change: in its recovery copy at once, in the
    // file at its next save, and never written by this process.
    if (here && counts.added + counts.updated > 0 && !document.save())
        return refused(QStringLiteral("Nothing was imported: the data could not be saved."));
    return done(exchangesummary::imported(read, counts, path));
}

verbs::Result exportFrom(const QString &dataPath, const QString &path)
{
    const std::optional<SectionId> section = exchange::sectionForExport(path);
    if (!section) {
        return refused(QStringLiteral("Cannot export to \"%1\": Quillet writes .ics, .vcf and .html files, "
                                      "and notes into a folder (\"notes/\").").arg(QFileInfo(path).fileName()));
    }
    DataFileContent content;
    if (QFileInfo::exists(dataPath) || QFileInfo(dataPath).isSymLink()) {
        ParsedDataFile parsed;
        FileError error;
        if (!parseDataFileAt(dataPath, &parsed, &error))
            return refused(QStringLiteral("Your saved data could not be read: %1.").arg(error.description));
        if (!parsed.problems.isEmpty())
            return refused(QStringLiteral("Your saved data could not be read completely, so nothing was exported. %1")
                               .arg(parsed.problems.join(QLatin1Char(' '))));
        content = std::move(parsed.content);
    }
    const exchange::ExportResult written = exchange::exportRecords(*section, content[*section], path);
    if (!written.ok())
        return refused(written.error);
    return done(exchangesummary::exported(written, path));
}

} // namespace exchangeverbs
