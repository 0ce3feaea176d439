// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/bookmarkfile.h"

#include "core/websiterecord.h"
#include "exchange/linereader.h"
#include "store/storedtext.h"

#include <QStringDecoder>

namespace bookmarkfile {
namespace {

/// Folders inside folders; far beyond what anyone files by hand.
constexpr int kDeepestNesting = 64;

QString decodedEntities(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype end = text[i] == u'&' ? text.indexOf(u';', i) : -1;
        if (end < 0 || end - i > 10) {
            out += text[i];
            continue;
        }
        const QStringView name = text.sliced(i + 1, end - i - 1);
        char32_t code = 0;
        if (name.startsWith(u"#x") || name.startsWith(u"#X"))
            code = name.sliced(2).toUInt(nullptr, 16);
        else if (name.startsWith(u'#'))
            code = name.sliced(1).toUInt();
        else if (name == u"amp")
            code = '&';
        else if (name == u"lt")
            code = '<';
        else if (name == u"gt")
            code = '>';
        else if (name == u"quot")
            code = '"';
        else if (name == u"apos")
            code = '\'';
        else if (name == u"nbsp")
            code = 0xA0;
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += text[i];
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i = end;
    }
    return out;
}

/// One tag: its upper-cased name ("A", "/DL", "!DOCTYPE") and its attributes.
struct Tag
{
    QString name;
    QString body;

    /// The attribute's value, entities decoded; empty when absent.
    QString attribute(const QString &wanted) const
    {
        qsizetype i = name.size() + 1;
        while (i < body.size()) {
            while (i < body.size() && body[i].isSpace())
                ++i;
            const qsizetype nameStart = i;
            while (i < body.size() && !body[i].isSpace() && body[i] != u'=')
                ++i;
            const QString key = body.sliced(nameStart, i - nameStart);
            QString value;
            if (i < body.size() && body[i] == u'=') {
                ++i;
                const QChar quote = i < body.size() && (body[i] == u'"' || body[i] == u'\'') ? body[i] : QChar();
                if (!quote.isNull())
                    ++i;
                const qsizetype valueStart = i;
                while (i < body.size() && (quote.isNull() ? !body[i].isSpace() : body[i] != quote))
                    ++i;
                value = body.sliced(valueStart, i - valueStart);
                if (!quote.isNull())
                    ++i;
            }
            if (key.compare(wanted, Qt::CaseInsensitive) == 0)
                return decodedEntities(value);
            if (key.isEmpty())
                ++i;
        }
        return QString();
    }
};

class BookmarkReader
{
public:
    QString line(QByteArrayView bytes);
    QString finish();
    ImportResult takeResult() { return std::move(m_result); }

private:
    QString text(QStringView text);
    QString tag(const Tag &tag);
    void endLink();

