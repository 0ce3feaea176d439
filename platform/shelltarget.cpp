// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shelltarget.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

QUrl parsed(const QString &text)
{
    const QUrl url(text, QUrl::TolerantMode);
    return url.isValid() ? url : QUrl();
}

} // namespace

QUrl urlForShellText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    // A host with a port looks like a scheme ("example.org:8080"), so hosts are tried first.
    // Labels of letters in any script (for international names), digits and hyphens.
    static const QRegularExpression host(
        QStringLiteral(R"(^([\p{L}\p{N}-]+(\.[\p{L}\p{N}-]+)*)(:\d{1,5})?([/?#]\S*)?$)"));
    const QRegularExpressionMatch hostMatch = host.match(trimmed);
    if (hostMatch.hasMatch()) {
        if (!hostMatch.captured(1).contains(u'.'))
            return {}; // "localhost", "intranet:8080": no name a user could mean on the web
        if (trimmed.startsWith(QLatin1String("ftp."), Qt::CaseInsensitive))
            return parsed(QStringLiteral("ftp://") + trimmed);
        return parsed(QStringLiteral("https://") + trimmed);
    }
    // A scheme of two or more letters; one letter would be a drive name, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(trimmed).hasMatch())
        return parsed(trimmed);
    const QFileInfo file(trimmed);
    if (file.isAbsolute() && file.exists())
        return QUrl::fromLocalFile(file.absoluteFilePath());
    return {};
}

bool opensWithoutAsking(const QUrl &url)
{
    static const QStringList plain = {QStringLiteral("http"), QStringLiteral("https"),
                                      QStringLiteral("ftp"), QStringLiteral("mailto")};
    return plain.contains(url.scheme());
}
