// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/datafile.h"

#include <QHash>
#include <QList>

class QUndoStack;
class RecordListModel;

/// Bringing imported records into a section: an item Quillet already has (the same UID, for a
/// website the same URL, for a note the same caption and text) updates that record, so
/// importing a file twice adds nothing.
namespace mergeimport {

struct Counts
{
    int added = 0;
    int updated = 0;
    /// Already there exactly as the file has it.
    int unchanged = 0;

    int total() const { return added + updated + unchanged; }
    friend bool operator==(const Counts &, const Counts &) = default;
};

/// What a merge will do to a section's list, worked out away from the model (on a worker
/// thread, from a shared copy of its records), so that applying it is quick.
struct Plan
{
    /// Rows of the list to replace, and records to append, in the file's order.
    QHash<int, Record> updated;
    QList<Record> added;
    Counts counts;
};

Plan plan(SectionId section, const QList<Record> &have, const QList<Record> &records);
/// Applies a plan made from exactly the records model holds; with a history, as one step of it.
void apply(RecordListModel &model, const Plan &plan, QUndoStack *history = nullptr);

/// Applies records (one ImportResult's) to model; changes nothing but what the file brings.
Counts mergeInto(RecordListModel &model, SectionId section, const QList<Record> &records,
                 QUndoStack *history = nullptr);

} // namespace mergeimport
