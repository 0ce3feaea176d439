// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/matchhighlight.h"

#include "store/textfold.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace matchhighlight {

void highlight(QPlainTextEdit *box, const QString &needle)
{
    QList<QTextEdit::ExtraSelection> marks;
    if (!needle.isEmpty()) {
        QTextCharFormat format;
        format.setBackground(QColor(255, 214, 74));
        format.setForeground(Qt::black);
        QTextDocument *document = box->document();
        // The box's own text, paragraph breaks as "\n", so that positions are the document's.
        const QString text = document->toPlainText();
        for (const textfold::Range &range : textfold::matches(text, needle)) {
            QTextCursor cursor(document);
            cursor.setPosition(int(range.start));
            cursor.setPosition(int(range.start + range.length), QTextCursor::KeepAnchor);
            marks.append({cursor, format});
        }
        if (!marks.isEmpty()) {
            // The caret goes to the first match, which scrolls into view.
            QTextCursor first = marks.first().cursor;
            first.setPosition(first.selectionStart());
            box->setTextCursor(first);
        }
    }
    box->setExtraSelections(marks);
}

void highlight(QLineEdit *box, const QString &needle)
{
    const QList<textfold::Range> found = textfold::matches(box->text(), needle);
    if (found.isEmpty())
        box->deselect();
    else
        box->setSelection(int(found.first().start), int(found.first().length));
}

} // namespace matchhighlight
