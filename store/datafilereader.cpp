#include "store/datafilereader.h"

#include "platform/ansitext.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr char kCaptionEndByte = char(0xA4); // ¤
constexpr char kRecordEndByte = char(0xA7);  // §
constexpr QByteArrayView kEndOfSectionBytes("<end of section>");
const QString kCrLf = QStringLiteral("\r\n");

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

/// Length of the escape at bytes[at] ("[u+XXXX]" always, "[crlf]" in tags), or 0; value is the
/// character it stands for, or -1 for a line break.
qsizetype escapeLengthAt(QByteArrayView bytes, qsizetype at, bool isTag, int *value)
{
    *value = escapeAt(bytes, at);
    if (*value >= 0)
        return 8;
    return isTag && bytes.sliced(at).startsWith("[crlf]") ? 6 : 0;
}

/// Appends bytes as text: as Latin-1 straight into out, unless bytes 0x80 to 0x9F need the code page.
void appendDecoded(QString &out, QByteArrayView bytes)
{
    if (std::none_of(bytes.begin(), bytes.end(), [](char b) { return uchar(b) - 0x80u < 0x20u; }))
        out.append(QLatin1String(bytes.data(), bytes.size()));
    else
        out.append(ansi::decode(bytes));
}

/// Bytes of one caption or tag back to text, in one pass: "[u+XXXX]" always, "[crlf]" in tags.
/// The text gets exactly its own length: a full file makes a quarter of a million of them.
QString decodeText(QByteArrayView bytes, bool isTag)
{
    qsizetype at = bytes.indexOf('[');
    if (at < 0)
        return ansi::decode(bytes);
    qsizetype length = bytes.size();
    int value = 0;
    for (qsizetype i = at; i >= 0;) {
        const qsizetype escape = escapeLengthAt(bytes, i, isTag, &value);
        length -= escape > 0 ? escape - (value >= 0 ? 1 : 2) : 0;
        i = bytes.indexOf('[', i + std::max<qsizetype>(escape, 1));
    }
    QString out;
    out.reserve(length);
    qsizetype runStart = 0;
    while (at >= 0) {
        const qsizetype escape = escapeLengthAt(bytes, at, isTag, &value);
        if (escape > 0) {
            appendDecoded(out, bytes.sliced(runStart, at - runStart));
            if (value >= 0)
                out += QChar(char16_t(value));
            else
                out += kCrLf;
            runStart = at + escape;
        }
        at = bytes.indexOf('[', at + std::max<qsizetype>(escape, 1));
    }
    appendDecoded(out, bytes.sliced(runStart));
    return out;
}

/// Bytes looked at for line breaks and marks, so a test can see the work stays linear.
qsizetype g_bytesScanned = 0;

/// Appends bytes without their CRs and LFs: physical lines carry no meaning.
void appendWithoutLineBreaks(QByteArray &out, QByteArrayView bytes)
{
    g_bytesScanned += bytes.size();
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    char *dst = out.data() + at;
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    while (p < end) {
        const char *lf = static_cast<const char *>(memchr(p, '\n', size_t(end - p)));
        const char *stop = lf ? lf : end;
        while (p < stop) {
            const char *cr = static_cast<const char *>(memchr(p, '\r', size_t(stop - p)));
            const char *runEnd = cr ? cr : stop;
            std::memcpy(dst, p, size_t(runEnd - p));
            dst += runEnd - p;
            p = cr ? cr + 1 : stop;
        }
        p = lf ? lf + 1 : end;
    }
    out.truncate(dst - out.data());
}

/// Whether the text, taken as the first line, holds the file's structure, so is no header.
bool holdsStructure(QByteArrayView firstLine, qsizetype newFrom)
{
    const QByteArrayView added = firstLine.sliced(newFrom);
    return added.contains(kCaptionEndByte) || added.contains(kRecordEndByte)
        || firstLine.sliced(std::max<qsizetype>(0, newFrom - kEndOfSectionBytes.size() + 1))
               .contains(kEndOfSectionBytes);
}

} // namespace

qsizetype dataFileBytesScanned()
{
    return g_bytesScanned;
}

ParsedDataFile parseDataFile(QByteArrayView bytes)
{
    DataFileReader reader;
    reader.add(bytes);
    return reader.finish();
}

