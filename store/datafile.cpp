#include "store/datafile.h"

#include "platform/ansitext.h"
#include "store/escapes.h"

#include <version.h>

#include <cstring>

namespace {

const QString kEndOfSection = QStringLiteral("<end of section>");
constexpr char kCaptionEndByte = char(0xA4); // ¤
constexpr char kRecordEndByte = char(0xA7);  // §
constexpr QByteArrayView kEndOfSectionBytes("<end of section>");
constexpr QByteArrayView kCrLfBytes("\r\n");
const QString kCrLf = QStringLiteral("\r\n");

/// Characters that stand for themselves in the file and can start no structure text.
inline bool isPlain(char16_t u)
{
    return (u >= 0x20 && u < 0x7F && u != u'[' && u != u'<')
        || (u >= 0xA0 && u <= 0xFF && u != 0xA4 && u != 0xA7);
}

/// Appends text as Windows-1252 bytes, escaping what would break the record structure or the
/// code page. In a tag CR LF pairs become "[crlf]"; captions have no line-break escape of their own.
void appendEscaped(QByteArray &out, QStringView text, bool isTag)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype run = i;
        while (run < n && isPlain(p[run]))
            ++run;
        if (run > i) {
            const qsizetype at = out.size();
            out.resize(at + (run - i));
            char *dst = out.data() + at;
            for (qsizetype k = i; k < run; ++k)
                *dst++ = char(p[k]);
            i = run;
            if (i == n)
                break;
        }
        const QChar c(p[i]);
        const char16_t u = p[i];
        if (isTag && u == u'\r' && i + 1 < n && p[i + 1] == u'\n') {
            out += "[crlf]";
            i += 2;
            continue;
        }
        const bool special = u == u'\r' || u == u'\n' || u == 0xA4 || u == 0xA7 || !ansi::canEncode(c)
            || (u == u'<' && text.mid(i).startsWith(kEndOfSection))
            || escapes::bracketNeedsEscape(text, i, isTag);
        if (special)
            out += escapes::charEscape(c).toLatin1();
        else
            out += ansi::encode(QString(c));
        ++i;
    }
}

