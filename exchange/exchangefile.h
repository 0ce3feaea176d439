// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/importresult.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/// Import and export of whole files, the format chosen by the file's extension: .ics to-dos,
/// .vcf contacts, .html bookmarks for websites, .md or .txt notes (a folder for a notes export).
/// Plain functions with no window, safe to run on a worker thread.
namespace exchange {

/// The section a file of this name imports into; none for an extension Quillet does not read.
std::optional<SectionId> sectionForImport(const QString &path);
/// The section an export to path writes: by extension, or notes for a folder (a path ending in
/// "/" or naming a folder).
std::optional<SectionId> sectionForExport(const QString &path);

/// Reads the file whole or not at all (see ImportResult).
ImportResult importFile(const QString &path, const ExchangeProgress &progress = {});

struct ExportResult
{
    SectionId section = SectionId::Todos;
    /// How many records went out (websites without a URL stay behind).
    int written = 0;
    /// The files written: the one file, or each note's.
    QStringList files;
    /// Empty, or a sentence naming what failed; a failed file export leaves no file behind.
    QString error;

    bool ok() const { return error.isEmpty(); }
};

/// Writes a section's records to path (a folder for notes), atomically for a single file:
/// records is the whole list, rows the ones to write (all when empty), so that a record
/// exported alone gets the UID it gets among the rest. now stamps the to-dos (DTSTAMP); nothing
/// else of the output depends on the time.
ExportResult exportRecords(SectionId section, const QList<Record> &records, const QString &path,
                           const QDateTime &now = QDateTime::currentDateTimeUtc(), const QList<int> &rows = {});

} // namespace exchange
