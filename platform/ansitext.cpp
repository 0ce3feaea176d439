// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ansitext.h"

#include <algorithm>
#include <array>

namespace ansi {
namespace {

// Unicode for the bytes 0x80 to 0x9F; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int byteFor(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

bool canEncode(QChar c)
{
    return byteFor(c.unicode()) >= 0;
}

QString decode(QByteArrayView bytes)
{
    // Latin-1 is the same as Windows-1252 but for 0x80 to 0x9F, which are rare: fix those up.
    QString text = QString::fromLatin1(bytes);
    const bool rare = std::any_of(bytes.begin(), bytes.end(),
                                  [](char b) { return uchar(b) - 0x80u < 0x20u; });
    if (rare) {
        for (QChar &c : text) {
            const char16_t u = c.unicode();
            if (u >= 0x80 && u < 0xA0)
                c = QChar(kHigh[u - 0x80]);
        }
    }
    return text;
}

QByteArray encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        const int b = byteFor(c.unicode());
        *out++ = char(b >= 0 ? b : 0x1A);
    }
    return bytes;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        const bool last = end < 0;
        if (last)
            end = text.size();
        qsizetype stop = end;
        if (!last && stop > start && text.at(stop - 1) == QLatin1Char('\r'))
            --stop;
        lines.append(text.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

} // namespace ansi
