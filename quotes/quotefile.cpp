#include "quotes/quotefile.h"

#include "platform/ansitext.h"
#include "store/escapes.h"

#include <QFileInfo>

namespace quotefile {
namespace {

/// The characters of text that cannot stand as themselves in the file.
QString specialsOf(const QString &text)
{
    QString specials;
    for (const QChar c : text) {
        if ((c == u'\r' || c == u'\n' || !ansi::canEncode(c)) && !specials.contains(c))
            specials += c;
    }
    return specials;
}

} // namespace

QString fileName()
{
    return QStringLiteral("quotes.txt");
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
        text += escapes::escapeChars(quote, specialsOf(quote));
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
