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

/// Characters that stand for themselves in the file and can start no structure text.
inline bool isPlain(char16_t u)
{
    return (u >= 0x20 && u < 0x7F && u != u'[' && u != u'<')
        || (u >= 0xA0 && u <= 0xFF && u != 0xA4 && u != 0xA7);
}

/// The file's bytes on their way out: gathered in one small buffer, handed on in whole blocks.
class PieceWriter
{
public:
    static constexpr qsizetype kPiece = 64 * 1024;

    explicit PieceWriter(const std::function<bool(QByteArrayView)> &sink)
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
void appendEscaped(PieceWriter &out, QStringView text, bool isTag)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype run = i;
        while (run < n && isPlain(p[run]))
            ++run;
        if (run > i) {
            char *dst = out.room(run - i);
            for (qsizetype k = i; k < run; ++k)
                *dst++ = char(p[k]);
            out.advance(run - i);
            i = run;
            if (i == n)
                break;
        }
        const QChar c(p[i]);
        const char16_t u = p[i];
        if (isTag && u == u'\r' && i + 1 < n && p[i + 1] == u'\n') {
            out.append("[crlf]");
            i += 2;
            continue;
        }
        const bool special = u == u'\r' || u == u'\n' || u == 0xA4 || u == 0xA7 || !ansi::canEncode(c)
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
    PieceWriter out(sink);
    out.append(dataFileHeader().toLatin1());
    out.append(kCrLfBytes);
    for (const auto &section : content.sections) {
        for (const Record &record : section) {
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
