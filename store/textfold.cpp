// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/textfold.h"

#include <QChar>

namespace {

/// One code point beyond ASCII: decomposed, its accents dropped, its case folded.
QString foldedCodePoint(char32_t codePoint)
{
    const QString decomposed = QString::fromUcs4(&codePoint, 1).normalized(QString::NormalizationForm_KD);
    QString kept;
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            kept += c;
    }
    return kept.toCaseFolded();
}

} // namespace

namespace textfold {

QString folded(QStringView text, QList<qsizetype> *origins)
{
    QString out;
    out.reserve(text.size());
    if (origins) {
        origins->clear();
        origins->reserve(text.size());
    }
    bool inSpace = false;
    const auto add = [&](QChar c, qsizetype from) {
        out += c;
        if (origins)
            origins->append(from);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        // Plain ASCII, nearly all of any list, needs no tables.
        if (unit < 0x80) {
            if (unit == ' ' || (unit >= '\t' && unit <= '\r')) {
                if (!inSpace)
                    add(QLatin1Char(' '), i);
                inSpace = true;
                continue;
            }
            inSpace = false;
            add(QChar(unit >= 'A' && unit <= 'Z' ? unit + ('a' - 'A') : unit), i);
            continue;
        }
        const qsizetype from = i;
        char32_t codePoint = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            codePoint = QChar::surrogateToUcs4(unit, text[++i].unicode());
        if (QChar::isSpace(codePoint)) {
            if (!inSpace)
                add(QLatin1Char(' '), from);
            inSpace = true;
            continue;
        }
        inSpace = false;
        for (const QChar c : foldedCodePoint(codePoint))
            add(c, from);
    }
    return out;
}

QString needle(QStringView typed)
{
    QString folded = textfold::folded(typed);
    folded.remove(kFieldBreak);
    return folded.trimmed();
}

QList<Range> matches(QStringView text, const QString &needle)
{
    QList<Range> found;
    if (needle.isEmpty())
        return found;
    QList<qsizetype> origins;
    const QString haystack = folded(text, &origins);
    for (qsizetype at = haystack.indexOf(needle); at >= 0; at = haystack.indexOf(needle, at + needle.size())) {
        // The match ends where the next original character starts, so the accent of its last
        // letter is part of it.
        qsizetype next = at + needle.size();
        while (next < origins.size() && origins[next] == origins[next - 1])
            ++next;
        const qsizetype end = next < origins.size() ? origins[next] : text.size();
        found.append({origins[at], end - origins[at]});
    }
    return found;
}

} // namespace textfold
