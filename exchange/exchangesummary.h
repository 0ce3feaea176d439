// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/exchangefile.h"
#include "exchange/mergeimport.h"

#include <QString>

/// The one line that says what an import or export did ("Imported 3 to-dos from tasks.ics").
namespace exchangesummary {

/// "1 to-do", "3 to-dos" (and contacts, websites, notes).
QString records(SectionId section, int count);

/// "Imported 3 to-dos from tasks.ics", and in brackets what was updated, already there or
/// skipped: "(1 updated, 2 events skipped)".
QString imported(const ImportResult &result, const mergeimport::Counts &counts, const QString &path);

/// "Exported 3 to-dos to tasks.ics" ("to notes/" for a folder of notes).
QString exported(const exchange::ExportResult &result, const QString &path);

} // namespace exchangesummary
