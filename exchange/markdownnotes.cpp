// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/markdownnotes.h"

#include "core/noterecord.h"
#include "exchange/linereader.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace markdownnotes {
namespace {

/// A note is typed text; a file beyond this is not one.
constexpr qsizetype kLargestNote = 64 * 1024 * 1024;
/// Well under the 255 bytes most file systems allow, ".md" and " (999)" included.
constexpr qsizetype kLongestName = 120;

} // namespace

QString captionOf(const QString &text, const QString &fileName)
{
    for (QStringView line : QStringView(text).split(u'\n')) {
        // Up to three spaces may stand before a heading's "#".
        qsizetype indent = 0;
        while (indent < line.size() && indent < 3 && line[indent] == u' ')
            ++indent;
        line = line.sliced(indent);
        if (!line.startsWith(u"# ") && line.trimmed() != u"#")
            continue;
        QString heading = line.sliced(1).trimmed().toString();
        // A closing run of "#" is not part of the heading.
        while (heading.endsWith(u'#'))
            heading.chop(1);
        heading = heading.trimmed();
        if (!heading.isEmpty())
            return heading;
    }
    return QFileInfo(fileName).completeBaseName();
}

ImportResult read(const QString &path)
{
    QByteArray bytes;
    qsizetype lineLength = 0;
    QString stop;
    FileError error;
    const bool read = readFileInPieces(path, [&](QByteArrayView piece) {
        if (bytes.size() + piece.size() > kLargestNote)
            return (stop = QStringLiteral("a note is longer than %1 MiB").arg(kLargestNote / (1024 * 1024))), false;
        for (const char c : piece) {
            if (c == '\0')
                return (stop = QStringLiteral("it is not a text file")), false;
            lineLength = c == '\n' ? 0 : lineLength + 1;
            if (lineLength > linereader::kLongestLine)
                return (stop = QStringLiteral("a line is longer than %1 MiB")
                                   .arg(linereader::kLongestLine / (1024 * 1024))), false;
        }
        bytes.append(piece);
        return true;
    }, &error);
    if (!read)
        return importFailure(SectionId::Notes, linereader::fileMessage(path, stop.isEmpty() ? error.description : stop));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QStringDecoder("windows-1252")(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ImportResult result;
    result.section = SectionId::Notes;
    result.records.append({captionOf(text, path), NoteRecord{text}.toTag()});
    return result;
}

QString fileNameFor(const QString &caption, const QStringList &taken)
{
    QString base;
    for (const QChar c : caption.simplified()) {
        // Refused on Linux ("/"), or on the systems a folder may be copied to.
        static const QString refused = QStringLiteral("/\\:*?\"<>|");
        base += c.category() == QChar::Other_Control || refused.contains(c) ? QChar(u'_') : c;
    }
    while (base.startsWith(u'.') || base.startsWith(u' '))
        base.remove(0, 1);
    if (base.size() > kLongestName) {
        base.truncate(kLongestName);
        if (base.back().isHighSurrogate())
            base.chop(1);
    }
    base = base.trimmed();
    if (base.isEmpty())
        base = QStringLiteral("Note");
    QString name = base + QStringLiteral(".md");
    for (int n = 2; taken.contains(name, Qt::CaseInsensitive); ++n)
        name = QStringLiteral("%1 (%2).md").arg(base).arg(n);
    return name;
}

ExportResult write(const QList<Record> &notes, const QString &folder)
{
    ExportResult result;
    QDir dir(folder);
    if (!dir.exists() && !dir.mkpath(QStringLiteral("."))) {
        result.error = QStringLiteral("Cannot make the folder \"%1\".").arg(folder);
        return result;
    }
    QStringList taken = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const Record &record : notes) {
        const QString name = fileNameFor(record.caption, taken);
        taken.append(name);
        const QString path = dir.filePath(name);
        FileError error;
        if (!writeFileAtomically(path, NoteRecord::fromTag(record.tag).text.toUtf8(), &error)) {
            result.error = QStringLiteral("Cannot write \"%1\": %2.").arg(name, error.description);
            return result;
        }
        result.files.append(path);
    }
    return result;
}

} // namespace markdownnotes
