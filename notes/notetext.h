#pragma once

#include <QString>

class QPlainTextEdit;

/// A note's text as stored (CR LF line breaks) and as a text box shows it ("\n").
namespace notetext {

/// The stored text as the box shows it.
QString toEditor(const QString &tag);
/// The box's text as it is stored.
QString toTag(const QString &editorText);
/// True when the box shows the stored text already; storing it again would change nothing
/// but the kind of line break, so a note that is only looked at keeps its exact bytes.
bool sameText(const QString &tag, const QString &editorText);

/// The box's whole text with "\n" line breaks, every other character as typed (the box's own
/// plain-text view would turn no-break spaces into spaces).
QString editorText(const QPlainTextEdit *box);

} // namespace notetext
