// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcardcontacts.h"

#include "core/addresslist.h"
#include "core/contactrecord.h"
#include "exchange/linereader.h"
#include "exchange/recorduid.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <climits>

namespace vcardcontacts {
namespace {

/// A 2.1 card may carry another (AGENT); nothing real goes deeper than a few.
constexpr int kDeepestNesting = 8;
constexpr qsizetype kFoldAt = 75;

/// One content line: "[group.]NAME;PARAM=VALUE...:value", the group dropped.
struct Property
{
    QByteArray name;
    /// Upper-cased "NAME=VALUE" (or the bare word of 2.1, "PREF"), each of a list on its own.
    QList<QByteArray> params;
    QByteArray value;

    bool has(QByteArrayView param) const { return params.contains(param); }
    QByteArray param(QByteArrayView key) const
    {
        for (const QByteArray &p : params) {
            if (p.size() > key.size() && p.startsWith(key) && p[key.size()] == '=')
                return p.sliced(key.size() + 1);
        }
        return QByteArray();
    }
};

/// Where the ":" that ends the name and parameters is, skipping quoted parameter values.
qsizetype valueStart(QByteArrayView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

bool isQuotedPrintable(QByteArrayView line)
{
    const qsizetype colon = valueStart(line);
    return colon > 0 && line.first(colon).toByteArray().toUpper().contains("QUOTED-PRINTABLE");
}

std::optional<Property> parseProperty(QByteArrayView line)
{
    const qsizetype colon = valueStart(line);
    if (colon <= 0)
        return std::nullopt;
    Property property;
    property.value = line.sliced(colon + 1).toByteArray();
    const QList<QByteArray> parts = line.first(colon).toByteArray().split(';');
    property.name = parts.first().toUpper().trimmed();
    if (const qsizetype dot = property.name.lastIndexOf('.'); dot >= 0)
        property.name = property.name.sliced(dot + 1);
    if (property.name.isEmpty())
        return std::nullopt;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray param = parts[i].trimmed().toUpper();
        const qsizetype equals = param.indexOf('=');
        if (equals < 0) {
            property.params.append(param);
            continue;
        }
        const QByteArray key = param.first(equals);
        QByteArray values = param.sliced(equals + 1);
        values.replace('"', QByteArray());
        for (const QByteArray &one : values.split(','))
            property.params.append(key + '=' + one.trimmed());
    }
    return property;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray quotedPrintable(QByteArrayView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int high = text[i] == '=' && i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            bytes += char(high * 16 + low);
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

/// The value's text: quoted-printable undone, then read in its CHARSET (UTF-8 where none is
/// named; Windows-1252 where the bytes are not UTF-8, as older phones wrote them).
QString decodedValue(const Property &property)
{
    const bool qp = property.has("QUOTED-PRINTABLE") || property.param("ENCODING") == "QUOTED-PRINTABLE";
    const QByteArray bytes = qp ? quotedPrintable(property.value) : property.value;
    const QByteArray charset = property.param("CHARSET");
    if (!charset.isEmpty() && charset != "UTF-8") {
        QStringDecoder named(charset.constData());
        if (named.isValid())
            return named(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QStringDecoder("windows-1252")(bytes) : text;
}

/// The parts of a structured value split at each unescaped ";", escapes undone.
QStringList components(const QString &value)
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            parts.last() += next == u'n' || next == u'N' ? QChar(u'\n') : next;
        } else if (c == u';') {
            parts.append(QString());
        } else {
            parts.last() += c;
        }
    }
    return parts;
}

QString unescaped(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            text += next == u'n' || next == u'N' ? QChar(u'\n') : next;
        } else {
            text += value[i];
        }
    }
    return text;
}

/// How strongly an address is preferred: 4.0's PREF=1..100, 3.0's TYPE=pref and 2.1's PREF
/// count as 1; an address without is never preferred.
int preference(const Property &property)
{
    bool ok = false;
    const int pref = property.param("PREF").toInt(&ok);
    if (ok)
        return std::clamp(pref, 1, 100);
    return property.has("PREF") || property.has("TYPE=PREF") ? 1 : INT_MAX;
}

struct Card
{
    QString formattedName;
    QString firstName;
    QString lastName;
    QString title;
    QString uid;
    QList<QPair<QString, int>> addresses;
};

Record recordOf(const Card &card)
{
    ContactRecord contact;
    contact.firstName = card.firstName;
    contact.lastName = card.lastName;
    contact.title = card.title;
    contact.uid = card.uid;
    int best = INT_MAX;
    qsizetype preferred = -1;
    for (qsizetype i = 0; i < card.addresses.size(); ++i) {
        if (card.addresses[i].second < best) {
            best = card.addresses[i].second;
            preferred = i;
        }
    }
    if (preferred < 0 && !card.addresses.isEmpty())
        preferred = 0; // as when typed: the first address of a list without a default becomes it
    for (qsizetype i = 0; i < card.addresses.size(); ++i)
        contact.addresses.append(card.addresses[i].first + (i == preferred ? addresslist::defaultMarker() : QString()));
    QString caption = card.formattedName.trimmed();
    if (caption.isEmpty())
        caption = (card.firstName + QLatin1Char(' ') + card.lastName).trimmed();
    if (caption.isEmpty() && !card.addresses.isEmpty())
        caption = card.addresses.first().first;
    if (caption.isEmpty())
        caption = QStringLiteral("New Email");
    return {caption, contact.toTag()};
}

class CardReader
{
public:
    QString physicalLine(QByteArrayView line);
    QString finish();
    bool sawCard() const { return m_sawCard; }
    bool open() const { return m_depth > 0; }
    ImportResult takeResult();

private:
    QString logicalLine(QByteArrayView line);

