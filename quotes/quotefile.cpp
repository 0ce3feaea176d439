// SPDX-License-Identifier: GPL-3.0-or-later
#include "quotes/quotefile.h"

#include "platform/ansitext.h"
#include "store/escapes.h"

#include <QFileInfo>

namespace quotefile {
namespace {

/// A character that cannot stand as itself in the file.
bool cannotStand(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    return c == u'\r' || c == u'\n' || !ansi::canEncode(c);
}

} // namespace

QString fileName()
{
    return QStringLiteral("quotes.txt");
}

QString pathToRead(const Services &services)
{
    const QString edited = services.dataPath(fileName());
    return QFileInfo::exists(edited) ? edited : services.path(fileName());
}

QStringList parse(const QByteArray &bytes)
{
    QStringList quotes = ansi::splitLines(ansi::decode(bytes));
    for (QString &quote : quotes)
        quote = escapes::unescape(quote);
    return quotes;
}

QByteArray serialize(const QStringList &quotes)
{
    QString text;
    for (const QString &quote : quotes) {
        text += escapes::escapeWhere(quote, cannotStand);
        text += QLatin1String("\r\n");
    }
    return ansi::encode(text);
}

ReadResult read(const QString &path, QStringList *quotes, FileError *error)
{
    quotes->clear();
    QByteArray bytes;
    if (readWholeFile(path, &bytes, error)) {
        *quotes = parse(bytes);
        return ReadResult::Read;
    }
    return QFileInfo::exists(path) ? ReadResult::Unreadable : ReadResult::Missing;
}

} // namespace quotefile
