#pragma once

#include "store/datafile.h"

#include <QList>

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

/// Applies records (one ImportResult's) to model; changes nothing but what the file brings.
Counts mergeInto(RecordListModel &model, SectionId section, const QList<Record> &records);

} // namespace mergeimport
