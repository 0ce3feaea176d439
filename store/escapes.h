// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

/// The escapes that let any text pass through the data file and the record fields unchanged.
/// A character that cannot stand as itself is written "[u+XXXX]" (its UTF-16 code, four
/// upper-case hex digits); a "[" is escaped only where it would otherwise be read as an escape.
/// Text that needs no escape is written exactly as it is.
namespace escapes {

/// "[u+XXXX]" for one UTF-16 unit.
QString charEscape(QChar c);

/// True when text[i] is a "[" that a reader would take for an escape: the start of "[u+XXXX]",
/// or of "[crlf]" when crlfToo is set.
bool bracketNeedsEscape(QStringView text, qsizetype i, bool crlfToo);

/// Escapes each character for which mustEscape(text, i) holds, and each "[" that would be
/// misread.
template <typename Predicate> QString escapeWhere(QStringView text, Predicate mustEscape)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (mustEscape(text, i) || bracketNeedsEscape(text, i, false))
            out += charEscape(text[i]);
        else
            out += text[i];
    }
    return out;
}

/// Escapes every character in specials, and each "[" that would be misread.
QString escapeChars(QStringView text, QStringView specials);

/// Turns every "[u+XXXX]" back into its character.
QString unescape(QStringView text);

/// Record fields joined by "¶": a "¶" inside a field is escaped, so it never splits the record.
QString joinFields(const QStringList &fields);
/// The fields of a tag text, unescaped. An empty tag has no fields.
QStringList splitFields(const QString &tag);

} // namespace escapes