/// Value of the "[u+XXXX]" at bytes[i] (upper-case hex, as written), or -1.
int escapeAt(QByteArrayView bytes, qsizetype i)
{
    if (i + 8 > bytes.size() || bytes[i + 1] != 'u' || bytes[i + 2] != '+' || bytes[i + 7] != ']')
        return -1;
    int value = 0;
    for (qsizetype k = i + 3; k < i + 7; ++k) {
        const char c = bytes[k];
        const int digit = c >= '0' && c <= '9' ? c - '0' : (c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

/// Bytes of one caption or tag back to text, in one pass: "[u+XXXX]" always, "[crlf]" in tags.
QString decodeText(QByteArrayView bytes, bool isTag)
{
    qsizetype at = bytes.indexOf('[');
    if (at < 0)
        return ansi::decode(bytes);
    QString out;
    out.reserve(bytes.size());
    qsizetype runStart = 0;
    while (at >= 0) {
        int value = -1;
        qsizetype length = 0;
        if (isTag && bytes.sliced(at).startsWith("[crlf]")) {
            length = 6;
        } else if ((value = escapeAt(bytes, at)) >= 0) {
            length = 8;
        }
        if (length > 0) {
            out += ansi::decode(bytes.sliced(runStart, at - runStart));
            if (value >= 0)
                out += QChar(char16_t(value));
            else
                out += kCrLf;
            runStart = at + length;
        }
        at = bytes.indexOf('[', at + qMax<qsizetype>(length, 1));
    }
    out += ansi::decode(bytes.sliced(runStart));
    return out;
}

/// Bytes looked at by the line-break passes, so a test can see they stay linear.
qsizetype g_lineBreakBytesScanned = 0;

/// The bytes with every CR and LF taken out: physical lines carry no meaning. One pass,
/// whatever the line ends: a search for the next CR from every LF made LF-only files quadratic.
QByteArray withoutLineBreaks(QByteArrayView bytes)
{
    QByteArray out(bytes.size(), Qt::Uninitialized);
    char *dst = out.data();
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    while (p < end) {
        const char *lf = static_cast<const char *>(memchr(p, '\n', end - p));
        const char *stop = lf ? lf : end;
        g_lineBreakBytesScanned += stop - p;
        for (; p < stop; ++p) {
            if (*p != '\r')
                *dst++ = *p;
        }
        p = stop < end ? stop + 1 : end;
    }
    out.truncate(dst - out.data());
    return out;
}

/// True when every line break stands right after a record or an end line, as this program
/// writes them; such a file can be cut up where it lies, without a copy free of line breaks.
bool lineBreaksOnlyAtLineEnds(QByteArrayView bytes)
{
    const char *begin = bytes.data();
    const char *end = begin + bytes.size();
    g_lineBreakBytesScanned += 2 * bytes.size();
    for (const char *p = begin; (p = static_cast<const char *>(memchr(p, '\n', end - p))); ++p) {
        const char *q = p;
        if (q > begin && q[-1] == '\r')
            --q;
        const QByteArrayView before(begin, q - begin);
        if (!before.endsWith(kRecordEndByte) && !before.endsWith(kEndOfSectionBytes))
            return false;
    }
    for (const char *p = begin; (p = static_cast<const char *>(memchr(p, '\r', end - p))); ++p) {
        if (p + 1 == end || p[1] != '\n')
            return false;
    }
    return true;
}

/// A record starts after the line end of the one before it.
QByteArrayView skipLineBreaks(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i);
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
    qsizetype estimate = 64;
    for (const auto &section : content.sections) {
        for (const Record &record : section)
            estimate += record.caption.size() + record.tag.size() + 4;
    }
    QByteArray out;
    out.reserve(estimate + estimate / 16);
    out += dataFileHeader().toLatin1();
    out += kCrLfBytes;
    for (const auto &section : content.sections) {
        for (const Record &record : section) {
            appendEscaped(out, record.caption, false);
            out += kCaptionEndByte;
            appendEscaped(out, record.tag, true);
            out += kRecordEndByte;
            out += kCrLfBytes;
        }
        out += kEndOfSectionBytes;
        out += kCrLfBytes;
    }
    return out;
}

qsizetype lineBreakBytesScanned()
{
    return g_lineBreakBytesScanned;
}

ParsedDataFile parseDataFile(const QByteArray &bytes)
{
    ParsedDataFile result;
    if (bytes.isEmpty()) {
        result.problems << QStringLiteral("The file is empty.");
        return result;
    }
    // Every structure text is plain bytes in the code page, so the file is cut up as bytes and
    // only captions and tags are turned into text. The header line is skipped unread, unless it
    // holds the file's structure: then the header is missing and the line is the first record.
    const qsizetype firstEnd = bytes.indexOf('\n');
    const QByteArrayView firstLine = QByteArrayView(bytes).first(firstEnd < 0 ? bytes.size() : firstEnd);
    qsizetype bodyStart = firstEnd < 0 ? bytes.size() : firstEnd + 1;
    if (firstLine.contains(kCaptionEndByte) || firstLine.contains(kRecordEndByte)
        || firstLine.indexOf(kEndOfSectionBytes) >= 0) {
        bodyStart = 0;
        result.problems << QStringLiteral("The first line is not the header.");
    }
    const QByteArrayView body = QByteArrayView(bytes).sliced(bodyStart);
    QByteArray rewrapped;
    if (!lineBreaksOnlyAtLineEnds(body))
        rewrapped = withoutLineBreaks(body);
    const QByteArrayView view = rewrapped.isNull() ? body : QByteArrayView(rewrapped);

    qsizetype start = 0;
    bool complete = true;
    for (int s = 0; s < kSectionCount; ++s) {
        const qsizetype end = view.indexOf(kEndOfSectionBytes, start);
        if (end < 0) {
            complete = false;
            result.problems << QStringLiteral("The file ends before its last section.");
        }
        const QByteArrayView piece = view.sliced(start, (end < 0 ? view.size() : end) - start);
        QList<Record> &records = result.content.sections[size_t(s)];
        qsizetype recordStart = 0;
        for (;;) {
            const qsizetype recordEnd = piece.indexOf(kRecordEndByte, recordStart);
            if (recordEnd < 0)
                break;
            const QByteArrayView line = skipLineBreaks(piece.sliced(recordStart, recordEnd - recordStart));
            const qsizetype captionEnd = line.indexOf(kCaptionEndByte);
            if (captionEnd < 0) {
                // Keep the text rather than drop it; the user can see and mend it.
                records.append({decodeText(line, false), QString()});
                result.problems << QStringLiteral("A record has no caption mark.");
            } else {
                // A "¤" inside the tag (older files wrote it unescaped) stays part of the tag.
                records.append({decodeText(line.first(captionEnd), false),
                                 decodeText(line.sliced(captionEnd + 1), true)});
            }
            recordStart = recordEnd + 1;
        }
        if (!piece.sliced(recordStart).trimmed().isEmpty())
            result.problems << QStringLiteral("A record is cut short.");
        if (end < 0)
            break;
        start = end + kEndOfSectionBytes.size();
    }
    if (complete && !view.sliced(start).trimmed().isEmpty())
        result.problems << QStringLiteral("There is text after the last section.");
    result.problems.removeDuplicates();
    return result;
}
