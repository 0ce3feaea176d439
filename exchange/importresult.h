// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

#include <QList>
#include <QMap>
#include <QString>

#include <functional>

/// Reports how far a long import or export has come (done of total, in bytes or records);
/// returning false cancels it.
using ExchangeProgress = std::function<bool(qint64 done, qint64 total)>;

/// What reading one file gave: every record of it, or none and the reason.
struct ImportResult
{
    SectionId section = SectionId::Todos;
    /// Ready for the section's model, each tag written by its typed record.
    QList<Record> records;
    /// What the file held that Quillet does not keep, by kind ("VEVENT", "place: link"...).
    QMap<QString, int> skipped;
    /// Empty when the file was read; otherwise a sentence naming the file and what is wrong.
    QString error;

    bool ok() const { return error.isEmpty(); }
    int skippedCount() const
    {
        int n = 0;
        for (const int count : skipped)
            n += count;
        return n;
    }
};

/// The result of a failed read: nothing of the file is kept.
inline ImportResult importFailure(SectionId section, const QString &error)
{
    ImportResult result;
    result.section = section;
    result.error = error;
    return result;
}
