// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/escapes.h"

#include "store/fileformat.h"

#include <QStringList>

namespace escapes {
namespace {

const QChar kFieldSeparator(fileformat::kFieldSeparator);

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

/// Value of the "[u+XXXX]" starting at i, or -1.
int escapeAt(QStringView text, qsizetype i)
{
    if (i + 8 > text.size() || text[i] != u'[' || text[i + 1] != u'u' || text[i + 2] != u'+'
        || text[i + 7] != u']')
        return -1;
    int value = 0;
    for (qsizetype k = i + 3; k < i + 7; ++k) {
        const int digit = hexValue(text[k]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

QString charEscape(QChar c)
{
    return QStringLiteral("[u+%1]").arg(
        QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

bool bracketNeedsEscape(QStringView text, qsizetype i, bool crlfToo)
{
    if (text[i] != u'[')
        return false;
    if (escapeAt(text, i) >= 0)
        return true;
    return crlfToo && text.mid(i).startsWith(fileformat::kLineBreakEscape);
}

QString escapeChars(QStringView text, QStringView specials)
{
    return escapeWhere(text, [specials](QStringView t, qsizetype i) { return specials.contains(t[i]); });
}

QString unescape(QStringView text)
{
    if (!text.contains(u"[u+"))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int value = text[i] == u'[' ? escapeAt(text, i) : -1;
        if (value >= 0) {
            out += QChar(char16_t(value));
            i += 7;
        } else {
            out += text[i];
        }
    }
    return out;
}

QString joinFields(const QStringList &fields)
{
    QString tag;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            tag += kFieldSeparator;
        tag += escapeChars(fields[i], QStringView(&kFieldSeparator, 1));
    }
    return tag;
}

QStringList splitFields(const QString &tag)
{
    if (tag.isEmpty())
        return {};
    QStringList fields = tag.split(kFieldSeparator);
    for (QString &field : fields)
        field = unescape(field);
    return fields;
}

} // namespace escapes
