// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/importresult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

/// Reading a text file line by line with bounded memory: the file is read in pieces, and a line
/// longer than kLongestLine fails the read instead of filling the memory.
namespace linereader {

/// Longer than any real line (an unfolded vCard photo is a few MiB), far shorter than the memory.
constexpr qsizetype kLongestLine = 16 * 1024 * 1024;

/// Takes one line without its line end (LF or CR LF); returns what is wrong with the file
/// ("it is cut short") to stop.
using LineSink = std::function<QString(QByteArrayView line)>;

/// Hands every line of path to take. Returns an empty text, or why the read stopped as a whole
/// message (fileMessage): the file's own problem (missing, a pipe, over 1 GiB), a line too long
/// or holding a NUL byte, or what take returned.
QString readLines(const QString &path, const LineSink &take, const ExchangeProgress &progress = {});

/// Hands every line of text already in memory to take (a server's item); returns what take
/// returned to stop, or that a line is too long or holds a NUL byte, not as a whole message.
QString readLinesOf(QByteArrayView text, const LineSink &take);

/// Joins folded lines (a line beginning with a space or tab continues the one before, RFC 5545
/// and vCard 3.0/4.0) before handing them on; the joined line is held to the same bound.
class Unfolder
{
public:
    explicit Unfolder(LineSink take)
        : m_take(std::move(take))
    {
    }
    QString add(QByteArrayView line);
    /// Hands over the last line.
    QString finish();

private:
    LineSink m_take;
    QByteArray m_pending;
    bool m_hasPending = false;
};

/// "\"name\" ..." : the message of a file that cannot be imported.
QString fileMessage(const QString &path, const QString &what);

} // namespace linereader
