// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/datafilereader.h"

#include "platform/ansitext.h"
#include "platform/textfile.h"
#include "store/fileformat.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

using namespace fileformat;
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
    return isTag && bytes.sliced(at).startsWith(kLineBreakEscapeBytes) ? kLineBreakEscapeBytes.size() : 0;
}

/// Whether any byte is one of 0x80 to 0x9F, where the code page differs from Latin-1 (rare).
/// Eight bytes at a time: such a byte is the one whose top three bits are 100.
bool hasCodePageBytes(QByteArrayView bytes)
{
    constexpr quint64 kOnes = 0x0101010101010101ull;
    const char *p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, p + i, 8);
        const quint64 v = (word & (0xE0 * kOnes)) ^ (0x80 * kOnes); // zero where the byte is 100xxxxx
        if ((v - kOnes) & ~v & (0x80 * kOnes))
            return true;
    }
    for (; i < n; ++i) {
        if (uchar(p[i]) - 0x80u < 0x20u)
            return true;
    }
    return false;
}

/// Bytes to text: Latin-1 as it is, unless bytes 0x80 to 0x9F need the code page.
QString decoded(QByteArrayView bytes)
{
    return hasCodePageBytes(bytes) ? ansi::decode(bytes) : QString::fromLatin1(bytes);
}

/// The same, appended: straight into out where the code page is not needed.
void appendDecoded(QString &out, QByteArrayView bytes)
{
    if (hasCodePageBytes(bytes))
        out.append(ansi::decode(bytes));
    else
        out.append(QLatin1String(bytes.data(), bytes.size()));
}

/// Bytes of one caption or tag back to text, in one pass: "[u+XXXX]" always, "[crlf]" in tags.
/// The text gets exactly its own length: a full file makes a quarter of a million of them.
QString decodeText(QByteArrayView bytes, bool isTag)
{
    qsizetype at = bytes.indexOf('[');
    if (at < 0)
        return decoded(bytes);
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

/// Where the first end line in bytes starts, from the offset on, or -1. Looks for its "<" with
/// memchr: the general search hashes every byte, and it runs over every record.
qsizetype findEndOfSection(QByteArrayView bytes, qsizetype from)
{
    const char *begin = bytes.data();
    const char *end = begin + bytes.size();
    for (const char *p = begin + from; p < end; ++p) {
        p = static_cast<const char *>(memchr(p, '<', size_t(end - p)));
        if (!p)
            break;
        if (end - p >= kEndOfSectionBytes.size()
            && std::memcmp(p, kEndOfSectionBytes.data(), size_t(kEndOfSectionBytes.size())) == 0)
            return p - begin;
    }
    return -1;
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
    if (holdsStructure(m_firstLine, known) || m_firstLine.size() > m_longestRecord) {
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
        const qsizetype sectionEnd = findEndOfSection(
            upToRecordEnd, std::max<qsizetype>(0, from - kEndOfSectionBytes.size() + 1));
        if (sectionEnd >= 0) {
            if (!m_skippingRecord && !rest.first(sectionEnd).trimmed().isEmpty())
                m_result.problems << QStringLiteral("A record is cut short.");
            m_skippingRecord = false;
            at += sectionEnd + kEndOfSectionBytes.size();
            ++m_section;
            m_problemsBefore = m_result.problems.size();
        } else if (recordEnd >= 0) {
            if (!std::exchange(m_skippingRecord, false))
                takeRecord(rest.first(recordEnd));
            at += recordEnd + 1;
        } else if (!atEnd) {
            m_searchFrom = m_pending.size(); // the rest may be the start of a record
            if (m_skippingRecord || rest.size() > m_longestRecord) {
                if (!m_skippingRecord)
                    m_result.problems << QStringLiteral("A record is longer than %1 MiB and was left out.")
                                             .arg(m_longestRecord >> 20);
                m_skippingRecord = true;
                // Only what may be the start of an end line is kept.
                at = std::max(at, m_pending.size() - kEndOfSectionBytes.size() + 1);
            }
            break;
        } else {
            m_result.problems.insert(m_problemsBefore, QStringLiteral("The file ends before its last section."));
            if (!m_skippingRecord && !rest.trimmed().isEmpty())
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
    if (m_skippingRecord)
        m_pending.squeeze(); // what the long record took is given back at once
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

bool parseDataFileAt(const QString &path, ParsedDataFile *parsed, FileError *error)
{
    DataFileReader reader;
    if (!readFileInPieces(path, [&reader](QByteArrayView piece) {
            reader.add(piece);
            return true;
        }, error)) {
        return false;
    }
    *parsed = reader.finish();
    return true;
}