void DataFileReader::add(QByteArrayView piece)
{
    if (piece.isEmpty())
        return;
    m_empty = false;
    if (!m_inFirstLine) {
        addBody(piece);
        return;
    }
    // The header line is skipped unread, unless it holds the file's structure: then the header
    // is missing and the line is the first record.
    const qsizetype lineEnd = piece.indexOf('\n');
    const qsizetype known = m_firstLine.size();
    m_firstLine.append(lineEnd < 0 ? piece : piece.first(lineEnd));
    if (holdsStructure(m_firstLine, known)) {
        m_result.problems << QStringLiteral("The first line is not the header.");
        m_inFirstLine = false;
        m_problemsBefore = m_result.problems.size();
        const QByteArray firstLine = std::exchange(m_firstLine, QByteArray());
        addBody(firstLine);
        if (lineEnd >= 0)
            addBody(piece.sliced(lineEnd));
    } else if (lineEnd >= 0) {
        m_inFirstLine = false;
        m_firstLine = QByteArray();
        addBody(piece.sliced(lineEnd + 1));
    }
}

void DataFileReader::addBody(QByteArrayView bytes)
{
    if (m_section == kSectionCount) {
        // Past the last section only whether anything stands there matters.
        m_textAfterEnd = m_textAfterEnd || !bytes.trimmed().isEmpty();
        return;
    }
    appendWithoutLineBreaks(m_pending, bytes);
    take(false);
}

void DataFileReader::take(bool atEnd)
{
    qsizetype at = 0;
    while (m_section < kSectionCount) {
        const QByteArrayView rest = QByteArrayView(m_pending).sliced(at);
        const qsizetype from = std::max<qsizetype>(0, m_searchFrom - at);
        const qsizetype recordEnd = rest.indexOf(kRecordEndByte, from);
        // An end line before the next "§" ends the section, and what stands before it is no record.
        const QByteArrayView upToRecordEnd = recordEnd < 0 ? rest : rest.first(recordEnd);
        g_bytesScanned += upToRecordEnd.size() - from;
        const qsizetype sectionEnd = upToRecordEnd.indexOf(
            kEndOfSectionBytes, std::max<qsizetype>(0, from - kEndOfSectionBytes.size() + 1));
        if (sectionEnd >= 0) {
            if (!rest.first(sectionEnd).trimmed().isEmpty())
                m_result.problems << QStringLiteral("A record is cut short.");
            at += sectionEnd + kEndOfSectionBytes.size();
            ++m_section;
            m_problemsBefore = m_result.problems.size();
        } else if (recordEnd >= 0) {
            takeRecord(rest.first(recordEnd));
            at += recordEnd + 1;
        } else if (!atEnd) {
            m_searchFrom = m_pending.size(); // the rest may be the start of a record
            break;
        } else {
            m_result.problems.insert(m_problemsBefore, QStringLiteral("The file ends before its last section."));
            if (!rest.trimmed().isEmpty())
                m_result.problems << QStringLiteral("A record is cut short.");
            at = m_pending.size();
            break;
        }
    }
    if (m_section == kSectionCount) {
        m_textAfterEnd = m_textAfterEnd || !QByteArrayView(m_pending).sliced(at).trimmed().isEmpty();
        at = m_pending.size();
    }
    // Only the start of a record stays: moved to the front, the buffer kept for the next piece.
    const qsizetype left = m_pending.size() - at;
    if (at > 0 && left > 0)
        std::memmove(m_pending.data(), m_pending.constData() + at, size_t(left));
    m_pending.truncate(left);
    m_searchFrom = std::max<qsizetype>(0, m_searchFrom - at);
}

void DataFileReader::takeRecord(QByteArrayView line)
{
    QList<Record> &records = m_result.content.sections[size_t(m_section)];
    const qsizetype captionEnd = line.indexOf(kCaptionEndByte);
    if (captionEnd < 0) {
        // Keep the text rather than drop it; the user can see and mend it.
        records.append({decodeText(line, false), QString()});
        m_result.problems << QStringLiteral("A record has no caption mark.");
    } else {
        // A "¤" inside the tag (older files wrote it unescaped) stays part of the tag.
        records.append({decodeText(line.first(captionEnd), false), decodeText(line.sliced(captionEnd + 1), true)});
    }
}

ParsedDataFile DataFileReader::finish()
{
    if (m_empty) {
        m_result.problems << QStringLiteral("The file is empty.");
        return std::move(m_result);
    }
    m_firstLine = QByteArray(); // a file of one line without structure: only a header
    take(true);
    // The lists grew by steps: what they hold is kept, without the room for more.
    for (QList<Record> &records : m_result.content.sections)
        records.squeeze();
    if (m_textAfterEnd)
        m_result.problems << QStringLiteral("There is text after the last section.");
    m_result.problems.removeDuplicates();
    return std::move(m_result);
}
