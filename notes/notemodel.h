#pragma once

#include "store/storedtext.h"
#include "store/recordlistmodel.h"

/// The notes in list order; a note's record is its text, stored with CR LF line breaks.
class NoteModel : public RecordListModel
{
public:
    using RecordListModel::RecordListModel;

    /// The note's text as a text box shows it ("\n" line breaks).
    QString text(int row) const { return storedtext::toBox(tag(row)); }
    /// Stores a text box's text; a text that only differs in its kind of line break keeps the
    /// stored bytes.
    void setText(int row, const QString &editorText)
    {
        if (!storedtext::sameText(tag(row), editorText))
            setTag(row, storedtext::fromBox(editorText));
    }
    /// Appends a note holding editorText.
    int appendNote(const QString &caption, const QString &editorText, bool withIcon)
    {
        return appendRecord(caption, storedtext::fromBox(editorText), withIcon);
    }
};
