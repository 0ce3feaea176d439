// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

/// Text as a search compares it: case and accents gone ("Café" reads "cafe"), compatibility
/// forms spelled out ("ﬁ" reads "fi"), and every run of white space, line breaks included, one
/// space, so a phrase typed on one line finds it across a line break.
namespace textfold {

/// Stands between two fields of a record's text: folding keeps it and what the user types never
/// holds it, so a match never runs from one field into the next.
inline constexpr QChar kFieldBreak = QChar(0x1F);

/// The folded text. With origins, origins[i] is the index in text of the character that gave
/// the folded character i, so a match found in the folded text can be shown in the original.
QString folded(QStringView text, QList<qsizetype> *origins = nullptr);

/// What the user typed, folded and trimmed, without field breaks: empty when it holds nothing
/// to look for.
QString needle(QStringView typed);

struct Range
{
    qsizetype start = 0;
    qsizetype length = 0;
    friend bool operator==(const Range &, const Range &) = default;
};
/// Where needle (already folded) occurs in text, in text's own positions.
QList<Range> matches(QStringView text, const QString &needle);

} // namespace textfold
