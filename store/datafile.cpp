#include "store/datafile.h"

#include "platform/ansitext.h"
#include "store/escapes.h"

#include <version.h>

namespace {

const QString kEndOfSection = QStringLiteral("<end of section>");
const QChar kCaptionEnd(0x00A4); // ¤
const QChar kRecordEnd(0x00A7);  // §
const QString kCrLf = QStringLiteral("\r\n");
const QString kCrLfEscape = QStringLiteral("[crlf]");

/// Appends text, escaping what would break the record structure or the code page.
/// In a tag CR LF pairs become "[crlf]"; captions carry no line-break escape of their own.
void appendEscaped(QString &out, QStringView text, bool isTag)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        // The common case first: plain ASCII that cannot start any structure text.
        if (u >= 0x20 && u < 0x7F && u != u'[' && u != u'<') {
            out += c;
            continue;
        }
        if (isTag && u == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += kCrLfEscape;
            ++i;
            continue;
        }
        const bool special = u == u'\r' || u == u'\n' || c == kCaptionEnd || c == kRecordEnd
            || !ansi::canEncode(c) || (u == u'<' && text.mid(i).startsWith(kEndOfSection))
            || escapes::bracketNeedsEscape(text, i, isTag);
        out += special ? escapes::charEscape(c) : QString(c);
    }
}

/// Undoes appendEscaped: "[u+XXXX]" always, "[crlf]" in tags only.
QString unescapeText(QStringView text, bool isTag)
{
    if (!isTag)
        return escapes::unescape(text);
    if (!text.contains(u'['))
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype start = 0;
    for (;;) {
        const qsizetype at = text.indexOf(kCrLfEscape, start);
        const QStringView piece = text.mid(start, at < 0 ? -1 : at - start);
        out += escapes::unescape(piece);
        if (at < 0)
            break;
        out += kCrLf;
        start = at + kCrLfEscape.size();
    }
    return out;
}

} // namespace

QString dataFileHeader()
{
    return QStringLiteral("Quillet 1.0 - %1.%2.%3")
        .arg(QUILLET_VERSION_MAJOR)
        .arg(QUILLET_VERSION_MINOR)
        .arg(QUILLET_VERSION_PATCH);
}

QByteArray serializeDataFile(const DataFileContent &content)
{
    QString text;
    qsizetype estimate = 64;
    for (const auto &section : content.sections) {
        for (const Record &record : section)
            estimate += record.caption.size() + record.tag.size() + 4;
    }
    text.reserve(estimate + estimate / 8);

    text += dataFileHeader();
    text += kCrLf;
    for (const auto &section : content.sections) {
        for (const Record &record : section) {
            appendEscaped(text, record.caption, false);
            text += kCaptionEnd;
            appendEscaped(text, record.tag, true);
            text += kRecordEnd;
            text += kCrLf;
        }
        text += kEndOfSection;
        text += kCrLf;
    }
    return ansi::encode(text);
}

ParsedDataFile parseDataFile(const QByteArray &bytes)
{
    ParsedDataFile result;
    if (bytes.isEmpty()) {
        result.problems << QStringLiteral("The file is empty.");
        return result;
    }
    QString text = ansi::decode(bytes);
    // The header line is skipped unread; all further lines form one text.
    qsizetype firstEnd = text.indexOf(QLatin1Char('\n'));
    if (firstEnd < 0)
        firstEnd = text.size();
    text.remove(0, firstEnd + 1);
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));

    const QStringView all(text);
    qsizetype start = 0;
    bool complete = true;
    for (int s = 0; s < kSectionCount; ++s) {
        const qsizetype end = all.indexOf(kEndOfSection, start);
        if (end < 0) {
            complete = false;
            result.problems << QStringLiteral("The file ends before its last section.");
        }
        const QStringView piece = all.mid(start, end < 0 ? -1 : end - start);
        QList<Record> &records = result.content.sections[size_t(s)];
        qsizetype recordStart = 0;
        for (;;) {
            const qsizetype recordEnd = piece.indexOf(kRecordEnd, recordStart);
            if (recordEnd < 0)
                break;
            const QStringView line = piece.mid(recordStart, recordEnd - recordStart);
            const qsizetype captionEnd = line.indexOf(kCaptionEnd);
            if (captionEnd < 0) {
                // Keep the text rather than drop it; the user can see and mend it.
                records.append({unescapeText(line, false), QString()});
                result.problems << QStringLiteral("A record has no caption mark.");
            } else {
                // A "¤" inside the tag (older files wrote it unescaped) stays part of the tag.
                records.append({unescapeText(line.left(captionEnd), false),
                                 unescapeText(line.mid(captionEnd + 1), true)});
            }
            recordStart = recordEnd + 1;
        }
        if (!piece.mid(recordStart).trimmed().isEmpty())
            result.problems << QStringLiteral("A record is cut short.");
        if (end < 0)
            break;
        start = end + kEndOfSection.size();
    }
    if (complete && !all.mid(start).trimmed().isEmpty())
        result.problems << QStringLiteral("There is text after the last section.");
    result.problems.removeDuplicates();
    return result;
}
