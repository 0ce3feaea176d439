// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/boxtext.h"

#include <QPlainTextEdit>
#include <QTextDocument>

QString boxText(const QPlainTextEdit *box)
{
    return box->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}
