// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;

/// Marks the words a search found in an editor's text; an empty needle takes the marks away.
namespace matchhighlight {

/// needle is folded (textfold::needle): "cafe" marks "Café".
void highlight(QPlainTextEdit *box, const QString &needle);
/// A line edit draws no marks of its own: the first match is selected.
void highlight(QLineEdit *box, const QString &needle);

} // namespace matchhighlight
