#include "platform/desktopshell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

QUrl urlForShellText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    // A scheme of two or more letters; one letter would be a drive name, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(trimmed).hasMatch()) {
        const QUrl url(trimmed, QUrl::TolerantMode);
        return url.isValid() ? url : QUrl();
    }
    const QFileInfo file(trimmed);
    if (file.isAbsolute() && file.exists())
        return QUrl::fromLocalFile(file.absoluteFilePath());
    if (trimmed.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        const QUrl url(QStringLiteral("http://") + trimmed, QUrl::TolerantMode);
        return url.isValid() ? url : QUrl();
    }
    if (trimmed.startsWith(QLatin1String("ftp."), Qt::CaseInsensitive)) {
        const QUrl url(QStringLiteral("ftp://") + trimmed, QUrl::TolerantMode);
        return url.isValid() ? url : QUrl();
    }
    return {};
}

Shell::Result DesktopShell::open(const QString &text)
{
    const QUrl url = urlForShellText(text);
    if (url.isEmpty())
        return Result::NotFound;
    return QDesktopServices::openUrl(url) ? Result::Opened : Result::Failed;
}