    QByteArray m_pending;
    bool m_hasPending = false;
    int m_depth = 0;
    bool m_sawCard = false;
    qsizetype m_lineNumber = 0;
    Card m_card;
    QList<Record> m_records;
    QMap<QString, int> m_skipped;
};

QString CardReader::physicalLine(QByteArrayView line)
{
    ++m_lineNumber;
    if (m_hasPending) {
        const bool softBreak = m_pending.endsWith('=') && isQuotedPrintable(m_pending);
        const bool folded = !line.isEmpty() && (line[0] == ' ' || line[0] == '\t');
        if (softBreak || folded) {
            if (m_pending.size() + line.size() > linereader::kLongestLine)
                return QStringLiteral("a line is longer than %1 MiB").arg(linereader::kLongestLine / (1024 * 1024));
            if (softBreak) {
                m_pending.chop(1);
                m_pending.append(line);
            } else {
                m_pending.append(line.sliced(1));
            }
            return QString();
        }
    }
    const QString stop = finish();
    m_pending.truncate(0);
    m_pending.append(m_lineNumber == 1 && line.startsWith("\xEF\xBB\xBF") ? line.sliced(3) : line);
    m_hasPending = true;
    return stop;
}

QString CardReader::finish()
{
    if (!m_hasPending)
        return QString();
    m_hasPending = false;
    return logicalLine(m_pending);
}

QString CardReader::logicalLine(QByteArrayView line)
{
    if (line.trimmed().isEmpty())
        return QString();
    const std::optional<Property> property = parseProperty(line);
    if (!property) {
        return m_sawCard ? QStringLiteral("a line near line %1 is not a vCard line").arg(m_lineNumber)
                         : QStringLiteral("it is not a vCard file");
    }
    const QByteArray value = property->value.trimmed().toUpper();
    if (property->name == "BEGIN" && value == "VCARD") {
        if (m_depth == 0)
            m_card = Card();
        else
            ++m_skipped[QStringLiteral("AGENT")];
        if (++m_depth > kDeepestNesting)
            return QStringLiteral("its cards are nested more than %1 deep").arg(kDeepestNesting);
        m_sawCard = true;
        return QString();
    }
    if (m_depth == 0)
        return m_sawCard ? QStringLiteral("a line near line %1 is outside any card").arg(m_lineNumber)
                         : QStringLiteral("it is not a vCard file");
    if (property->name == "END") {
        if (value != "VCARD")
            return QStringLiteral("a line near line %1 ends %2 inside a card").arg(m_lineNumber).arg(QString::fromLatin1(value));
        if (--m_depth == 0)
            m_records.append(recordOf(m_card));
        return QString();
    }
    if (m_depth > 1)
        return QString();
    const QByteArray &name = property->name;
    if (name == "FN") {
        m_card.formattedName = unescaped(decodedValue(*property));
    } else if (name == "N") {
        const QStringList parts = components(decodedValue(*property));
        m_card.lastName = parts.value(0);
        m_card.firstName = parts.value(1);
    } else if (name == "TITLE") {
        m_card.title = unescaped(decodedValue(*property));
    } else if (name == "UID") {
        m_card.uid = unescaped(decodedValue(*property)).trimmed();
    } else if (name == "EMAIL") {
        const QString address = unescaped(decodedValue(*property)).trimmed();
        if (!address.isEmpty())
            m_card.addresses.append({address, preference(*property)});
    }
    return QString();
}

ImportResult CardReader::takeResult()
{
    ImportResult result;
    result.section = SectionId::Contacts;
    result.skipped = m_skipped;
    QHash<QString, int> twins;
    for (Record &record : m_records) {
        ContactRecord contact = ContactRecord::fromTag(record.tag);
        if (contact.uid.isEmpty()) {
            // A card without a UID gets the same one at every import of the file.
            int &n = twins[record.caption + QChar(0x1F) + record.tag];
            contact.uid = recorduid::derived(SectionId::Contacts, record, n++);
            record.tag = contact.toTag();
        }
    }
    result.records = std::move(m_records);
    return result;
}

/// Text as a vCard value: backslash, comma, semicolon and line breaks escaped.
QString escapedText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == u',' || c == u';')
            out += QLatin1Char('\\') + c;
        else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        else if (c == u'\n' || c == u'\r')
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out;
}

