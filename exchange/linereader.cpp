// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/linereader.h"

#include "platform/textfile.h"

#include <QFileInfo>

#include <cerrno>

namespace linereader {

QString fileMessage(const QString &path, const QString &what)
{
    return QStringLiteral("Cannot import \"%1\": %2.").arg(QFileInfo(path).fileName(), what);
}

namespace {

QString lineTooLong()
{
    return QStringLiteral("a line is longer than %1 MiB").arg(kLongestLine / (1024 * 1024));
}

} // namespace

QString readLines(const QString &path, const LineSink &take, const ExchangeProgress &progress)
{
    const qint64 total = QFileInfo(path).size();
    qint64 done = 0;
    QByteArray partial;
    QString stop;
    const auto hand = [&](QByteArrayView line) {
        if (line.endsWith('\r'))
            line.chop(1);
        // Text never holds a NUL; and the parsers below must not cut a value at one.
        stop = line.contains('\0') ? QStringLiteral("it is not a text file") : take(line);
        return stop.isEmpty();
    };
    const auto piece = [&](QByteArrayView bytes) {
        qsizetype start = 0;
        for (qsizetype end = bytes.indexOf('\n'); end >= 0; end = bytes.indexOf('\n', start)) {
            const QByteArrayView tail = bytes.sliced(start, end - start);
            start = end + 1;
            if (partial.isEmpty()) {
                if (tail.size() > kLongestLine)
                    return (stop = lineTooLong()), false;
                if (!hand(tail))
                    return false;
                continue;
            }
            if (partial.size() + tail.size() > kLongestLine)
                return (stop = lineTooLong()), false;
            partial.append(tail);
            const bool go = hand(partial);
            partial.truncate(0);
            if (!go)
                return false;
        }
        if (partial.size() + (bytes.size() - start) > kLongestLine)
            return (stop = lineTooLong()), false;
        partial.append(bytes.sliced(start));
        done += bytes.size();
        if (progress && !progress(done, total))
            return (stop = QStringLiteral("the import was cancelled")), false;
        return true;
    };
    FileError error;
    if (!readFileInPieces(path, piece, &error))
        return fileMessage(path, stop.isEmpty() ? error.description : stop);
    if (!partial.isEmpty() && !hand(partial))
        return fileMessage(path, stop);
    return QString();
}

QString readLinesOf(QByteArrayView text, const LineSink &take)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > kLongestLine)
            return lineTooLong();
        const QString stop = line.contains('\0') ? QStringLiteral("it is not a text file") : take(line);
        if (!stop.isEmpty())
            return stop;
    }
    return QString();
}

QString Unfolder::add(QByteArrayView line)
{
    if (m_hasPending && !line.isEmpty() && (line[0] == ' ' || line[0] == '\t')) {
        if (m_pending.size() + line.size() > kLongestLine)
            return lineTooLong();
        m_pending.append(line.sliced(1));
        return QString();
    }
    const QString stop = finish();
    m_pending.truncate(0);
    m_pending.append(line);
    m_hasPending = true;
    return stop;
}

QString Unfolder::finish()
{
    if (!m_hasPending)
        return QString();
    m_hasPending = false;
    return m_take(m_pending);
}

} // namespace linereader
