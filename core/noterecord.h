// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/storedtext.h"

#include <QString>

/// A note: its whole text, line breaks included. The tag is the text with CR LF line breaks.
struct NoteRecord
{
    /// As a text box shows it ("\n" line breaks).
    QString text;
    friend bool operator==(const NoteRecord &, const NoteRecord &) = default;

    QString toTag() const { return storedtext::fromBox(text); }
    static NoteRecord fromTag(const QString &tag) { return {storedtext::toBox(tag)}; }
};
