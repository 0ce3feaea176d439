// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/recordlistmodel.h"

/// A section's model whose records are of type Fields, read from and written to a record's tag
/// (Fields::fromTag and toTag). Only a record handed back is rewritten, so a record nobody edits
/// keeps its exact text.
template <typename Fields>
class TypedRecordModel : public RecordListModel
{
public:
    using RecordListModel::RecordListModel;

    Fields record(int row) const { return Fields::fromTag(tag(row)); }
    void setRecord(int row, const Fields &record) { setTag(row, record.toTag()); }
};
