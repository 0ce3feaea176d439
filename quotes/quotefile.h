// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"
#include "platform/textfile.h"

#include <QByteArray>
#include <QStringList>

/// quotes.txt: one quote per line, Windows-1252, CR LF line ends.
namespace quotefile {

/// The file's name in the program folder.
QString fileName();

/// The list to show: the user's edited copy in the data folder once there is one, otherwise the
/// list shipped in the program folder. Edits are always written to the data folder.
QString pathToRead(const Services &services);

/// The quotes of the file's bytes, in file order. An empty line is an empty quote; a line end
/// at the very end adds none. A character Windows-1252 lacks comes back from its "[u+XXXX]".
QStringList parse(const QByteArray &bytes);

/// Each quote followed by CR LF. Characters Windows-1252 lacks, and line breaks inside a
/// quote, are written "[u+XXXX]" so that nothing turns into "?" or splits a quote.
QByteArray serialize(const QStringList &quotes);

enum class ReadResult { Read, Missing, Unreadable };

/// Reads the quotes of a file. Missing and Unreadable leave quotes empty.
ReadResult read(const QString &path, QStringList *quotes, FileError *error = nullptr);

} // namespace quotefile
