// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/importresult.h"

#include <QList>
#include <QString>
#include <QStringList>

/// Notes as Markdown or plain text files, one note a file.
namespace markdownnotes {

/// The note of one .md or .txt file: its caption is the first "# " heading, else the file's
/// name without its extension; its text is the whole file.
ImportResult read(const QString &path);

/// The caption a note's text gives, or fileName's base name where it has no "# " heading.
QString captionOf(const QString &text, const QString &fileName);

/// A file name for a note: the caption with what file systems refuse replaced, cut to a safe
/// length, and different (ignoring case) from every name in taken; ".md" appended.
QString fileNameFor(const QString &caption, const QStringList &taken);

struct ExportResult
{
    /// The files written, in the notes' order.
    QStringList files;
    /// Empty, or why the export stopped (the files written until then stay).
    QString error;
};

/// Writes one .md file a note into folder (made when missing), never over a file already there.
ExportResult write(const QList<Record> &notes, const QString &folder);

} // namespace markdownnotes
