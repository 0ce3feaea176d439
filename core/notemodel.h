// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/noterecord.h"
#include "core/searchtext.h"
#include "store/typedrecordmodel.h"

/// The notes in list order.
class NoteModel : public TypedRecordModel<NoteRecord>
{
public:
    using TypedRecordModel::TypedRecordModel;

    QString searchableText(int row) const override { return searchtext::note(caption(row), tag(row)); }

    /// Stores a text box's text; a text that only differs in its kind of line break keeps the
    /// stored bytes.
    void setText(int row, const QString &boxText)
    {
        if (!storedtext::sameText(tag(row), boxText))
            setRecord(row, {boxText});
    }
    /// Appends a note holding boxText.
    int appendNote(const QString &caption, const QString &boxText, bool withIcon)
    {
        return appendRecord(caption, NoteRecord{boxText}.toTag(), withIcon);
    }
};
