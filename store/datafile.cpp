// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/datafile.h"

#include "platform/ansitext.h"
#include "store/escapes.h"
#include "store/fileformat.h"

#include <version.h>

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

using namespace fileformat;
constexpr QByteArrayView kCrLfBytes("\r\n");

/// Characters that stand for themselves in the file and can start no structure text.
inline bool isPlain(char16_t u)
{
    return (u >= 0x20 && u < 0x7F && u != u'[' && u != u'<')
        || (u >= 0xA0 && u <= 0xFF && u != kCaptionEnd && u != kRecordEnd);
}

/// Copies the plain characters at the start of p (n of them at most) to dst as bytes, up to the
/// first other one; returns how many. Eight at a time where the processor allows.
qsizetype copyPlainRun(const char16_t *p, qsizetype n, char *dst)
{
    qsizetype k = 0;
    for (;;) {
#ifdef __SSE2__
        const __m128i low = _mm_set1_epi16(0x20);
        const __m128i span = _mm_set1_epi16(0x7F - 0x20);
        const __m128i belowZero = _mm_set1_epi16(-1);
        const __m128i high = _mm_set1_epi16(0xA0);
        const __m128i highSpan = _mm_set1_epi16(0x100 - 0xA0);
        const __m128i bracket = _mm_set1_epi16('[');
        const __m128i less = _mm_set1_epi16('<');
        const __m128i currency = _mm_set1_epi16(kCaptionEnd);
        const __m128i section = _mm_set1_epi16(kRecordEnd);
        for (; k + 8 <= n; k += 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + k));
            // Shifted down, each range of one-byte characters starts at 0 and the rest falls
            // below 0 or past its end.
            const __m128i t = _mm_sub_epi16(v, low);
            const __m128i h = _mm_sub_epi16(v, high);
            const __m128i byte = _mm_or_si128(
                _mm_and_si128(_mm_cmplt_epi16(t, span), _mm_cmpgt_epi16(t, belowZero)),
                _mm_and_si128(_mm_cmplt_epi16(h, highSpan), _mm_cmpgt_epi16(h, belowZero)));
            const __m128i structure =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, bracket), _mm_cmpeq_epi16(v, less)),
                             _mm_or_si128(_mm_cmpeq_epi16(v, currency), _mm_cmpeq_epi16(v, section)));
            if (_mm_movemask_epi8(_mm_andnot_si128(structure, byte)) != 0xFFFF)
                break;
            _mm_storel_epi64(reinterpret_cast<__m128i *>(dst + k), _mm_packus_epi16(v, v));
        }
#endif
        // One by one through the block that stopped the fast path (or to the end without it).
        const qsizetype stop = std::min(n, k + 8);
        for (; k < stop && isPlain(p[k]); ++k)
            dst[k] = char(p[k]);
        if (k < stop || k == n)
            return k;
    }
}

/// The data file's bytes on their way out: gathered in one small buffer, handed on in whole
/// blocks of 64 KiB.
class DataFileBlockWriter
{
public:
    static constexpr qsizetype kPiece = 64 * 1024;

    explicit DataFileBlockWriter(const std::function<bool(QByteArrayView)> &sink)
        : m_sink(sink)
        , m_buffer(2 * kPiece, Qt::Uninitialized)
    {
    }

    /// Room for n more bytes; the caller fills them and moves on with advance().
    char *room(qsizetype n)
    {
        if (m_used + n > m_buffer.size())
            m_buffer.resize(std::max(2 * m_buffer.size(), m_used + n)); // one record over 64 KiB
        return m_buffer.data() + m_used;
    }
    void advance(qsizetype n) { m_used += n; }
    void append(QByteArrayView bytes)
    {
        std::memcpy(room(bytes.size()), bytes.data(), size_t(bytes.size()));
        m_used += bytes.size();
    }
    /// Hands on the whole blocks gathered so far; false once the sink refused.
    bool flush(bool last = false)
    {
        const qsizetype ready = last ? m_used : m_used - m_used % kPiece;
        if (ready == 0 || !m_ok)
            return m_ok;
        m_ok = m_sink(QByteArrayView(m_buffer.constData(), ready));
        std::memmove(m_buffer.data(), m_buffer.constData() + ready, size_t(m_used - ready));
        m_used -= ready;
        return m_ok;
    }

private:
    const std::function<bool(QByteArrayView)> &m_sink;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    bool m_ok = true;
};

/// Writes text as Windows-1252 bytes, escaping what would break the record structure or the
/// code page. In a tag CR LF pairs become "[crlf]"; captions have no line-break escape of their own.
void appendEscaped(DataFileBlockWriter &out, QStringView text, bool isTag)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype run = copyPlainRun(p + i, n - i, out.room(n - i));
        out.advance(run);
        i += run;
        if (i == n)
            break;
        const QChar c(p[i]);
        const char16_t u = p[i];
        if (isTag && u == u'\r' && i + 1 < n && p[i + 1] == u'\n') {
            out.append(kLineBreakEscapeBytes);
            i += 2;
            continue;
        }
        const bool special = u == u'\r' || u == u'\n' || u == kCaptionEnd || u == kRecordEnd || !ansi::canEncode(c)
            || (u == u'<' && text.mid(i).startsWith(kEndOfSection))
            || escapes::bracketNeedsEscape(text, i, isTag);
        if (special)
            out.append(escapes::charEscape(c).toLatin1());
        else
            out.append(ansi::encode(QString(c)));
        ++i;
    }
}

} // namespace

QString dataFileHeader()
{
    return QStringLiteral("Quillet 1.0 - %1.%2.%3")
        .arg(QUILLET_VERSION_MAJOR)
        .arg(QUILLET_VERSION_MINOR)
        .arg(QUILLET_VERSION_PATCH);
}

void writeDataFile(const DataFileContent &content, const std::function<bool(QByteArrayView)> &sink)
{
    DataFileBlockWriter out(sink);
    out.append(dataFileHeader().toLatin1());
    out.append(kCrLfBytes);
    for (const auto &section : content.sections) {
        for (qsizetype i = 0; i < section.size(); ++i) {
            // The texts lie scattered in memory: the next ones are asked for while this is written.
            if (i + 8 < section.size()) {
                const Record &ahead = section[i + 8];
                __builtin_prefetch(ahead.caption.utf16());
                const char *tag = reinterpret_cast<const char *>(ahead.tag.utf16());
                for (qsizetype at = 0; at < 2 * ahead.tag.size() && at < 1024; at += 64)
                    __builtin_prefetch(tag + at);
            }
            const Record &record = section[i];
            appendEscaped(out, record.caption, false);
            *out.room(1) = kCaptionEndByte;
            out.advance(1);
            appendEscaped(out, record.tag, true);
            char *end = out.room(3);
            end[0] = kRecordEndByte;
            end[1] = '\r';
            end[2] = '\n';
            out.advance(3);
            if (!out.flush())
                return;
        }
        out.append(kEndOfSectionBytes);
        out.append(kCrLfBytes);
    }
    out.flush(true);
}

QByteArray serializeDataFile(const DataFileContent &content)
{
    QByteArray bytes;
    writeDataFile(content, [&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}
