#include "notes/notetext.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace notetext {

namespace {

// Any of CR LF, CR and LF as one "\n": a text box breaks its lines on each of them.
QString normalised(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QString toEditor(const QString &tag)
{
    return QString(tag).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString toTag(const QString &editorText)
{
    return QString(editorText).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

bool sameText(const QString &tag, const QString &editorText)
{
    return normalised(tag) == normalised(editorText);
}

QString editorText(const QPlainTextEdit *box)
{
    return box->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

} // namespace notetext