/// The line folded every 75 octets, never inside a UTF-8 sequence, with CR LF after each piece.
void appendFolded(QByteArray &out, const QByteArray &line)
{
    qsizetype start = 0;
    qsizetype room = kFoldAt;
    while (line.size() - start > room) {
        qsizetype end = start + room;
        while (end > start && (uchar(line[end]) & 0xC0) == 0x80)
            --end;
        out += line.sliced(start, end - start);
        out += "\r\n ";
        start = end;
        room = kFoldAt - 1;
    }
    out += line.sliced(start);
    out += "\r\n";
}

void appendCard(QByteArray &out, const Record &record, const QString &uid)
{
    const ContactRecord contact = ContactRecord::fromTag(record.tag);
    out += "BEGIN:VCARD\r\nVERSION:4.0\r\n";
    appendFolded(out, "UID:" + escapedText(uid).toUtf8());
    appendFolded(out, "FN:" + escapedText(record.caption).toUtf8());
    appendFolded(out, "N:" + escapedText(contact.lastName).toUtf8() + ';' + escapedText(contact.firstName).toUtf8() + ";;;");
    if (!contact.title.isEmpty())
        appendFolded(out, "TITLE:" + escapedText(contact.title).toUtf8());
    for (const QString &entry : contact.addresses) {
        const QByteArray address = escapedText(addresslist::withoutMarker(entry)).toUtf8();
        appendFolded(out, (addresslist::hasMarker(entry) ? "EMAIL;PREF=1:" : "EMAIL:") + address);
    }
    out += "END:VCARD\r\n";
}

} // namespace

ImportResult read(const QString &path, const ExchangeProgress &progress)
{
    CardReader reader;
    QString error = linereader::readLines(path, [&reader](QByteArrayView line) { return reader.physicalLine(line); },
                                          progress);
    if (error.isEmpty()) {
        QString what = reader.finish();
        if (what.isEmpty() && !reader.sawCard())
            what = QStringLiteral("it is not a vCard file");
        if (what.isEmpty() && reader.open())
            what = QStringLiteral("it is cut short (a card is not ended)");
        if (!what.isEmpty())
            error = linereader::fileMessage(path, what);
    }
    if (!error.isEmpty())
        return importFailure(SectionId::Contacts, error);
    return reader.takeResult();
}

ImportResult readText(QByteArrayView text)
{
    CardReader reader;
    QString what = linereader::readLinesOf(text, [&reader](QByteArrayView line) { return reader.physicalLine(line); });
    if (what.isEmpty())
        what = reader.finish();
    if (what.isEmpty() && !reader.sawCard())
        what = QStringLiteral("it is not a vCard file");
    if (what.isEmpty() && reader.open())
        what = QStringLiteral("it is cut short (a card is not ended)");
    if (!what.isEmpty())
        return importFailure(SectionId::Contacts, what);
    return reader.takeResult();
}

void write(const QList<Record> &contacts, const QList<int> &rows, const std::function<bool(QByteArrayView)> &sink)
{
    const QStringList uids = recorduid::identities(SectionId::Contacts, contacts);
    QByteArray out;
    for (const int i : recorduid::rowsOrAll(rows, contacts.size())) {
        appendCard(out, contacts[i], uids[i]);
        if (out.size() >= 64 * 1024) {
            if (!sink(out))
                return;
            out.truncate(0);
        }
    }
    sink(out);
}

} // namespace vcardcontacts