    QString m_buffer;
    bool m_sawDoctype = false;
    bool m_sawAnything = false;
    int m_depth = 0;
    bool m_inAnchor = false;
    bool m_inDescription = false;
    bool m_hasLink = false;
    QString m_url;
    QString m_title;
    QString m_description;
    ImportResult m_result = importFailure(SectionId::Websites, QString());
};

QString BookmarkReader::line(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(bytes);
    if (utf8.hasError())
        decoded = QStringDecoder("windows-1252")(bytes);
    if (decoded.startsWith(QChar(0xFEFF)))
        decoded.remove(0, 1);
    m_buffer += decoded;
    m_buffer += QLatin1Char('\n');
    qsizetype i = 0;
    while (i < m_buffer.size()) {
        const qsizetype open = m_buffer.indexOf(u'<', i);
        if (open < 0) {
            const QString stop = text(QStringView(m_buffer).sliced(i));
            m_buffer.clear();
            return stop;
        }
        if (open > i) {
            const QString stop = text(QStringView(m_buffer).sliced(i, open - i));
            if (!stop.isEmpty())
                return stop;
        }
        // A comment ends at "-->", a tag at the first ">" outside quotes.
        qsizetype close = -1;
        if (QStringView(m_buffer).sliced(open).startsWith(u"<!--")) {
            close = m_buffer.indexOf(QStringLiteral("-->"), open + 4);
            if (close >= 0)
                close += 2;
        } else {
            QChar quote;
            for (qsizetype k = open + 1; k < m_buffer.size(); ++k) {
                const QChar c = m_buffer[k];
                if (!quote.isNull()) {
                    if (c == quote)
                        quote = QChar();
                } else if (c == u'"' || c == u'\'') {
                    quote = c;
                } else if (c == u'>') {
                    close = k;
                    break;
                }
            }
        }
        if (close < 0) { // the tag goes on in the next line
            m_buffer.remove(0, open);
            if (m_buffer.size() > linereader::kLongestLine)
                return QStringLiteral("a tag is longer than %1 MiB").arg(linereader::kLongestLine / (1024 * 1024));
            return QString();
        }
        Tag found;
        found.body = m_buffer.sliced(open + 1, close - open - 1);
        qsizetype nameEnd = 0;
        while (nameEnd < found.body.size() && !found.body[nameEnd].isSpace())
            ++nameEnd;
        found.name = found.body.first(nameEnd).toUpper();
        i = close + 1;
        if (!found.name.startsWith(QLatin1String("!--"))) {
            const QString stop = tag(found);
            if (!stop.isEmpty())
                return stop;
        }
    }
    m_buffer.clear();
    return QString();
}

QString BookmarkReader::text(QStringView text)
{
    if (!m_sawDoctype && !text.trimmed().isEmpty())
        return QStringLiteral("it is not a bookmark file");
    if (m_inAnchor)
        m_title += text;
    else if (m_inDescription)
        m_description += text;
    return QString();
}

QString BookmarkReader::tag(const Tag &tag)
{
    if (!m_sawDoctype) {
        if (tag.name != QLatin1String("!DOCTYPE")
            || !tag.body.contains(QLatin1String("NETSCAPE-Bookmark-file-1"), Qt::CaseInsensitive))
            return QStringLiteral("it is not a bookmark file");
        m_sawDoctype = true;
        return QString();
    }
    const QString &name = tag.name;
    if (name == QLatin1String("A")) {
        endLink();
        m_hasLink = true;
        m_inAnchor = true;
        m_url = tag.attribute(QStringLiteral("HREF")).trimmed();
    } else if (name == QLatin1String("/A")) {
        m_inAnchor = false;
    } else if (name == QLatin1String("DD")) {
        m_inDescription = m_hasLink;
    } else if (name == QLatin1String("DT") || name == QLatin1String("H3") || name == QLatin1String("HR")) {
        endLink();
    } else if (name == QLatin1String("DL")) {
        endLink();
        if (++m_depth > kDeepestNesting)
            return QStringLiteral("its folders are nested more than %1 deep").arg(kDeepestNesting);
        m_sawAnything = true;
    } else if (name == QLatin1String("/DL")) {
        endLink();
        if (--m_depth < 0)
            return QStringLiteral("it closes a folder it never opened");
    }
    return QString();
}

void BookmarkReader::endLink()
{
    if (!m_hasLink)
        return;
    m_hasLink = m_inAnchor = m_inDescription = false;
    const QString scheme = m_url.section(QLatin1Char(':'), 0, 0).toLower();
    if (m_url.isEmpty()) {
        ++m_result.skipped[QStringLiteral("link without address")];
    } else if (m_url.contains(QLatin1Char(':')) && (scheme == QLatin1String("place") || scheme == QLatin1String("javascript"))) {
        ++m_result.skipped[scheme + QStringLiteral(": link")];
    } else {
        WebsiteRecord website;
        website.url = m_url;
        website.title = decodedEntities(m_title).simplified();
        website.description = storedtext::fromBox(decodedEntities(m_description).trimmed());
        m_result.records.append({website.title.isEmpty() ? website.url : website.title, website.toTag()});
    }
    m_url.clear();
    m_title.clear();
    m_description.clear();
}

QString BookmarkReader::finish()
{
    if (!m_buffer.trimmed().isEmpty() && m_sawDoctype)
        return QStringLiteral("it is cut short (a tag is not ended)");
    if (!m_sawDoctype)
        return QStringLiteral("it is not a bookmark file");
    endLink();
    if (!m_sawAnything || m_depth > 0)
        return QStringLiteral("it is cut short (a folder is not ended)");
    return QString();
}

} // namespace

ImportResult read(const QString &path, const ExchangeProgress &progress)
{
    BookmarkReader reader;
    QString error = linereader::readLines(path, [&reader](QByteArrayView line) { return reader.line(line); }, progress);
    if (error.isEmpty()) {
        if (const QString what = reader.finish(); !what.isEmpty())
            error = linereader::fileMessage(path, what);
    }
    if (!error.isEmpty())
        return importFailure(SectionId::Websites, error);
    return reader.takeResult();
}

int writtenCount(const QList<Record> &websites)
{
    return int(std::count_if(websites.begin(), websites.end(), [](const Record &record) {
        return !WebsiteRecord::fromTag(record.tag).url.trimmed().isEmpty();
    }));
}

void write(const QList<Record> &websites, const std::function<bool(QByteArrayView)> &sink)
{
    QByteArray out("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                   "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                   "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n");
    for (const Record &record : websites) {
        const WebsiteRecord website = WebsiteRecord::fromTag(record.tag);
        const QString url = website.url.trimmed();
        if (url.isEmpty())
            continue;
        // The title, as browsers name a bookmark; an untitled one shows its URL there.
        const QString name = !website.title.isEmpty() ? website.title : record.caption != url ? record.caption : QString();
        out += "    <DT><A HREF=\"" + url.toHtmlEscaped().toUtf8() + "\">" + name.toHtmlEscaped().toUtf8() + "</A>\n";
        if (!website.description.isEmpty())
            out += "    <DD>" + storedtext::toBox(website.description).toHtmlEscaped().toUtf8() + '\n';
        if (out.size() >= 64 * 1024) {
            if (!sink(out))
                return;
            out.truncate(0);
        }
    }
    out += "</DL><p>\n";
    sink(out);
}

} // namespace bookmarkfile
